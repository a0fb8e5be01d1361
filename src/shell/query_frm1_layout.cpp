// Building the main window: its menus, toolbar, panels and status bar. The texts come from
// retranslateUi().
#include "shell/query_frm1.h"

#include "shell/dm1.h"
#include "shell/locale_ids.h"
#include "shell/toolbar_glyphs.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"
#include "ui/filter_bar.h"
#include "ui/language.h"
#include "ui/radio_group.h"
#include "ui/registry.h"
#include "ui/status_bar.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The toolbar in order: button number, menu item it runs (null: none), glyph.
struct ToolbarEntry {
    int number;
    QAction* TQueryFrm1::*item;
};

const ToolbarEntry kToolbar[] = {
    {1, &TQueryFrm1::Ping1},
    {2, &TQueryFrm1::Status1},
    {3, &TQueryFrm1::Showprocesses1},
    {4, &TQueryFrm1::Kill1},
    {5, &TQueryFrm1::Shutdown1},
    {7, &TQueryFrm1::Flushprivileges1},
    {8, &TQueryFrm1::Flushhosts1},
    {9, &TQueryFrm1::Addhost1},
    {10, &TQueryFrm1::Removehost1},
    {11, &TQueryFrm1::Modifyhost1},
    {12, &TQueryFrm1::Viewhostsfriendly1},
    {13, &TQueryFrm1::ViewhostsIP1},
    {14, &TQueryFrm1::Adduser1},
    {15, nullptr},
    {17, &TQueryFrm1::ShowDatabases1},
    {16, &TQueryFrm1::Dumpdatabse1},
    {18, &TQueryFrm1::CreateDB1},
    {19, &TQueryFrm1::DropDB1},
    {20, &TQueryFrm1::Viewtable1},
    {21, &TQueryFrm1::Createtable1},
    {22, &TQueryFrm1::Emptytable1},
    {23, &TQueryFrm1::Droptable1},
    {24, &TQueryFrm1::Runquery1},
    {25, &TQueryFrm1::Closequery1},
    {6, &TQueryFrm1::Openscript1},
    {26, &TQueryFrm1::Clear1},
    {27, &TQueryFrm1::Exit1},
};

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
    Ping1 = NewAction(this, "Ping1");
    Status1 = NewAction(this, "Status1");
    Showprocesses1 = NewAction(this, "Showprocesses1");
    Kill1 = NewAction(this, "Kill1");
    Shutdown1 = NewAction(this, "Shutdown1");
    Usefriendlyname1 = NewAction(this, "Usefriendlyname1");
    Usefriendlyname1->setCheckable(true);
    Flushprivileges1 = NewAction(this, "Flushprivileges1");
    Flushhosts1 = NewAction(this, "Flushhosts1");
    Manipulate1 = NewMenu(this, "Manipulate1");
    Addhost1 = NewAction(this, "Addhost1");
    Modifyhost1 = NewAction(this, "Modifyhost1");
    Removehost1 = NewAction(this, "Removehost1");
    View1 = NewMenu(this, "View1");
    Viewhostsfriendly1 = NewAction(this, "Viewhostsfriendly1");
    ViewhostsIP1 = NewAction(this, "ViewhostsIP1");
    Users1 = NewMenu(this, "Users1");
    Adduser1 = NewAction(this, "Adduser1");
    Viewuser1 = NewAction(this, "Viewuser1");
    Viewuserinfo1 = NewAction(this, "Viewuserinfo1");
    Removeuser1 = NewAction(this, "Removeuser1");
    for (QAction* a : {Viewuser1, Viewuserinfo1, Removeuser1})
        a->setEnabled(false);
    Clear1 = NewAction(this, "Clear1");
    Exit1 = NewAction(this, "Exit1");

    Server1->addActions({Ping1, Status1, Showprocesses1});
    Server1->addSeparator();
    Server1->addActions({Kill1, Shutdown1});
    Server1->addSeparator();
    Server1->addActions({Usefriendlyname1, Flushprivileges1, Flushhosts1});
    Server1->addSeparator();
    Manipulate1->addActions({Addhost1, Modifyhost1, Removehost1});
    Server1->addMenu(Manipulate1);
    View1->addActions({Viewhostsfriendly1, ViewhostsIP1});
    Server1->addMenu(View1);
    File1->addMenu(Server1);
    File1->addSeparator();
    Users1->addActions({Adduser1, Viewuser1, Viewuserinfo1, Removeuser1});
    File1->addMenu(Users1);
    File1->addSeparator();
    File1->addAction(Clear1);
    File1->addSeparator();
    File1->addAction(Exit1);

    Database1 = NewMenu(this, "Database1");
    DB1 = NewMenu(this, "DB1");
    ShowDatabases1 = NewAction(this, "ShowDatabases1");
    CreateDB1 = NewAction(this, "CreateDB1");
    DropDB1 = NewAction(this, "DropDB1");
    Dumpdatabse1 = NewAction(this, "Dumpdatabse1");
    DB1->addActions({ShowDatabases1, CreateDB1, DropDB1});
    DB1->addSeparator();
    DB1->addAction(Dumpdatabse1);
    Table1 = NewMenu(this, "Table1");
    Viewtable2 = NewAction(this, "Viewtable2");
    Createtable1 = NewAction(this, "Createtable1");
    Emptytable1 = NewAction(this, "Emptytable1");
    Droptable1 = NewAction(this, "Droptable1");
    Table1->addActions({Viewtable2, Createtable1});
    Table1->addSeparator();
    Table1->addActions({Emptytable1, Droptable1});
    Query1 = NewMenu(this, "Query1");
    Runquery1 = NewAction(this, "Runquery1");
    Closequery1 = NewAction(this, "Closequery1");
    Openscript1 = NewAction(this, "Openscript1");
    Query1->addActions({Runquery1, Closequery1});
    Query1->addSeparator();
    Query1->addAction(Openscript1);
    Clear2 = NewAction(this, "Clear2");
    Database1->addMenu(DB1);
    Database1->addMenu(Table1);
    Database1->addMenu(Query1);
    Database1->addSeparator();
    Database1->addAction(Clear2);

    BDEMySQL1 = NewAction(this, "BDEMySQL1");
    Language1 = NewMenu(this, "Language1");
    English1 = NewAction(this, "English1");
    Croatian1 = NewAction(this, "Croatian1");
    English1->setCheckable(true);
    Croatian1->setCheckable(true);
    English1->setData(1033);
    Croatian1->setData(1050);
    English1->setChecked(true);
    // Radio items: SetLanguage sets both check marks itself.
    Language1->addActions({English1, Croatian1});
    About1 = NewAction(this, "About1");

    bar->addMenu(File1);
    bar->addMenu(Database1);
    bar->addAction(BDEMySQL1);
    bar->addMenu(Language1);
    bar->addAction(About1);

    PopupMenu1 = NewMenu(this, "PopupMenu1");
    Viewtable1 = NewAction(this, "Viewtable1");
    Emptytable2 = NewAction(this, "Emptytable2");
    Droptable2 = NewAction(this, "Droptable2");
    Createtable2 = NewAction(this, "Createtable2");
    PopupMenu1->addActions({Viewtable1, Emptytable2, Droptable2, Createtable2});

    const std::pair<QAction*, void (TQueryFrm1::*)()> handlers[] = {
        {Ping1, &TQueryFrm1::Ping1Click},
        {Status1, &TQueryFrm1::Status1Click},
        {Showprocesses1, &TQueryFrm1::Showprocesses1Click},
        {Kill1, &TQueryFrm1::Kill1Click},
        {Shutdown1, &TQueryFrm1::Shutdown1Click},
        {Flushprivileges1, &TQueryFrm1::Flushprivileges1Click},
        {Flushhosts1, &TQueryFrm1::Flushhosts1Click},
        {Addhost1, &TQueryFrm1::Addhost1Click},
        {Modifyhost1, &TQueryFrm1::Modifyhost1Click},
        {Removehost1, &TQueryFrm1::Removehost1Click},
        {Viewhostsfriendly1, &TQueryFrm1::Viewhostsfriendly1Click},
        {ViewhostsIP1, &TQueryFrm1::ViewhostsIP1Click},
        {Adduser1, &TQueryFrm1::Adduser1Click},
        {Clear1, &TQueryFrm1::Clear1Click},
        {Clear2, &TQueryFrm1::Clear1Click},
        {ShowDatabases1, &TQueryFrm1::ShowDatabases1Click},
        {CreateDB1, &TQueryFrm1::CreateDB1Click},
        {DropDB1, &TQueryFrm1::DropDB1Click},
        {Dumpdatabse1, &TQueryFrm1::Dumpdatabse1Click},
        {Viewtable1, &TQueryFrm1::Viewtable1Click},
        {Viewtable2, &TQueryFrm1::Viewtable1Click},
        {Createtable1, &TQueryFrm1::Createtable1Click},
        {Createtable2, &TQueryFrm1::Createtable1Click},
        {Emptytable1, &TQueryFrm1::Emptytable1Click},
        {Emptytable2, &TQueryFrm1::Emptytable1Click},
        {Droptable1, &TQueryFrm1::Droptable1Click},
        {Droptable2, &TQueryFrm1::Droptable1Click},
        {Runquery1, &TQueryFrm1::Runquery1Click},
        {Closequery1, &TQueryFrm1::Closequery1Click},
        {Openscript1, &TQueryFrm1::Openscript1Click},
        {BDEMySQL1, &TQueryFrm1::BDEMySQL1Click},
        {About1, &TQueryFrm1::About1Click},
    };
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    // A checkable item flips its own mark before its handler runs; these handlers set the marks
    // themselves, so the flip is undone first.
    const std::pair<QAction*, std::function<void()>> checkable[] = {
        {Usefriendlyname1, [this] { Usefriendlyname1Click(); }},
        {English1, [this] { SetLanguage(English1); }},
        {Croatian1, [this] { SetLanguage(Croatian1); }},
    };
    for (const auto& [action, handler] : checkable)
        connect(action, &QAction::triggered, this, [action, handler] {
            action->setChecked(!action->isChecked());
            handler();
        });
}

void TQueryFrm1::buildToolbar() {
    auto* layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(1);
    auto* runClose = new QButtonGroup(this);
    runClose->setExclusive(false);
    for (const ToolbarEntry& e : kToolbar) {
        auto* b = new QToolButton(Panel3);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(e.number));
        b->setIcon(ToolbarGlyph(e.number));
        b->setIconSize(QSize(18, 18));
        b->setFixedSize(25, 24);
        b->setFocusPolicy(Qt::NoFocus);
        // Clear and Exit are raised; the others are flat.
        b->setAutoRaise(e.number != 26 && e.number != 27);
        if (e.item) {
            QAction* item = this->*e.item;
            connect(b, &QToolButton::clicked, item, &QAction::trigger);
        } else {
            b->setEnabled(false);
        }
        if (e.number == 24 || e.number == 25) {
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
