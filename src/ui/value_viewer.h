// The value viewer: one value of the current row of a dataset, in the tabs the value allows —
// text with its line breaks (a geometry as its well-known text), JSON indented, an image that Qt's
// image readers decode (scaled to the window, with its size in pixels) and the bytes in hexadecimal
// with their offsets and characters. "Save to file" writes the value's bytes to a file; in a live
// result "Load from file" makes a file's bytes the value, through the dataset's blob streams and
// its edit state, and the row is then posted as any edited row of the grid is.
#pragma once

#include "ui/retranslatable.h"

#include <QDialog>
#include <QImage>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class TField;

class TValueViewer : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    // Shows the field's value in the dataset's current row (the edited value while the row is
    // being edited or inserted).
    explicit TValueViewer(TField& field, QWidget* parent = nullptr);
    void retranslateUi() override;

    // The hexadecimal tab shows at most this many bytes.
    static constexpr std::size_t kMaxHexBytes = 64 * 1024;
    // The text tab shows at most this many bytes.
    static constexpr std::size_t kMaxTextBytes = 4 * 1024 * 1024;

    // The value shown, as bytes; empty for NULL.
    const std::string& bytes() const { return bytes_; }
    bool isNull() const { return null_; }
    // Whether "Load from file" is offered: the dataset can be modified and the field is a blob or
    // memo that is not read-only.
    bool canLoad() const;

    // The buttons' work; each answers whether it was done (a failure has been shown).
    bool loadFromFile(const QString& path);
    bool saveToFile(const QString& path);

    QLabel* lblInfo;
    QTabWidget* tabsValue;
    QPlainTextEdit* memText;
    QPlainTextEdit* memJson;
    QScrollArea* scrollImage;
    QLabel* imgValue;
    QLabel* lblImageSize;
    QPlainTextEdit* memHex;
    QPushButton* btnLoad;
    QPushButton* btnSave;
    QPushButton* btnClose;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void btnLoadClick();
    void btnSaveClick();
    // Reads the field's value again and fills the tabs.
    void showValue();
    void showPicture();
    void showTabs();

    TField& field_;
    std::string bytes_;
    bool null_ = true;
    bool hasText_ = false, hasJson_ = false, hasImage_ = false;
    QImage image_;
    QWidget* pageText_;
    QWidget* pageJson_;
    QWidget* pageImage_;
    QWidget* pageHex_;
};
