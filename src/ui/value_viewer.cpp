#include "ui/value_viewer.h"

#include "data/blob_stream.h"
#include "data/dataset.h"
#include "data/geometry_text.h"
#include "data/json_text.h"
#include "data/value_bytes.h"
#include "ui/data_errors.h"
#include "ui/language.h"
#include "ui/object_names.h"
#include "ui/prompts.h"
#include "ui/value_display.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPlainTextEdit* NewViewEdit(QWidget* parent, const char* name, bool fixedFont) {
    auto* edit = Named(new QPlainTextEdit(parent), name);
    edit->setReadOnly(true);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (fixedFont) {
        edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    return edit;
}

QWidget* Page(QWidget* content) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(content);
    return page;
}

// The name a saved file is offered under: the column's name and the extension of the value's
// format.
QString SuggestedFileName(const TField& field, const std::string& bytes, ValueForm form) {
    const FileFormat format = FileFormatOf(bytes);
    QString extension = QStringLiteral("bin");
    if (format != FileFormat::None)
        extension = QString::fromLatin1(FileFormatName(format)).toLower();
    else if (form == ValueForm::Json)
        extension = QStringLiteral("json");
    else if (form == ValueForm::Text || form == ValueForm::Geometry)
        extension = QStringLiteral("txt");
    return QString::fromStdString(field.FieldName()) + QLatin1Char('.') + extension;
}

QString FileFilter() {
    return BiText(QStringLiteral("All files (*)"), QStringLiteral("Sve datoteke (*)"));
}

} // namespace

