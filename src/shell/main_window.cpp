#include "shell/main_window.h"

#include "commands/clear_window.h"
#include "commands/command_guard.h"
#include "commands/status_panels.h"
#include "shell/data_module.h"
#include "shell/locale_ids.h"
#include "shell/main_commands.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"
#include "ui/filter_bar.h"
#include "ui/language.h"
#include "ui/operator_log.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"
#include "ui/registry.h"
#include "ui/scale_widgets.h"
#include "ui/statement_runner.h"
#include "ui/status_bar.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>

namespace {
// How often a close that waits for a stopped statement looks again.
constexpr int kCloseCheckMs = 50;
} // namespace

std::function<QRect()> TQueryFrm1::screenArea = [] {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
};

TQueryFrm1::TQueryFrm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("QueryFrm1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    setFont(f);

    buildMenus();
    buildPanels();
    buildToolbar();
    buildStatusBar();
    ConnectBrowserEvents();
    setLanguageFlagItem(English1);
    retranslateUi();
    resize(kDesignWidth, kDesignHeight);
    FormCreate();
    statementRunner_ = std::make_unique<StatementRunner>(this);
    closeWhenIdle_.setInterval(kCloseCheckMs);
    connect(&closeWhenIdle_, &QTimer::timeout, this, [this] {
        if (StatementRunner::Running() || CommandGuard::Busy())
            return;
        closeWhenIdle_.stop();
        close();
    });
}

TQueryFrm1::~TQueryFrm1() = default;

QToolButton* TQueryFrm1::SpeedButton(int number) const {
    return findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(number));
}

QAction* TQueryFrm1::CommandAction(const char* name) const {
    const auto found = commandActions_.find(name);
    return found == commandActions_.end() ? nullptr : found->second;
}

void TQueryFrm1::retranslateUi() {
    setWindowTitle(tr("ADMIN form"));
    GroupBox1->setTitle(tr("Connect Info"));
    lblServer->setText(tr("Server:"));
    lblUsername->setText(tr("Username:"));
    lblPassword->setText(tr("Password:"));
    lblDatabase->setText(tr("Database:"));
    RadioGroup1->setTitle(tr("DB"));
    lblTables->setText(tr("Tables: doubleclick to view data, right click for menu:"));
    lblQuery->setText(tr("Query: place for query-entering (doubleclick to run):"));
    Memo1->setToolTip(tr("Query memo"));
    Memo1->setAccessibleName(tr("Query memo"));
    // A list is not named by its label on its own.
    ListBox1->setAccessibleName(lblTables->text());

    File1->setTitle(tr("Main"));
    Server1->setTitle(tr("Server"));
    Manipulate1->setTitle(tr("Manipulate"));
    View1->setTitle(tr("View"));
    Users1->setTitle(tr("Users"));
    Database1->setTitle(tr("Database"));
    DB1->setTitle(tr("DB"));
    Table1->setTitle(tr("Table"));
    Query1->setTitle(tr("Query"));
    Language1->setTitle(tr("Language"));
    English1->setText(tr("English/Other"));
    Croatian1->setText(tr("Croatian"));
    for (const MainCommand& c : MainCommands()) {
        if (QAction* item = c.name ? CommandAction(c.name) : nullptr)
            item->setText(tr(c.text));
        if (c.button.number && c.button.hint) {
            QToolButton* b = SpeedButton(c.button.number);
            b->setToolTip(tr(c.button.hint));
            b->setAccessibleName(tr(c.button.hint));
        }
    }
}

void TQueryFrm1::AttachDataModule(TDM1& dataModule) {
    dataModule_ = &dataModule;
    DBGrid1->setDataSource(dataModule.DataSource1);
    DBNavigator1->setDataSource(dataModule.DataSource1);
    FilterBar->setGrid(DBGrid1);
}

void TQueryFrm1::ClearStatusPanels() {
    ::ClearStatusPanels(*FRSB1);
}

ConnectionInputs TQueryFrm1::connectionInputs() const {
    RegisterSecret(edtPasswd->text()); // never written to the operator's log
    return {edtHostname->currentText(), CurrentHost, edtUsername->text(), edtPasswd->text(),
            edtDatabase->text()};
}

