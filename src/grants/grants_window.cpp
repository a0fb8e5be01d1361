#include "grants/grants_window.h"

#include "grants/grants_state.h"
#include "ui/check_list_box.h"
#include "ui/object_names.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kButtonWidth = 53;
constexpr int kButtonHeight = 22;
// Wide enough for the longest fixed privilege name.
constexpr int kPrivilegeListWidth = 115;

// The help text beside each page, line by line, in the order of the pages; the same in every
// language.
const std::vector<const char*> kPageHelp[] = {
    {"Please enter identification data", "for the new user. Value of % in",
     "Connect from host field means", "that user can connect from any", "location."},
    {"Please enter identification data", "for grantor of privileges and then",
     "check server for new user entry."},
    {"Please check set of global", "privileges for the new user. ", "Unchecked fields are set to",
     "default value of 'NO'."},
    {"Please check database to set", "privileges on for new user."},
    {"Please check privileges from HOST", "and DB tables. Mind that server ",
     "AND's privileges together and OR's", "them with global privileges."},
    {"Please check table to set", "privileges on and then check", "set of privileges."},
    {"Please check column to set", "privileges on and then check", "set of privileges."},
};

QLineEdit* NewEdit(QWidget* page, const char* name, bool masked) {
    auto* e = Named(new QLineEdit(page), name);
    if (masked)
        e->setEchoMode(QLineEdit::Password);
    return e;
}

TCheckListBox* NewList(QWidget* page, const char* name, QLabel*& label) {
    auto* l = Named(new TCheckListBox(page), name);
    label = LabelFor(l);
    return l;
}

// Labels and fields one under the other, closely spaced.
QVBoxLayout* FieldColumn(std::initializer_list<QWidget*> widgets) {
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    for (QWidget* w : widgets)
        column->addWidget(w);
    return column;
}

// A label over its list, as one column.
QVBoxLayout* Labelled(QLabel* label, QWidget* list) {
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(label);
    column->addWidget(list, 1);
    return column;
}

// The page's buttons ("< Back", "Finish", "Next >", or some of them, in that order) in a row at the
// bottom right, named BitBtn<first>, BitBtn<first + 1>, … from left to right.
QHBoxLayout* NewButtonRow(QWidget* page, int first, std::initializer_list<QPushButton**> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton** b : buttons) {
        *b = new QPushButton(page);
        (*b)->setObjectName(QStringLiteral("BitBtn%1").arg(first++));
        (*b)->setMinimumSize(kButtonWidth, kButtonHeight);
        (*b)->setAutoDefault(false);
        row->addWidget(*b);
    }
    return row;
}

// The privileges a column can be given.
QStringList ColumnPrivileges() {
    return {QStringLiteral("Select"), QStringLiteral("Insert"), QStringLiteral("Update"),
            QStringLiteral("References")};
}

} // namespace

TfrmGrants::TfrmGrants(const QStringList& servers, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmGrants"));
    buildPages();
    clbHosts->AddEntries(servers);
    connect(clbHosts, &TCheckListBox::ClickCheck, this, &TfrmGrants::clbHostsClickCheck);
    retranslateUi();
    resize(kDesignWidth, kDesignHeight);
    // The tabs are hidden: the operator moves with the buttons only.
    ShowPage(User);
}

TfrmGrants::~TfrmGrants() {
    FormClose();
}

QWidget* TfrmGrants::newPage(const char* name, QPlainTextEdit*& memo) {
    QStringList help;
    for (const char* line : kPageHelp[PC1->count()])
        help += QString::fromUtf8(line);
    auto* page = Named(new QWidget(PC1), name);
    memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("Memo%1").arg(PC1->count() + 1));
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->viewport()->setAutoFillBackground(false);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The help texts are the same in every language; the memo is as large as its lines.
    memo->setPlainText(help.join(QLatin1Char('\n')));
    const QFontMetrics metrics(memo->font());
    int width = 0;
    for (const QString& line : help)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int margin = 2 * static_cast<int>(memo->document()->documentMargin()) + 4;
    memo->setFixedSize(width + margin,
                       metrics.lineSpacing() * static_cast<int>(help.size()) + margin);
    PC1->addWidget(page);
    return page;
}

