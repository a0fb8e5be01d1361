// Building the main window: its menus, toolbar, panels and status bar. The texts come from
// retranslateUi().
#include "shell/main_window.h"

#include "shell/main_commands.h"
#include "shell/toolbar_glyphs.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"
#include "ui/filter_bar.h"
#include "ui/object_names.h"
#include "ui/operator_log.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

void TQueryFrm1::buildMenus() {
    QMenuBar* bar = Named(menuBar(), "MainMenu1");
    File1 = Named(new QMenu(this), "File1");
    Server1 = Named(new QMenu(this), "Server1");
    Manipulate1 = Named(new QMenu(this), "Manipulate1");
    View1 = Named(new QMenu(this), "View1");
    Users1 = Named(new QMenu(this), "Users1");
    Database1 = Named(new QMenu(this), "Database1");
    DB1 = Named(new QMenu(this), "DB1");
    Table1 = Named(new QMenu(this), "Table1");
    Query1 = Named(new QMenu(this), "Query1");
    Language1 = Named(new QMenu(this), "Language1");
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");

    for (const MainCommand& c : MainCommands())
        if (c.name)
            addCommandItem(c);

    Server1->addSeparator();
    Server1->addMenu(Manipulate1);
    Server1->addMenu(View1);
    File1->insertMenu(Clear1, Server1);
    File1->insertSeparator(Clear1);
    File1->insertMenu(Clear1, Users1);
    File1->insertSeparator(Clear1);
    Database1->insertMenu(Clear2, DB1);
    Database1->insertMenu(Clear2, Table1);
    Database1->insertMenu(Clear2, Query1);
    Database1->insertSeparator(Clear2);
    buildLanguageItems();

    bar->addMenu(File1);
    bar->addMenu(Database1);
    bar->addAction(BDEMySQL1);
    bar->addMenu(Language1);
    bar->addAction(About1);
}

void TQueryFrm1::addCommandItem(const MainCommand& c) {
    QAction* a = Named(new QAction(this), c.name);
    commandActions_[c.name] = a;
    if (c.item)
        this->*c.item = a;
    a->setCheckable(c.checkable);
    a->setEnabled(c.handler || c.command);
    if (c.menu) {
        if (c.separatorBefore)
            (this->*c.menu)->addSeparator();
        (this->*c.menu)->addAction(a);
    }
    // The operator's log names the command that met an error.
    const QString name = QString::fromLatin1(c.name);
    if (c.command) {
        connect(a, &QAction::triggered, this, [this, name, command = c.command] {
            OperatorCommand logged(name);
            RunCommand(command);
        });
    } else if (c.handler && c.checkable) {
        // A checkable item flips its own mark before its handler runs; these handlers set the
        // marks themselves, so the flip is undone first.
        connect(a, &QAction::triggered, this, [this, a, name, handler = c.handler] {
            a->setChecked(!a->isChecked());
            OperatorCommand logged(name);
            (this->*handler)();
        });
    } else if (c.handler) {
        connect(a, &QAction::triggered, this, [this, name, handler = c.handler] {
            OperatorCommand logged(name);
            (this->*handler)();
        });
    }
}

void TQueryFrm1::buildToolbar() {
    auto* layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(1);
    // The grouped buttons: one of them stays down, or neither.
    auto* toggles = new QButtonGroup(this);
    toggles->setExclusive(false);
    std::vector<const MainCommand*> buttons;
    for (const MainCommand& c : MainCommands())
        if (c.button.number)
            buttons.push_back(&c);
    std::sort(buttons.begin(), buttons.end(), [](const MainCommand* a, const MainCommand* b) {
        return a->button.place < b->button.place;
    });
    for (const MainCommand* e : buttons) {
        auto* b = new QToolButton(Panel3);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(e->button.number));
        b->setIcon(ToolbarGlyph(e->button.number));
        b->setIconSize(QSize(18, 18));
        b->setFixedSize(25, 24);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(!e->button.raised);
        if (QAction* item = e->name ? CommandAction(e->name) : nullptr) {
            connect(b, &QToolButton::clicked, item, &QAction::trigger);
        } else {
            b->setEnabled(false);
        }
        if (e->button.grouped) {
            b->setCheckable(true);
            toggles->addButton(b);
        }
        layout->addWidget(b);
        SpeedButtons.push_back(b);
    }
    connect(toggles, &QButtonGroup::buttonToggled, this, [toggles](QAbstractButton* b, bool on) {
        if (!on)
            return;
        for (QAbstractButton* other : toggles->buttons())
            if (other != b)
                other->setChecked(false);
    });
    layout->addStretch(1);
}