SharedQuery* TQueryFrm1::sharedQuery() {
    return dataModule_;
}

void TQueryFrm1::FormCreate() {
    // Small screens: scale the window, its fonts and every fixed size of its controls by the
    // screen's width : 800, and open it maximised.
    const QRect screen = screenArea();
    if (screen.width() < 800 && screen.height() < 600) {
        scaled_ = true;
        resize(screen.width() * kDesignWidth / 800, screen.height() * kDesignHeight / 600);
        QFont f = font();
        f.setPixelSize(std::max(1, f.pixelSize() * screen.width() / 800));
        setFont(f);
        ScaleFixedSizes(*this, screen.width(), 800);
        setWindowState(Qt::WindowMaximized);
    }

    Registry reg;
    reg.OpenKey(QString(), true);
    if (reg.ValueExists(QStringLiteral("Friendly")))
        Usefriendlyname1->setChecked(reg.ReadInteger(QStringLiteral("Friendly")) == 1);
    if (!scaled_) {
        QRect g = geometry();
        if (reg.ValueExists(QStringLiteral("Top")))
            g.moveTop(reg.ReadInteger(QStringLiteral("Top")));
        if (reg.ValueExists(QStringLiteral("Left")))
            g.moveLeft(reg.ReadInteger(QStringLiteral("Left")));
        if (reg.ValueExists(QStringLiteral("Width")))
            g.setWidth(reg.ReadInteger(QStringLiteral("Width")));
        if (reg.ValueExists(QStringLiteral("Height")))
            g.setHeight(reg.ReadInteger(QStringLiteral("Height")));
        setGeometry(g);
    }
    if (reg.ValueExists(QStringLiteral("User")))
        edtUsername->setText(reg.ReadString(QStringLiteral("User")));
    if (reg.KeyExists(QStringLiteral("Hostlist")))
        LoadSavedServers();
    reg.CloseKey();
    // The start language follows the system locale: Croatian for 1050, English for all others.
    SetLanguage(SystemLocaleId() == kLocaleCroatian ? Croatian1 : English1);
}

void TQueryFrm1::showEvent(QShowEvent* event) {
    // The window opens centred on the screen with its restored size.
    if (!centred_ && !scaled_) {
        centred_ = true;
        const QRect screen = screenArea();
        QRect g = geometry();
        g.moveCenter(screen.center());
        setGeometry(g);
    }
    QMainWindow::showEvent(event);
}

void TQueryFrm1::closeEvent(QCloseEvent* event) {
    // A statement still running is stopped first; the window closes once its command has ended,
    // so that what the command has done is kept.
    if (StatementRunner::Running()) {
        StatementRunner::StopRunning();
        closeWhenIdle_.start();
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TQueryFrm1::FormClose() {
    Registry reg;
    reg.OpenKey(QString(), true);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QRect g = geometry();
        reg.WriteInteger(QStringLiteral("Top"), g.top());
        reg.WriteInteger(QStringLiteral("Left"), g.left());
        reg.WriteInteger(QStringLiteral("Width"), g.width());
        reg.WriteInteger(QStringLiteral("Height"), g.height());
    }
    reg.WriteString(QStringLiteral("Host"), edtHostname->currentText());
    reg.WriteString(QStringLiteral("User"), edtUsername->text());
    reg.WriteInteger(QStringLiteral("Friendly"), Usefriendlyname1->isChecked() ? 1 : 0);
    if (!reg.Sync())
        prompts().message(
            BiText(QStringLiteral("The settings file %1 could not be written: the window's place "
                                  "and the last user are not saved.")
                       .arg(reg.FileName()),
                   QStringLiteral("Datoteku postavki %1 nije moguće zapisati: položaj prozora i "
                                  "zadnji korisnik nisu spremljeni.")
                       .arg(reg.FileName())),
            PromptIcon::Warning);
    reg.CloseKey();
    RunCommand(&ClearMainWindow);
}

bool TQueryFrm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtPasswd && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            edtPasswdEnter();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
