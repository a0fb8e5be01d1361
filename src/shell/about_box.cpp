#include "shell/about_box.h"

#include "shell/about_pictures.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "ui/object_names.h"
#include "ui/prompts.h"
#include "ui/screen_placement.h"
#include "ui/url_label.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* l = Named(new QLabel(parent), name);
    l->setGeometry(geometry);
    return l;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kClientWidth, kClientHeight);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    setFont(f);

    Panel1 = Named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 282, 308);

    Label1 = NewLabel(Panel1, "Label1", QRect(4, 4, 273, 18));
    Label1->setAlignment(Qt::AlignCenter);
    QFont title = f;
    title.setPixelSize(0);
    title.setPointSize(10);
    title.setBold(true);
    Label1->setFont(title);
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);

    ProgramIcon = NewLabel(Panel1, "ProgramIcon", QRect(4, 24, 273, 69));
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(DrawAboutBanner(QSize(273, 69)));

    Label2 = NewLabel(Panel1, "Label2", QRect(4, 94, 273, 28));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignCenter);

    Image1 = NewLabel(Panel1, "Image1", QRect(3, 123, 180, 120));
    Image1->setPixmap(DrawAboutPicture(QSize(180, 120)));

    Label3 = NewLabel(Panel1, "Label3", QRect(186, 123, 93, 100));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    UrlLabel1 = Named(new TUrlLabel(Panel1), "UrlLabel1");
    UrlLabel1->setGeometry(186, 226, 93, 16);
    UrlLabel1->setText(QString::fromLatin1(kProjectWebAddress).mid(8)); // without "https://"
    UrlLabel1->setURL(QString::fromLatin1(kProjectWebAddress));
    UrlLabel1->setToolTip(QString::fromLatin1(kProjectWebAddress));
    // Wide system fonts would clip the address beside the picture: step the size down to fit.
    QFont link = UrlLabel1->font();
    while (link.pixelSize() > 8 &&
           QFontMetrics(link).horizontalAdvance(UrlLabel1->text()) > UrlLabel1->width() - 2)
        link.setPixelSize(link.pixelSize() - 1);
    UrlLabel1->setFont(link);

    Label4 = NewLabel(Panel1, "Label4", QRect(8, 244, 269, 13));
    QFont bold = f;
    bold.setBold(true);
    Label4->setFont(bold);
    Label5 = NewLabel(Panel1, "Label5", QRect(16, 257, 261, 12));
    Label6 = NewLabel(Panel1, "Label6", QRect(16, 269, 261, 12));
    Label7 = NewLabel(Panel1, "Label7", QRect(16, 281, 261, 12));
    Label8 = NewLabel(Panel1, "Label8", QRect(16, 293, 261, 12));

    OKButton = Named(new QPushButton(this), "OKButton");
    OKButton->setGeometry(111, 319, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    retranslateUi();
}

void TAboutBox::retranslateUi() {
    setWindowTitle(tr("About"));
    Label1->setText(tr("Kestrel Manager v%1").arg(QString::fromLatin1(KestrelVersion())));
    Label2->setText(tr("MySQL is a registered trademark of Oracle Corporation and/or its "
                       "affiliates."));
    Label3->setText(tr("Kestrel Manager belongs to the Kestrel project. Questions and "
                       "suggestions are welcome at:"));
    Label4->setText(tr("Manny thanks to:"));
    Label5->setText(tr("the client library authors"));
    Label6->setText(tr("the toolkit developers"));
    Label7->setText(tr("our early testers"));
    Label8->setText(tr("our translators"));
    OKButton->setText(tr("OK"));
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the main window.
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

// Shows the about box.
void TQueryFrm1::About1Click() {
    TAboutBox box(this);
    prompts().runDialog(box);
}