TValueViewer::TValueViewer(TField& field, QWidget* parent) : QDialog(parent), field_(field) {
    setObjectName(QStringLiteral("ValueViewer"));
    lblInfo = Named(new QLabel(this), "lblInfo");
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setWordWrap(true);
    tabsValue = Named(new QTabWidget(this), "tabsValue");
    lblInfo->setBuddy(tabsValue);

    memText = NewViewEdit(this, "memText", false);
    memJson = NewViewEdit(this, "memJson", true);
    memHex = NewViewEdit(this, "memHex", true);

    imgValue = Named(new QLabel, "imgValue");
    imgValue->setAlignment(Qt::AlignCenter);
    scrollImage = Named(new QScrollArea, "scrollImage");
    scrollImage->setWidget(imgValue);
    scrollImage->setWidgetResizable(true);
    scrollImage->setFocusPolicy(Qt::StrongFocus);
    lblImageSize = Named(new QLabel, "lblImageSize");
    lblImageSize->setTextFormat(Qt::PlainText);
    lblImageSize->setBuddy(scrollImage);
    auto* imagePage = new QWidget;
    auto* imageLayout = new QVBoxLayout(imagePage);
    imageLayout->setContentsMargins(2, 2, 2, 2);
    imageLayout->addWidget(scrollImage, 1);
    imageLayout->addWidget(lblImageSize);

    pageText_ = Page(memText);
    pageJson_ = Page(memJson);
    pageImage_ = imagePage;
    pageHex_ = Page(memHex);
    for (QWidget* page : {pageText_, pageJson_, pageImage_, pageHex_})
        tabsValue->addTab(page, QString());

    btnLoad = Named(new QPushButton(this), "btnLoad");
    btnSave = Named(new QPushButton(this), "btnSave");
    btnClose = Named(new QPushButton(this), "btnClose");
    for (QPushButton* button : {btnLoad, btnSave})
        button->setAutoDefault(false);
    btnClose->setDefault(true);
    connect(btnLoad, &QPushButton::clicked, this, &TValueViewer::btnLoadClick);
    connect(btnSave, &QPushButton::clicked, this, &TValueViewer::btnSaveClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(tabsValue, &QTabWidget::currentChanged, this, [this] { showPicture(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnLoad);
    buttons->addWidget(btnSave);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo);
    layout->addWidget(tabsValue, 1);
    layout->addLayout(buttons);

    btnLoad->setVisible(canLoad());
    resize(600, 420);
    showValue();
    retranslateUi();
}

void TValueViewer::retranslateUi() {
    setWindowTitle(tr("Value"));
    tabsValue->setTabText(tabsValue->indexOf(pageText_), tr("Text"));
    tabsValue->setTabText(tabsValue->indexOf(pageJson_), tr("JSON"));
    tabsValue->setTabText(tabsValue->indexOf(pageImage_), tr("Image"));
    tabsValue->setTabText(tabsValue->indexOf(pageHex_), tr("Hex"));
    memText->setAccessibleName(tr("Value as text"));
    memJson->setAccessibleName(tr("Value as indented JSON"));
    scrollImage->setAccessibleName(tr("Value as image"));
    memHex->setAccessibleName(tr("Value in hexadecimal"));
    tabsValue->setAccessibleName(tr("Value"));
    btnLoad->setText(tr("&Load from file..."));
    btnSave->setText(tr("&Save to file..."));
    btnClose->setText(tr("Close"));
}

bool TValueViewer::canLoad() const {
    const FieldType type = field_.DataType();
    return field_.DataSet().CanModify() && !field_.ReadOnly &&
           (type == FieldType::Blob || type == FieldType::Memo);
}

void TValueViewer::showValue() {
    const ValueView value = field_.Value();
    null_ = value.null;
    bytes_ = null_ ? std::string() : std::string(value.text);
    if (KindOf(field_.DataType()) != ValueKind::Text && !null_)
        bytes_ = DisplayText(field_.DataType(), field_.IsUnsigned(), value);

    const ValueForm form = null_ ? ValueForm::Text : FormOfValue(field_, bytes_);
    QString info = QString::fromStdString(field_.FieldName()) + QStringLiteral(": ");
    const bool textKind = KindOf(field_.DataType()) == ValueKind::Text;
    info +=
        textKind ? SummaryTypeName(field_) : QString::fromLatin1(FieldTypeName(field_.DataType()));
    info += QStringLiteral(", ") + (null_ ? QStringLiteral("NULL") : SizeText(bytes_.size()));

    // Text: the value itself, or a geometry's well-known text.
    hasText_ = null_ || form == ValueForm::Text || form == ValueForm::Json;
    QString text;
    if (hasText_) {
        const bool cut = bytes_.size() > kMaxTextBytes;
        text = QString::fromUtf8(bytes_.data(),
                                 static_cast<qsizetype>(std::min(bytes_.size(), kMaxTextBytes)));
        if (cut)
            text += QChar(0x2026);
    } else if (form == ValueForm::Geometry) {
        if (auto geometry = DecodeGeometry(bytes_, kMaxTextBytes)) {
            hasText_ = true;
            text = QString::fromStdString(geometry->text);
            if (geometry->cut)
                text += QChar(0x2026);
            if (geometry->srid != 0)
                info += QStringLiteral(", SRID ") + QString::number(geometry->srid);
        }
    }
    memText->setPlainText(text);

    const std::optional<std::string> json =
        form == ValueForm::Json ? IndentJson(bytes_) : std::nullopt;
    hasJson_ = json.has_value();
    memJson->setPlainText(json ? QString::fromStdString(*json) : QString());

    image_ = QImage();
    if (!null_ && form == ValueForm::Binary)
        image_ = QImage::fromData(
            QByteArray::fromRawData(bytes_.data(), static_cast<qsizetype>(bytes_.size())));
    hasImage_ = !image_.isNull();
    lblImageSize->setText(
        hasImage_ ? BiText(QStringLiteral("%1 × %2 pixels"), QStringLiteral("%1 × %2 piksela"))
                        .arg(image_.width())
                        .arg(image_.height())
                  : QString());
    const QString format = null_ ? QString() : FormatDescription(bytes_);
    if (!format.isEmpty())
        info += QStringLiteral(", ") + format;
    lblInfo->setText(info);

    QString hex = QString::fromLatin1(HexDump(std::string_view(bytes_).substr(0, kMaxHexBytes)));
    if (bytes_.size() > kMaxHexBytes)
        hex += BiText(QStringLiteral("(only the first %1 of %2 are shown)"),
                      QStringLiteral("(prikazano je samo prvih %1 od %2)"))
                   .arg(SizeText(kMaxHexBytes), SizeText(bytes_.size()));
    memHex->setPlainText(hex);

    btnSave->setEnabled(!null_);
    showTabs();
    if (hasImage_)
        tabsValue->setCurrentWidget(pageImage_);
    else if (hasJson_)
        tabsValue->setCurrentWidget(pageJson_);
    else if (hasText_)
        tabsValue->setCurrentWidget(pageText_);
    else
        tabsValue->setCurrentWidget(pageHex_);
    showPicture();
}

void TValueViewer::showTabs() {
    tabsValue->setTabVisible(tabsValue->indexOf(pageText_), hasText_);
    tabsValue->setTabVisible(tabsValue->indexOf(pageJson_), hasJson_);
    tabsValue->setTabVisible(tabsValue->indexOf(pageImage_), hasImage_);
    tabsValue->setTabVisible(tabsValue->indexOf(pageHex_), !null_);
}

void TValueViewer::showPicture() {
    if (!hasImage_) {
        imgValue->setPixmap(QPixmap());
        return;
    }
    // Scaled down to the room there is, never up.
    const QSize room = scrollImage->viewport()->size() - QSize(4, 4);
    QImage shown = image_;
    if (room.isValid() && (image_.width() > room.width() || image_.height() > room.height()))
        shown = image_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    imgValue->setPixmap(QPixmap::fromImage(shown));
}

void TValueViewer::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    showPicture();
}

bool TValueViewer::loadFromFile(const QString& path) {
    QFile file(path);
    QByteArray data;
    if (file.open(QIODevice::ReadOnly))
        data = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        prompts().message(BiText(QStringLiteral("The file %1 cannot be read: %2"),
                                 QStringLiteral("Datoteka %1 ne može se pročitati: %2"))
                              .arg(path, file.errorString()),
                          PromptIcon::Error);
        return false;
    }
    TDataSet& dataSet = field_.DataSet();
    try {
        // As a typed cell: the row goes into edit state and is posted as any edited row.
        if (dataSet.State() != DataSetState::Edit && dataSet.State() != DataSetState::Insert)
            dataSet.Edit();
        TMyBlobStream stream(field_, BlobStreamMode::Write);
        stream.Write(data.constData(), static_cast<std::size_t>(data.size()));
        stream.Flush();
    } catch (const std::exception& e) {
        prompts().message(DataErrorText(e), PromptIcon::Error);
        return false;
    }
    showValue();
    return true;
}

