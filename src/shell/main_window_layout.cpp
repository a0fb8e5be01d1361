// Building the main window: its menus, toolbar, panels and status bar. The texts come from
// retranslateUi().
#include "shell/main_window.h"

#include "commands/command_guard.h"
#include "shell/main_commands.h"
#include "shell/toolbar_glyphs.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"
#include "ui/filter_bar.h"
#include "ui/language.h"
#include "ui/operator_log.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QActionGroup>
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
#include <memory>
#include <utility>
#include <vector>

namespace {

QAction* NewAction(QObject* parent, const char* name) {
    auto* a = new QAction(parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* NewMenu(QWidget* parent, const char* name) {
    auto* m = new QMenu(parent);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

} // namespace

void TQueryFrm1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    File1 = NewMenu(this, "File1");
    Server1 = NewMenu(this, "Server1");
    Manipulate1 = NewMenu(this, "Manipulate1");
    View1 = NewMenu(this, "View1");
    Users1 = NewMenu(this, "Users1");
    Database1 = NewMenu(this, "Database1");
    DB1 = NewMenu(this, "DB1");
    Table1 = NewMenu(this, "Table1");
    Query1 = NewMenu(this, "Query1");
    Language1 = NewMenu(this, "Language1");
    PopupMenu1 = NewMenu(this, "PopupMenu1");

    for (const MainCommand& c : MainCommands()) {
        if (!c.name)
            continue;
        QAction* a = NewAction(this, c.name);
        commandActions_[c.name] = a;
        if (c.item)
            this->*c.item = a;
        a->setCheckable(c.checkable);
        a->setEnabled(c.slot || c.command);
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
                RunExclusive([&] { command(*this); });
            });
        } else if (c.slot && c.checkable) {
            // A checkable item flips its own mark before its handler runs; these handlers set the
            // marks themselves, so the flip is undone first.
            connect(a, &QAction::triggered, this, [this, a, name, slot = c.slot] {
                a->setChecked(!a->isChecked());
                OperatorCommand logged(name);
                (this->*slot)();
            });
        } else if (c.slot) {
            connect(a, &QAction::triggered, this, [this, name, slot = c.slot] {
                OperatorCommand logged(name);
                (this->*slot)();
            });
        }
    }

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

    English1 = NewAction(this, "English1");
    Croatian1 = NewAction(this, "Croatian1");
    English1->setCheckable(true);
    Croatian1->setCheckable(true);
    English1->setData(1033);
    Croatian1->setData(1050);
    English1->setChecked(true);
    // Radio items of one exclusive group; SetLanguage sets both check marks itself.
    auto* languages = new QActionGroup(this);
    languages->setObjectName(QStringLiteral("LanguageGroup"));
    languages->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    languages->addAction(English1);
    languages->addAction(Croatian1);
    Language1->addActions({English1, Croatian1});
    // A click on an unchecked language item has moved the group's mark to it before its handler
    // runs (the item checked, the other unchecked): that move is undone first, so that without the
    // language's module nothing changes.
    auto moves = std::make_shared<std::vector<std::pair<QAction*, bool>>>(); // item, mark before
    for (QAction* item : {English1, Croatian1}) {
        connect(item, &QAction::toggled, this,
                [moves, item](bool on) { moves->emplace_back(item, !on); });
        connect(item, &QAction::triggered, this, [this, moves, item] {
            QAction* other = item == English1 ? Croatian1 : English1;
            bool gained = false, otherLost = false;
            for (std::size_t i = moves->size() > 2 ? moves->size() - 2 : 0; i < moves->size();
                 ++i) {
                gained = gained || (*moves)[i] == std::pair<QAction*, bool>(item, false);
                otherLost = otherLost || (*moves)[i] == std::pair<QAction*, bool>(other, true);
            }
            if (otherLost)
                other->setChecked(true); // the group takes the mark from item again
            else if (gained)
                item->setChecked(false);
            moves->clear();
            SetLanguage(item);
            moves->clear();
        });
    }

    bar->addMenu(File1);
    bar->addMenu(Database1);
    bar->addAction(BDEMySQL1);
    bar->addMenu(Language1);
    bar->addAction(About1);
}