// A page: its content left of the help text and, when there is more, below it; a footer line
// (may be null) across the page; the buttons at the bottom right.
static void LayOutPage(QWidget* page, QPlainTextEdit* memo, QLayout* left, QLayout* below,
                       QWidget* footer, QHBoxLayout* buttons) {
    auto* grid = new QGridLayout;
    grid->addWidget(memo, 0, 1, Qt::AlignTop);
    grid->addLayout(left, 0, 0, 2, 1);
    if (below)
        grid->addLayout(below, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(grid, 1);
    if (footer)
        column->addWidget(footer);
    column->addLayout(buttons);
}

void TfrmGrants::buildUserPage() {
    UserPage = newPage("User", Memo1);
    edUser = NewEdit(UserPage, "edUser", false);
    edFromhost = NewEdit(UserPage, "edFromhost", false);
    edFromhost->setText(QStringLiteral("%"));
    edPwd = NewEdit(UserPage, "edPwd", true);
    edConfirm = NewEdit(UserPage, "edConfirm", true);
    lblUser = LabelFor(edUser);
    lblFromhost = LabelFor(edFromhost);
    lblPwd = LabelFor(edPwd);
    auto* fields =
        FieldColumn({lblUser, edUser, lblFromhost, edFromhost, lblPwd, edPwd, edConfirm});
    fields->addStretch(1);
    LayOutPage(UserPage, Memo1, fields, nullptr, nullptr, NewButtonRow(UserPage, 1, {&BitBtn1}));
}

void TfrmGrants::buildServerGrantorPage() {
    ServerGrantorPage = newPage("ServerGrantor", Memo2);
    Grantor = NewEdit(ServerGrantorPage, "Grantor", false);
    GrantorPWD = NewEdit(ServerGrantorPage, "GrantorPWD", true);
    lblGrantor = LabelFor(Grantor);
    lblGrantorPWD = LabelFor(GrantorPWD);
    clbHosts = NewList(ServerGrantorPage, "clbHosts", lblHosts);
    lblLayout = Named(new QLabel(ServerGrantorPage), "lblLayout");
    lblLayout->setWordWrap(true);
    lblLayout->setTextFormat(Qt::PlainText);
    // Room for the two lines the grant check may write, so the page does not jump.
    lblLayout->setMinimumHeight(2 * QFontMetrics(lblLayout->font()).lineSpacing());
    auto* fields = FieldColumn({lblGrantor, Grantor, lblGrantorPWD, GrantorPWD});
    fields->addSpacing(4);
    fields->addLayout(Labelled(lblHosts, clbHosts), 1);
    LayOutPage(ServerGrantorPage, Memo2, fields, nullptr, lblLayout,
               NewButtonRow(ServerGrantorPage, 2, {&BitBtn2, &BitBtn3, &BitBtn4}));
    BitBtn3->setEnabled(false);
}

void TfrmGrants::buildUserfrmPage() {
    UserfrmPage = newPage("Userfrm", Memo3);
    clbUserpriv = NewList(UserfrmPage, "clbUserpriv", lblUserpriv);
    LayOutPage(UserfrmPage, Memo3, Labelled(lblUserpriv, clbUserpriv), nullptr, nullptr,
               NewButtonRow(UserfrmPage, 8, {&BitBtn8, &BitBtn9, &BitBtn10}));
}

void TfrmGrants::buildDBsPage() {
    DBsPage = newPage("DBs", Memo4);
    clbDB = NewList(DBsPage, "clbDB", lblDB);
    LayOutPage(DBsPage, Memo4, Labelled(lblDB, clbDB), nullptr, nullptr,
               NewButtonRow(DBsPage, 5, {&BitBtn5, &BitBtn6, &BitBtn7}));
    BitBtn6->setEnabled(false);
}

void TfrmGrants::buildHostDBfrmPage() {
    HostDBfrmPage = newPage("HostDBfrm", Memo5);
    clbHostpriv = NewList(HostDBfrmPage, "clbHostpriv", lblHostpriv);
    clbDBpriv = NewList(HostDBfrmPage, "clbDBpriv", lblDBpriv);
    LayOutPage(HostDBfrmPage, Memo5, Labelled(lblHostpriv, clbHostpriv),
               Labelled(lblDBpriv, clbDBpriv), nullptr,
               NewButtonRow(HostDBfrmPage, 11, {&BitBtn11, &BitBtn12, &BitBtn13}));
}

void TfrmGrants::buildTablesPage() {
    TablesPage = newPage("Tables", Memo6);
    clbTable = NewList(TablesPage, "clbTable", lblTable);
    clbTablepriv = NewList(TablesPage, "clbTablepriv", lblTablepriv);
    clbTableColpriv = NewList(TablesPage, "clbTableColpriv", lblTableColpriv);
    clbTablepriv->AddEntries({QStringLiteral("Select"), QStringLiteral("Insert"),
                              QStringLiteral("Update"), QStringLiteral("Delete"),
                              QStringLiteral("Create"), QStringLiteral("Drop"),
                              QStringLiteral("Grant"), QStringLiteral("References"),
                              QStringLiteral("Index"), QStringLiteral("Alter")});
    clbTableColpriv->AddEntries(ColumnPrivileges());
    auto* lists = new QHBoxLayout;
    lists->addLayout(Labelled(lblTablepriv, clbTablepriv));
    lists->addLayout(Labelled(lblTableColpriv, clbTableColpriv));
    for (TCheckListBox* l : {clbTablepriv, clbTableColpriv})
        l->setMaximumWidth(kPrivilegeListWidth);
    LayOutPage(TablesPage, Memo6, Labelled(lblTable, clbTable), lists, nullptr,
               NewButtonRow(TablesPage, 14, {&BitBtn14, &BitBtn15, &BitBtn16}));
}

void TfrmGrants::buildColumnsPage() {
    ColumnsPage = newPage("Columns", Memo7);
    clbCol = NewList(ColumnsPage, "clbCol", lblCol);
    clbColpriv = NewList(ColumnsPage, "clbColpriv", lblColpriv);
    clbColpriv->AddEntries(ColumnPrivileges());
    LayOutPage(ColumnsPage, Memo7, Labelled(lblCol, clbCol), Labelled(lblColpriv, clbColpriv),
               nullptr, NewButtonRow(ColumnsPage, 17, {&BitBtn17, &BitBtn18}));
}

void TfrmGrants::buildPages() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    PC1 = Named(new QStackedWidget(this), "PC1");
    outer->addWidget(PC1);

    buildUserPage();
    buildServerGrantorPage();
    buildUserfrmPage();
    buildDBsPage();
    buildHostDBfrmPage();
    buildTablesPage();
    buildColumnsPage();

    const std::pair<QPushButton*, void (TfrmGrants::*)()> handlers[] = {
        {BitBtn1, &TfrmGrants::BitBtn1Click},   {BitBtn2, &TfrmGrants::BitBtn2Click},
        {BitBtn4, &TfrmGrants::BitBtn4Click},   {BitBtn5, &TfrmGrants::BitBtn5Click},
        {BitBtn7, &TfrmGrants::BitBtn7Click},   {BitBtn8, &TfrmGrants::BitBtn8Click},
        {BitBtn9, &TfrmGrants::BitBtn9Click},   {BitBtn10, &TfrmGrants::BitBtn10Click},
        {BitBtn11, &TfrmGrants::BitBtn11Click}, {BitBtn12, &TfrmGrants::BitBtn12Click},
        {BitBtn13, &TfrmGrants::BitBtn13Click}, {BitBtn14, &TfrmGrants::BitBtn14Click},
        {BitBtn15, &TfrmGrants::BitBtn15Click}, {BitBtn16, &TfrmGrants::BitBtn16Click},
        {BitBtn17, &TfrmGrants::BitBtn17Click}, {BitBtn18, &TfrmGrants::BitBtn18Click},
    };
    for (const auto& [button, handler] : handlers)
        connect(button, &QPushButton::clicked, this, handler);
}

