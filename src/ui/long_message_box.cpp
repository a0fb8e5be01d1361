#include "ui/long_message_box.h"

#include "ui/object_names.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kMostLinesInPlainBox = 30;
} // namespace

QString MessageBoxText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return shown;
}

bool NeedsScrollingBox(const QString& text) {
    return MessageBoxText(text).count(QLatin1Char('\n')) > kMostLinesInPlainBox;
}

void ShowScrollingMessage(QWidget* parent, const QString& title, QMessageBox::Icon icon,
                          const QString& text) {
    QDialog box(parent);
    box.setObjectName(QStringLiteral("ScrollingMessageBox"));
    box.setWindowTitle(title);

    auto* iconLabel = new QLabel(&box);
    const QStyle::StandardPixmap pixmap =
        icon == QMessageBox::Critical  ? QStyle::SP_MessageBoxCritical
        : icon == QMessageBox::Warning ? QStyle::SP_MessageBoxWarning
                                       : QStyle::SP_MessageBoxInformation;
    const int extent = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    iconLabel->setPixmap(box.style()->standardIcon(pixmap, nullptr, &box).pixmap(extent));
    iconLabel->setAlignment(Qt::AlignTop);

    auto* field = Named(new QPlainTextEdit(&box), "MessageText");
    field->setReadOnly(true);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    field->setPlainText(MessageBoxText(text));
    field->setAccessibleName(title);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(iconLabel);
    row->addWidget(field, 1);
    auto* layout = new QVBoxLayout(&box);
    layout->addLayout(row, 1);
    layout->addWidget(buttons);

    QSize size(640, 480);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    box.resize(size);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    box.exec();
}