void TQueryFrm1::buildToolbar() {
    auto* layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(1);
    auto* runClose = new QButtonGroup(this);
    runClose->setExclusive(false);
    std::vector<const MainCommand*> buttons;
    for (const MainCommand& c : MainCommands())
        if (c.button)
            buttons.push_back(&c);
    std::sort(buttons.begin(), buttons.end(), [](const MainCommand* a, const MainCommand* b) {
        return a->toolbarSlot < b->toolbarSlot;
    });
    for (const MainCommand* e : buttons) {
        auto* b = new QToolButton(Panel3);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(e->button));
        b->setIcon(ToolbarGlyph(e->button));
        b->setIconSize(QSize(18, 18));
        b->setFixedSize(25, 24);
        b->setFocusPolicy(Qt::NoFocus);
        // Clear and Exit are raised; the others are flat.
        b->setAutoRaise(e->button != 26 && e->button != 27);
        if (QAction* item = e->name ? CommandAction(e->name) : nullptr) {
            connect(b, &QToolButton::clicked, item, &QAction::trigger);
        } else {
            b->setEnabled(false);
        }
        if (e->button == 24 || e->button == 25) {
            // Run query and Close query: one of them stays down, or neither.
            b->setCheckable(true);
            runClose->addButton(b);
        }
        layout->addWidget(b);
        SpeedButtons.push_back(b);
    }
    connect(runClose, &QButtonGroup::buttonToggled, this, [runClose](QAbstractButton* b, bool on) {
        if (!on)
            return;
        for (QAbstractButton* other : runClose->buttons())
            if (other != b)
                other->setChecked(false);
    });
    layout->addStretch(1);
}

void TQueryFrm1::buildPanels() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("QueryFrm1Client"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel3 = new QWidget(central);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(26);
    column->addWidget(Panel3);

    Panel2 = new QWidget(central);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(180);
    auto* upper = new QHBoxLayout(Panel2);
    upper->setContentsMargins(4, 2, 4, 2);
    upper->setSpacing(6);

    GroupBox1 = new QGroupBox(Panel2);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* connectInfo = new QGridLayout(GroupBox1);
    connectInfo->setContentsMargins(6, 2, 6, 2);
    connectInfo->setVerticalSpacing(0);
    edtHostname = new QComboBox(GroupBox1);
    edtHostname->setObjectName(QStringLiteral("edtHostname"));
    edtHostname->setEditable(false);
    edtUsername = new QLineEdit(GroupBox1);
    edtUsername->setObjectName(QStringLiteral("edtUsername"));
    edtUsername->setEnabled(false);
    edtPasswd = new QLineEdit(GroupBox1);
    edtPasswd->setObjectName(QStringLiteral("edtPasswd"));
    edtPasswd->setEchoMode(QLineEdit::Password);
    edtPasswd->installEventFilter(this);
    edtDatabase = new QLineEdit(GroupBox1);
    edtDatabase->setObjectName(QStringLiteral("edtDatabase"));
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
    upper->addWidget(GroupBox1);
    connect(edtHostname, &QComboBox::activated, this, &TQueryFrm1::edtHostnameChange);

    RadioGroup1 = new TRadioGroup(Panel2);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setColumns(2);
    RadioGroup1->setMinimumWidth(190);
    RadioGroup1->setFocusPolicy(Qt::StrongFocus);
    upper->addWidget(RadioGroup1, 1);

    auto* tables = new QVBoxLayout;
    tables->setSpacing(1);
    lblTables = new QLabel(Panel2);
    lblTables->setObjectName(QStringLiteral("lblTables"));
    lblTables->setWordWrap(true);
    ListBox1 = new QListWidget(Panel2);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    lblTables->setBuddy(ListBox1);
    tables->addWidget(lblTables);
    tables->addWidget(ListBox1, 1);
    auto* tablesBox = new QWidget(Panel2);
    tablesBox->setLayout(tables);
    tables->setContentsMargins(0, 0, 0, 0);
    tablesBox->setFixedWidth(170);
    upper->addWidget(tablesBox);

    auto* query = new QVBoxLayout;
    query->setSpacing(1);
    query->setContentsMargins(0, 0, 0, 0);
    lblQuery = new QLabel(Panel2);
    lblQuery->setObjectName(QStringLiteral("lblQuery"));
    lblQuery->setWordWrap(true);
    Memo1 = new QPlainTextEdit(Panel2);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    lblQuery->setBuddy(Memo1);
    query->addWidget(lblQuery);
    query->addWidget(Memo1, 1);
    upper->addLayout(query, 1);
    column->addWidget(Panel2);

    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* lower = new QVBoxLayout(Panel1);
    lower->setContentsMargins(0, 0, 0, 0);
    lower->setSpacing(0);
    DBNavigator1 = new TDBNavigator(Panel1);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBGrid1 = new TDBGrid(Panel1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    FilterBar = new TFilterBar(Panel1);
    lower->addWidget(DBNavigator1);
    lower->addWidget(FilterBar);
    lower->addWidget(DBGrid1, 1);
    column->addWidget(Panel1, 1);

    setCentralWidget(central);
}

void TQueryFrm1::buildStatusBar() {
    FRSB1 = new TStatusBar(this);
    FRSB1->setObjectName(QStringLiteral("FRSB1"));
    for (int i = 0; i < 4; ++i)
        FRSB1->addPanel(100, TStatusBar::Bevel::Raised, Qt::AlignLeft);
    FRSB1->addPanel(100, TStatusBar::Bevel::Raised, Qt::AlignHCenter);
    FRSB1->addPanel(150, TStatusBar::Bevel::Lowered, Qt::AlignHCenter);
    setStatusBar(FRSB1);
}