bool TValueViewer::saveToFile(const QString& path) {
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    try {
        if (KindOf(field_.DataType()) != ValueKind::Text) {
            // A number, date or boolean: its text.
            const auto size = static_cast<qint64>(bytes_.size());
            written = written && file.write(bytes_.data(), size) == size;
        } else {
            TMyBlobStream stream(field_, BlobStreamMode::Read);
            char buffer[64 * 1024];
            while (written) {
                const std::size_t n = stream.Read(buffer, sizeof buffer);
                if (n == 0)
                    break;
                written = file.write(buffer, static_cast<qint64>(n)) == static_cast<qint64>(n);
            }
        }
    } catch (const std::exception& e) {
        file.cancelWriting();
        prompts().message(DataErrorText(e), PromptIcon::Error);
        return false;
    }
    // Flushed before commit(), which would rename the file in place even when its last flush
    // failed.
    if (!written || !file.flush() || !file.commit()) {
        prompts().message(BiText(QStringLiteral("The file %1 cannot be written: %2"),
                                 QStringLiteral("Datoteka %1 ne može se zapisati: %2"))
                              .arg(path, file.errorString()),
                          PromptIcon::Error);
        return false;
    }
    return true;
}

void TValueViewer::btnLoadClick() {
    const QString path =
        prompts().openFileName(this,
                               BiText(QStringLiteral("Load value from file"),
                                      QStringLiteral("Učitavanje vrijednosti iz datoteke")),
                               QString(), FileFilter());
    if (!path.isEmpty())
        loadFromFile(path);
}

void TValueViewer::btnSaveClick() {
    const ValueForm form = FormOfValue(field_, bytes_);
    const QString path =
        prompts().saveFileName(this,
                               BiText(QStringLiteral("Save value to file"),
                                      QStringLiteral("Spremanje vrijednosti u datoteku")),
                               SuggestedFileName(field_, bytes_, form), FileFilter());
    if (!path.isEmpty())
        saveToFile(path);
}
