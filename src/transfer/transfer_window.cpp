#include "transfer/transfer_window.h"

#include "ui/db_grid.h"
#include "ui/object_names.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kDesignWidth = 742;
constexpr int kDesignHeight = 589;

// An indicator the program sets and the operator only reads.
void ReadOnlyIndicator(QAbstractButton* button) {
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    button->setFocusPolicy(Qt::NoFocus);
}

} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    BuildLayout();
    retranslateUi();
    FormCreate();
}

TForm1::~TForm1() {
    testConnection_.Close();
}

void TForm1::BuildLayout() {
    resize(kDesignWidth, kDesignHeight);
    GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
    edtHostname = Named(new QLineEdit(QStringLiteral("localhost"), GroupBox1), "edtHostname");
    edtUsername = Named(new QLineEdit(QStringLiteral("root"), GroupBox1), "edtUsername");
    edtPasswd = Named(new QLineEdit(GroupBox1), "edtPasswd");
    edtPasswd->setEchoMode(QLineEdit::Password);
    edtDatabase = Named(new QLineEdit(GroupBox1), "edtDatabase");
    lblHostname = Named(new QLabel(GroupBox1), "lblHostname");
    lblUsername = Named(new QLabel(GroupBox1), "lblUsername");
    lblPasswd = Named(new QLabel(GroupBox1), "lblPasswd");
    lblDatabase = Named(new QLabel(GroupBox1), "lblDatabase");
    edtDatabase->setEnabled(false);
    lblDatabase->setEnabled(false);
    auto* connectGrid = new QGridLayout(GroupBox1);
    const std::pair<QLabel*, QLineEdit*> rows[] = {{lblHostname, edtHostname},
                                                   {lblUsername, edtUsername},
                                                   {lblPasswd, edtPasswd},
                                                   {lblDatabase, edtDatabase}};
    int row = 0;
    for (const auto& [label, edit] : rows) {
        label->setBuddy(edit);
        connectGrid->addWidget(label, row, 0);
        connectGrid->addWidget(edit, row++, 1);
    }

    CBDB = Named(new QComboBox(this), "CBDB");
    CBALIAS = Named(new QComboBox(this), "CBALIAS");
    for (QComboBox* box : {CBDB, CBALIAS}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->installEventFilter(this);
    }
    lblCBDB = LabelFor(CBDB, "lblCBDB");
    lblCBALIAS = LabelFor(CBALIAS, "lblCBALIAS");
    Button1 = Named(new QPushButton(this), "Button1");
    Button2 = Named(new QPushButton(this), "Button2");
    RB1 = Named(new QRadioButton(this), "RB1");
    RB1->setAutoExclusive(false);
    AR1 = Named(new QCheckBox(this), "AR1");
    AR2 = Named(new QCheckBox(this), "AR2");
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{RB1, AR1, AR2})
        ReadOnlyIndicator(b);
    Button8 = Named(new QPushButton(this), "Button8");
    BitBtn6 = Named(new QPushButton(this), "BitBtn6");

    auto* choices = new QGridLayout;
    choices->addWidget(lblCBDB, 0, 0);
    choices->addWidget(CBDB, 0, 1, 1, 3);
    choices->addWidget(lblCBALIAS, 1, 0);
    choices->addWidget(CBALIAS, 1, 1, 1, 3);
    choices->addWidget(Button1, 2, 0);
    choices->addWidget(Button2, 2, 1);
    choices->addWidget(Button8, 2, 2);
    choices->addWidget(BitBtn6, 2, 3);
    auto* indicators = new QHBoxLayout;
    indicators->addWidget(RB1);
    indicators->addWidget(AR1);
    indicators->addWidget(AR2);
    indicators->addStretch();
    choices->addLayout(indicators, 3, 0, 1, 4);
    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox1, 1);
    top->addLayout(choices, 1);

    // One side: a grid on the left, its statement and buttons on the right.
    auto side = [this](TDBGrid*& grid, const char* gridName, QPlainTextEdit*& memo,
                       const char* memoName, QPushButton*& exec, const char* execName,
                       QPushButton*& close, const char* closeName, QLabel*& counter,
                       const char* counterName) {
        grid = Named(new TDBGrid(this), gridName);
        memo = Named(new QPlainTextEdit(this), memoName);
        exec = Named(new QPushButton(this), execName);
        close = Named(new QPushButton(this), closeName);
        counter = Named(new QLabel(this), counterName);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(exec);
        buttons->addWidget(close);
        buttons->addWidget(counter, 1);
        auto* right = new QVBoxLayout;
        right->addWidget(memo, 1);
        right->addLayout(buttons);
        auto* layout = new QHBoxLayout;
        layout->addWidget(grid, 3);
        layout->addLayout(right, 2);
        return layout;
    };
    auto* mysqlSide = side(DBGrid1, "DBGrid1", Memo1, "Memo1", Button5, "Button5", Button6,
                           "Button6", Label5, "Label5");
    auto* sourceSide = side(DBGrid2, "DBGrid2", Memo2, "Memo2", Button7, "Button7", Button3,
                            "Button3", Label8, "Label8");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(mysqlSide, 1);
    layout->addLayout(sourceSide, 1);

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(CBDB, &QComboBox::currentTextChanged, this, &TForm1::CBDBChange);
    connect(CBALIAS, &QComboBox::currentTextChanged, this, &TForm1::CBALIASChange);
}