void TfrmGrants::retranslateUi() {
    setWindowTitle(tr("Grants wizard"));
    lblUser->setText(tr("New user name:"));
    lblFromhost->setText(tr("Connect from host:"));
    lblPwd->setText(tr("New user password:"));
    edConfirm->setAccessibleName(tr("Repeat password:"));
    lblGrantor->setText(tr("Grantor:"));
    lblGrantorPWD->setText(tr("Password:"));
    lblHosts->setText(tr("Available servers: "));
    lblUserpriv->setText(tr("User table:"));
    lblDB->setText(tr("Available DBs:"));
    lblHostpriv->setText(tr("Host table:"));
    lblDBpriv->setText(tr("DB table:"));
    lblTable->setText(tr("Available tables:"));
    lblTablepriv->setText(tr("Tables_Priv table:"));
    lblTableColpriv->setText(tr("Column_priv:"));
    lblCol->setText(tr("Available columns:"));
    lblColpriv->setText(tr("Col_priv table:"));
    for (QPushButton* b : {BitBtn2, BitBtn5, BitBtn8, BitBtn11, BitBtn14, BitBtn17})
        b->setText(tr("< Back"));
    for (QPushButton* b : {BitBtn3, BitBtn6, BitBtn9, BitBtn12, BitBtn15, BitBtn18})
        b->setText(tr("Finish"));
    for (QPushButton* b : {BitBtn1, BitBtn4, BitBtn7, BitBtn10, BitBtn13, BitBtn16})
        b->setText(tr("Next >"));
}

