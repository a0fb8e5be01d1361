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

namespace {

constexpr int kButtonWidth = 53;
constexpr int kButtonHeight = 22;
// Wide enough for the longest fixed privilege name.
constexpr int kPrivilegeListWidth = 115;

QPushButton* NewButton(QWidget* page, const char* name) {
    auto* b = Named(new QPushButton(page), name);
    b->setMinimumSize(kButtonWidth, kButtonHeight);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* NewEdit(QWidget* page, const char* name, bool masked) {
    auto* e = Named(new QLineEdit(page), name);
    if (masked)
        e->setEchoMode(QLineEdit::Password);
    return e;
}

TCheckListBox* NewList(QWidget* page, const char* name, QLabel*& label) {
    auto* l = Named(new TCheckListBox(page), name);
    label = new QLabel(page);
    label->setBuddy(l);
    return l;
}

// A label over its list, as one column.
QVBoxLayout* Labelled(QLabel* label, QWidget* list) {
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(label);
    column->addWidget(list, 1);
    return column;
}

// "< Back", "Finish", "Next >" at the bottom right; a button the page lacks is null.
QHBoxLayout* ButtonRow(QPushButton* back, QPushButton* finish, QPushButton* next) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : {back, finish, next})
        if (b)
            row->addWidget(b);
    return row;
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

QWidget* TfrmGrants::newPage(const char* name, QPlainTextEdit*& memo, const QStringList& help) {
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
    UserPage =
        newPage("User", Memo1,
                {QStringLiteral("Please enter identification data"),
                 QStringLiteral("for the new user. Value of % in"),
                 QStringLiteral("Connect from host field means"),
                 QStringLiteral("that user can connect from any"), QStringLiteral("location.")});
    edUser = NewEdit(UserPage, "edUser", false);
    edFromhost = NewEdit(UserPage, "edFromhost", false);
    edFromhost->setText(QStringLiteral("%"));
    edPwd = NewEdit(UserPage, "edPwd", true);
    edConfirm = NewEdit(UserPage, "edConfirm", true);
    lblUser = new QLabel(UserPage);
    lblUser->setBuddy(edUser);
    lblFromhost = new QLabel(UserPage);
    lblFromhost->setBuddy(edFromhost);
    lblPwd = new QLabel(UserPage);
    lblPwd->setBuddy(edPwd);
    auto* fields = new QVBoxLayout;
    fields->setSpacing(2);
    for (QWidget* w : {static_cast<QWidget*>(lblUser), static_cast<QWidget*>(edUser),
                       static_cast<QWidget*>(lblFromhost), static_cast<QWidget*>(edFromhost),
                       static_cast<QWidget*>(lblPwd), static_cast<QWidget*>(edPwd),
                       static_cast<QWidget*>(edConfirm)})
        fields->addWidget(w);
    fields->addStretch(1);
    BitBtn1 = NewButton(UserPage, "BitBtn1");
    LayOutPage(UserPage, Memo1, fields, nullptr, nullptr, ButtonRow(nullptr, nullptr, BitBtn1));
}

void TfrmGrants::buildServerGrantorPage() {
    ServerGrantorPage = newPage("ServerGrantor", Memo2,
                                {QStringLiteral("Please enter identification data"),
                                 QStringLiteral("for grantor of privileges and then"),
                                 QStringLiteral("check server for new user entry.")});
    Grantor = NewEdit(ServerGrantorPage, "Grantor", false);
    GrantorPWD = NewEdit(ServerGrantorPage, "GrantorPWD", true);
    lblGrantor = new QLabel(ServerGrantorPage);
    lblGrantor->setBuddy(Grantor);
    lblGrantorPWD = new QLabel(ServerGrantorPage);
    lblGrantorPWD->setBuddy(GrantorPWD);
    clbHosts = NewList(ServerGrantorPage, "clbHosts", lblHosts);
    lblLayout = Named(new QLabel(ServerGrantorPage), "lblLayout");
    lblLayout->setWordWrap(true);
    lblLayout->setTextFormat(Qt::PlainText);
    // Room for the two lines the grant check may write, so the page does not jump.
    lblLayout->setMinimumHeight(2 * QFontMetrics(lblLayout->font()).lineSpacing());
    auto* fields = new QVBoxLayout;
    fields->setSpacing(2);
    for (QWidget* w : {static_cast<QWidget*>(lblGrantor), static_cast<QWidget*>(Grantor),
                       static_cast<QWidget*>(lblGrantorPWD), static_cast<QWidget*>(GrantorPWD)})
        fields->addWidget(w);
    fields->addSpacing(4);
    fields->addLayout(Labelled(lblHosts, clbHosts), 1);
    BitBtn2 = NewButton(ServerGrantorPage, "BitBtn2");
    BitBtn3 = NewButton(ServerGrantorPage, "BitBtn3");
    BitBtn3->setEnabled(false);
    BitBtn4 = NewButton(ServerGrantorPage, "BitBtn4");
    LayOutPage(ServerGrantorPage, Memo2, fields, nullptr, lblLayout,
               ButtonRow(BitBtn2, BitBtn3, BitBtn4));
}

void TfrmGrants::buildUserfrmPage() {
    UserfrmPage = newPage("Userfrm", Memo3,
                          {QStringLiteral("Please check set of global"),
                           QStringLiteral("privileges for the new user. "),
                           QStringLiteral("Unchecked fields are set to"),
                           QStringLiteral("default value of 'NO'.")});
    clbUserpriv = NewList(UserfrmPage, "clbUserpriv", lblUserpriv);
    BitBtn8 = NewButton(UserfrmPage, "BitBtn8");
    BitBtn9 = NewButton(UserfrmPage, "BitBtn9");
    BitBtn10 = NewButton(UserfrmPage, "BitBtn10");
    LayOutPage(UserfrmPage, Memo3, Labelled(lblUserpriv, clbUserpriv), nullptr, nullptr,
               ButtonRow(BitBtn8, BitBtn9, BitBtn10));
}

void TfrmGrants::buildDBsPage() {
    DBsPage = newPage("DBs", Memo4,
                      {QStringLiteral("Please check database to set"),
                       QStringLiteral("privileges on for new user.")});
    clbDB = NewList(DBsPage, "clbDB", lblDB);
    BitBtn5 = NewButton(DBsPage, "BitBtn5");
    BitBtn6 = NewButton(DBsPage, "BitBtn6");
    BitBtn6->setEnabled(false);
    BitBtn7 = NewButton(DBsPage, "BitBtn7");
    LayOutPage(DBsPage, Memo4, Labelled(lblDB, clbDB), nullptr, nullptr,
               ButtonRow(BitBtn5, BitBtn6, BitBtn7));
}

void TfrmGrants::buildHostDBfrmPage() {
    HostDBfrmPage = newPage("HostDBfrm", Memo5,
                            {QStringLiteral("Please check privileges from HOST"),
                             QStringLiteral("and DB tables. Mind that server "),
                             QStringLiteral("AND's privileges together and OR's"),
                             QStringLiteral("them with global privileges.")});
    clbHostpriv = NewList(HostDBfrmPage, "clbHostpriv", lblHostpriv);
    clbDBpriv = NewList(HostDBfrmPage, "clbDBpriv", lblDBpriv);
    BitBtn11 = NewButton(HostDBfrmPage, "BitBtn11");
    BitBtn12 = NewButton(HostDBfrmPage, "BitBtn12");
    BitBtn13 = NewButton(HostDBfrmPage, "BitBtn13");
    LayOutPage(HostDBfrmPage, Memo5, Labelled(lblHostpriv, clbHostpriv),
               Labelled(lblDBpriv, clbDBpriv), nullptr, ButtonRow(BitBtn11, BitBtn12, BitBtn13));
}

void TfrmGrants::buildTablesPage() {
    TablesPage = newPage("Tables", Memo6,
                         {QStringLiteral("Please check table to set"),
                          QStringLiteral("privileges on and then check"),
                          QStringLiteral("set of privileges.")});
    clbTable = NewList(TablesPage, "clbTable", lblTable);
    clbTablepriv = NewList(TablesPage, "clbTablepriv", lblTablepriv);
    clbTableColpriv = NewList(TablesPage, "clbTableColpriv", lblTableColpriv);
    clbTablepriv->AddEntries({QStringLiteral("Select"), QStringLiteral("Insert"),
                              QStringLiteral("Update"), QStringLiteral("Delete"),
                              QStringLiteral("Create"), QStringLiteral("Drop"),
                              QStringLiteral("Grant"), QStringLiteral("References"),
                              QStringLiteral("Index"), QStringLiteral("Alter")});
    clbTableColpriv->AddEntries({QStringLiteral("Select"), QStringLiteral("Insert"),
                                 QStringLiteral("Update"), QStringLiteral("References")});
    auto* lists = new QHBoxLayout;
    lists->addLayout(Labelled(lblTablepriv, clbTablepriv));
    lists->addLayout(Labelled(lblTableColpriv, clbTableColpriv));
    BitBtn14 = NewButton(TablesPage, "BitBtn14");
    BitBtn15 = NewButton(TablesPage, "BitBtn15");
    BitBtn16 = NewButton(TablesPage, "BitBtn16");
    for (TCheckListBox* l : {clbTablepriv, clbTableColpriv})
        l->setMaximumWidth(kPrivilegeListWidth);
    LayOutPage(TablesPage, Memo6, Labelled(lblTable, clbTable), lists, nullptr,
               ButtonRow(BitBtn14, BitBtn15, BitBtn16));
}

void TfrmGrants::buildColumnsPage() {
    ColumnsPage = newPage("Columns", Memo7,
                          {QStringLiteral("Please check column to set"),
                           QStringLiteral("privileges on and then check"),
                           QStringLiteral("set of privileges.")});
    clbCol = NewList(ColumnsPage, "clbCol", lblCol);
    clbColpriv = NewList(ColumnsPage, "clbColpriv", lblColpriv);
    clbColpriv->AddEntries({QStringLiteral("Select"), QStringLiteral("Insert"),
                            QStringLiteral("Update"), QStringLiteral("References")});
    BitBtn17 = NewButton(ColumnsPage, "BitBtn17");
    BitBtn18 = NewButton(ColumnsPage, "BitBtn18");
    LayOutPage(ColumnsPage, Memo7, Labelled(lblCol, clbCol), Labelled(lblColpriv, clbColpriv),
               nullptr, ButtonRow(BitBtn17, BitBtn18, nullptr));
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