void TForm1::retranslateUi() {
    setWindowTitle(tr("BDE->MySQL"));
    GroupBox1->setTitle(tr("Connect Info"));
    lblHostname->setText(tr("Hostname:"));
    lblUsername->setText(tr("Username:"));
    lblPasswd->setText(tr("Password:"));
    lblDatabase->setText(tr("Database:"));
    lblCBDB->setText(tr("MySQL DB's:"));
    lblCBALIAS->setText(tr("BDE alias:"));
    Button1->setText(tr("Connect"));
    Button2->setText(tr("Disconnect"));
    RB1->setText(tr("Global"));
    AR1->setText(tr("DB1"));
    AR2->setText(tr("DB2"));
    Button8->setText(tr("BDE -> MySQL"));
    BitBtn6->setText(tr("Return"));
    Button5->setText(tr("Exec. MySQL"));
    Button6->setText(tr("Close QRY"));
    Button7->setText(tr("Exec. BDE"));
    Button3->setText(tr("Close QRY"));
    Memo1->setAccessibleName(tr("MySQL statement"));
    Memo2->setAccessibleName(tr("BDE statement"));
    DBGrid1->setAccessibleName(tr("MySQL rows"));
    DBGrid2->setAccessibleName(tr("BDE rows"));
}

void TForm1::FormCreate() {
    // Small screens: scaled against 800 x 600 and shown maximised.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    if (area.width() < 800 && area.height() < 600) {
        scaled_ = true;
        resize(area.width() * kDesignWidth / 800, area.height() * kDesignHeight / 600);
        QFont f = font();
        if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, f.pixelSize() * area.width() / 800));
        else
            f.setPointSizeF(std::max(1.0, f.pointSizeF() * area.width() / 800));
        setFont(f);
        setWindowState(Qt::WindowMaximized);
    } else {
        QRect g(0, 0, kDesignWidth, kDesignHeight);
        g.moveCenter(area.center());
        setGeometry(g);
    }
    testConnected_ = 0;
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    // Closing by the close box brings the hidden main window back, like "Return".
    if (mainWindow_)
        mainWindow_->show();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // Leaving a drop-down runs its change handler.
    if (event->type() == QEvent::FocusOut) {
        if (watched == CBDB)
            CBDBChange();
        else if (watched == CBALIAS)
            CBALIASChange();
    }
    return QWidget::eventFilter(watched, event);
}