int TfrmGrants::pageIndex() const {
    return PC1->currentIndex();
}

// Showing a page puts the focus on its first field or list.
void TfrmGrants::ShowPage(int index) {
    PC1->setCurrentIndex(index);
    QWidget* const focus[] = {edUser, Grantor, clbUserpriv, clbDB, clbHostpriv, clbTable, clbCol};
    focus[index]->setFocus();
}

void TfrmGrants::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}

void TfrmGrants::done(int result) {
    FormClose();
    QDialog::done(result);
}

// Closing the window closes the grantor connection once a grantor has connected.
void TfrmGrants::FormClose() {
    if (closed_)
        return;
    closed_ = true;
    GrantsState& s = grantsState();
    if (s.grantorConnected > 0)
        s.grantor.Close();
}

// "< Back" on ServerGrantor: the grantor's entries cleared, the user page.
void TfrmGrants::BitBtn2Click() {
    Grantor->clear();
    GrantorPWD->clear();
    ShowPage(User);
}

// "Next >" on ServerGrantor: the global privileges the grant check listed.
void TfrmGrants::BitBtn4Click() {
    ShowPage(Userfrm);
}

// "< Back" on Userfrm: the server page. The privilege columns stay: only a new grant check reads
// them again, and "Next >" there reads nothing.
void TfrmGrants::BitBtn8Click() {
    ShowPage(ServerGrantor);
}

// "< Back" on DBs: the global privileges page. The databases stay: "Next >" on Userfrm lists them
// again only when it writes a user.
void TfrmGrants::BitBtn5Click() {
    ShowPage(Userfrm);
}

// "< Back" on HostDBfrm: the privilege lists cleared, the databases page.
void TfrmGrants::BitBtn11Click() {
    clbHostpriv->clear();
    clbDBpriv->clear();
    ShowPage(DBs);
}

// "< Back" on Tables: the table list cleared, the host and database privileges page.
void TfrmGrants::BitBtn14Click() {
    clbTable->clear();
    ShowPage(HostDBfrm);
}

// "< Back" on Columns: the tables page; the table leaves its list when something was granted on it.
void TfrmGrants::BitBtn17Click() {
    clbCol->clear();
    if (grantedTables_.contains(columnsTable_))
        clbTable->RemoveTexts({columnsTable_});
    columnsTable_.clear();
    ShowPage(Tables);
}