void TQueryFrm1::buildPanels() {
    auto* central = Named(new QWidget(this), "QueryFrm1Client");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel3 = Named(new QWidget(central), "Panel3");
    Panel3->setFixedHeight(26);
    column->addWidget(Panel3);

    Panel2 = Named(new QWidget(central), "Panel2");
    Panel2->setFixedHeight(180);
    auto* upper = new QHBoxLayout(Panel2);
    upper->setContentsMargins(4, 2, 4, 2);
    upper->setSpacing(6);
    upper->addWidget(buildConnectInfo());
    RadioGroup1 = Named(new TRadioGroup(Panel2), "RadioGroup1");
    RadioGroup1->setColumns(2);
    RadioGroup1->setMinimumWidth(190);
    RadioGroup1->setFocusPolicy(Qt::StrongFocus);
    upper->addWidget(RadioGroup1, 1);
    upper->addWidget(buildTableList());
    upper->addLayout(buildQueryMemo(), 1);
    column->addWidget(Panel2);

    column->addWidget(buildGridPanel(central), 1);
    setCentralWidget(central);
}

QWidget* TQueryFrm1::buildConnectInfo() {
    GroupBox1 = Named(new QGroupBox(Panel2), "GroupBox1");
    auto* connectInfo = new QGridLayout(GroupBox1);
    connectInfo->setContentsMargins(6, 2, 6, 2);
    connectInfo->setVerticalSpacing(0);
    edtHostname = Named(new QComboBox(GroupBox1), "edtHostname");
    edtHostname->setEditable(false);
    edtUsername = Named(new QLineEdit(GroupBox1), "edtUsername");
    edtUsername->setEnabled(false);
    edtPasswd = Named(new QLineEdit(GroupBox1), "edtPasswd");
    edtPasswd->setEchoMode(QLineEdit::Password);
    edtPasswd->installEventFilter(this);
    edtDatabase = Named(new QLineEdit(GroupBox1), "edtDatabase");
    edtDatabase->setEnabled(false);
    lblServer = new QLabel(GroupBox1);
    lblUsername = new QLabel(GroupBox1);
    lblPassword = new QLabel(GroupBox1);
    lblDatabase = new QLabel(GroupBox1);
    lblDatabase->setEnabled(false);
    const std::pair<QLabel*, QWidget*> rows[] = {
        {lblServer, edtHostname},
        {lblUsername, edtUsername},
        {lblPassword, edtPasswd},
        {lblDatabase, edtDatabase},
    };
    int row = 0;
    for (const auto& [label, field] : rows) {
        label->setObjectName(QStringLiteral("lbl") + field->objectName().mid(3));
        label->setBuddy(field);
        connectInfo->addWidget(label, row * 2, 0);
        connectInfo->addWidget(field, row * 2 + 1, 0);
        ++row;
    }
    connectInfo->setRowStretch(8, 1);
    GroupBox1->setFixedWidth(185);
    connect(edtHostname, &QComboBox::activated, this, &TQueryFrm1::edtHostnameChange);
    return GroupBox1;
}

QWidget* TQueryFrm1::buildTableList() {
    auto* tables = new QVBoxLayout;
    tables->setSpacing(1);
    lblTables = Named(new QLabel(Panel2), "lblTables");
    lblTables->setWordWrap(true);
    ListBox1 = Named(new QListWidget(Panel2), "ListBox1");
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    lblTables->setBuddy(ListBox1);
    tables->addWidget(lblTables);
    tables->addWidget(ListBox1, 1);
    auto* tablesBox = new QWidget(Panel2);
    tablesBox->setLayout(tables);
    tables->setContentsMargins(0, 0, 0, 0);
    tablesBox->setFixedWidth(170);
    return tablesBox;
}

QLayout* TQueryFrm1::buildQueryMemo() {
    auto* query = new QVBoxLayout;
    query->setSpacing(1);
    query->setContentsMargins(0, 0, 0, 0);
    lblQuery = Named(new QLabel(Panel2), "lblQuery");
    lblQuery->setWordWrap(true);
    Memo1 = Named(new QPlainTextEdit(Panel2), "Memo1");
    lblQuery->setBuddy(Memo1);
    query->addWidget(lblQuery);
    query->addWidget(Memo1, 1);
    return query;
}

QWidget* TQueryFrm1::buildGridPanel(QWidget* central) {
    Panel1 = Named(new QWidget(central), "Panel1");
    auto* lower = new QVBoxLayout(Panel1);
    lower->setContentsMargins(0, 0, 0, 0);
    lower->setSpacing(0);
    DBNavigator1 = Named(new TDBNavigator(Panel1), "DBNavigator1");
    DBGrid1 = Named(new TDBGrid(Panel1), "DBGrid1");
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    FilterBar = new TFilterBar(Panel1);
    lower->addWidget(DBNavigator1);
    lower->addWidget(FilterBar);
    lower->addWidget(DBGrid1, 1);
    return Panel1;
}

void TQueryFrm1::buildStatusBar() {
    FRSB1 = Named(new TStatusBar(this), "FRSB1");
    for (int i = 0; i < 4; ++i)
        FRSB1->addPanel(100, TStatusBar::Bevel::Raised, Qt::AlignLeft);
    FRSB1->addPanel(100, TStatusBar::Bevel::Raised, Qt::AlignHCenter);
    FRSB1->addPanel(150, TStatusBar::Bevel::Lowered, Qt::AlignHCenter);
    setStatusBar(FRSB1);
}
