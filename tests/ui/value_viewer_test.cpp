// Values a person can read: pictures, bytes, geometries, JSON and bytes that are not UTF-8 in the
// grid's cells and in the value viewer, loading a file into a blob and saving it back, and the
// exact values that statements keep receiving.
#include "grid_fixture.h"
#include "support/file_size_limit.h"

#include "data/value_bytes.h"
#include "ui/language.h"
#include "ui/value_display.h"
#include "ui/value_viewer.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::string Hex(std::string_view bytes) {
    return HexBytes(bytes);
}

// A picture drawn and written as PNG by Qt's image writer.
std::string MakePng(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(Qt::darkGreen);
    painter.drawEllipse(QRect(10, 10, width - 20, height - 20));
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return png.toStdString();
}

std::string AllBytes() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

class ValueViewerTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        png_ = MakePng(120, 80);
        Use("CREATE TABLE v (id INT PRIMARY KEY, pic LONGBLOB, raw BLOB, pt POINT, area POLYGON, "
            "doc JSON, vb VARBINARY(20), flags BIT(8), note TEXT, name VARCHAR(20))");
        Use("INSERT INTO v VALUES (1, X'" + Hex(png_) + "', X'" + Hex(AllBytes()) +
            "', ST_GeomFromText('POINT(15.5 45)'), "
            "ST_GeomFromText('POLYGON((0 0,10 0,10 10,0 10,0 0),(2 2,3 2,3 3,2 2))'), "
            "'{ \"name\" : \"Kestrel\",  \"tags\": [1, 2.50, null] }', X'C328616263FF', b'101', "
            "'first line\\nsecond line', 'plain')");
        Use("INSERT INTO v (id, name) VALUES (2, 'empty')");
    }
    void OpenLive() {
        q_.RequestLive = true;
        Open("SELECT * FROM v ORDER BY id");
        ASSERT_TRUE(q_.CanModify());
    }
    int Column(const char* name) { return static_cast<int>(q_.FieldByName(name).Index()); }
    QModelIndex At(int row, const char* name) { return Model().index(row, Column(name)); }
    QString Shown(int row, const char* name) { return Cell(row, Column(name)); }
    std::string ServerHex(const std::string& column, int id = 1) {
        return root_->Value("SELECT HEX(" + column + ") FROM " + Db() +
                            ".v WHERE id = " + std::to_string(id));
    }
    // Opens the viewer on a cell through the grid and hands it to `look` while it shows.
    void View(const QModelIndex& index, const std::function<void(TValueViewer&)>& look) {
        prompts_.dialogs.push_back([&](QDialog& dialog) {
            auto* viewer = qobject_cast<TValueViewer*>(&dialog);
            ASSERT_NE(viewer, nullptr);
            viewer->show();
            QApplication::processEvents();
            look(*viewer);
            viewer->btnClose->click();
        });
        ASSERT_TRUE(grid_->viewValue(index));
        EXPECT_TRUE(prompts_.dialogs.empty());
    }
    static QStringList VisibleTabs(const TValueViewer& viewer) {
        QStringList tabs;
        for (int i = 0; i < viewer.tabsValue->count(); ++i)
            if (viewer.tabsValue->isTabVisible(i))
                tabs << viewer.tabsValue->widget(i)->findChild<QWidget*>()->objectName();
        return tabs;
    }

    std::string png_;
};

TEST_F(ValueViewerTest, CellsShowReadableSummariesWhileEditorsAndStatementsKeepTheBytes) {
    OpenLive();
    EXPECT_EQ(Shown(0, "pic"), "(LONGBLOB " + SizeText(png_.size()) + ", PNG image)");
    EXPECT_EQ(Shown(0, "raw"), "(BLOB 256 B) 00 01 02 03 04 05 06 07" + QString(QChar(0x2026)));
    EXPECT_EQ(Shown(0, "pt"), "POINT(15.5 45)");
    EXPECT_EQ(Shown(0, "pt"),
              QString::fromStdString(root_->Value(std::string("SELECT ST_AsText(pt) FROM ") + Db() +
                                                  ".v WHERE id = 1")));
    EXPECT_EQ(Shown(0, "area"), "POLYGON((0 0,10 0,10 10,0 10,0 0),(2 2,3 2,3 3,2 2))");
    EXPECT_EQ(Shown(0, "doc"), R"({"name":"Kestrel","tags":[1,2.50,null]})");
    EXPECT_EQ(Shown(0, "vb"), "0xC328616263FF");
    EXPECT_EQ(Shown(0, "flags"), "0x05");
    EXPECT_EQ(Shown(0, "name"), "plain");
    EXPECT_EQ(Shown(1, "pic"), "(NULL)");

    // In Croatian the size and the format read so too.
    QAction english1;
    english1.setCheckable(true);
    setLanguageFlagItem(&english1);
    EXPECT_EQ(Shown(0, "pic"), "(LONGBLOB " + SizeText(png_.size()) + ", PNG slika)");
    EXPECT_EQ(SizeText(1536), "1,5 KB");
    setLanguageFlagItem(nullptr);
    EXPECT_EQ(SizeText(1536), "1.5 KB");
    EXPECT_EQ(SizeText(5u << 20), "5.0 MB");

    // The editor of a text gets the text as stored; bytes and geometries have no cell editor,
    // and a text handed to them is refused.
    EXPECT_EQ(Model().data(At(0, "doc"), Qt::EditRole).toString(),
              R"({ "name" : "Kestrel",  "tags": [1, 2.50, null] })");
    EXPECT_TRUE(Model().flags(At(0, "name")) & Qt::ItemIsEditable);
    EXPECT_TRUE(Model().flags(At(0, "doc")) & Qt::ItemIsEditable);
    for (const char* column : {"pic", "raw", "pt", "area", "vb", "flags"}) {
        EXPECT_FALSE(Model().flags(At(0, column)) & Qt::ItemIsEditable) << column;
        EXPECT_FALSE(Model().setData(At(0, column), Model().data(At(0, column)))) << column;
    }
    EXPECT_TRUE(Model().flags(At(1, "pic")) & Qt::ItemIsEditable); // NULL: nothing to lose
    EXPECT_EQ(q_.State(), DataSetState::Browse);

    // An edit of another column of the row writes that column only; every value shown as a
    // summary stays exactly as it was on the server.
    const std::vector<std::string> before = root_->Rows(
        std::string("SELECT HEX(pic), HEX(raw), HEX(pt), HEX(area), doc, HEX(vb), HEX(flags) "
                    "FROM ") +
        Db() + ".v WHERE id = 1")[0];
    EXPECT_TRUE(Model().setData(At(0, "name"), "changed"));
    q_.Post();
    EXPECT_TRUE(prompts_.shown.isEmpty()) << prompts_.shown.join('|').toStdString();
    EXPECT_EQ(root_->Value(std::string("SELECT name FROM ") + Db() + ".v WHERE id = 1"), "changed");
    EXPECT_EQ(root_->Rows(std::string("SELECT HEX(pic), HEX(raw), HEX(pt), HEX(area), doc, "
                                      "HEX(vb), HEX(flags) FROM ") +
                          Db() + ".v WHERE id = 1")[0],
              before);
    EXPECT_EQ(ServerHex("pic"), Hex(png_));
    // Searching compares the exact value, not its summary.
    EXPECT_TRUE(q_.Locate("vb", {std::string("\xC3\x28"
                                             "abc\xFF")}));
    EXPECT_FALSE(q_.Locate("vb", {"0xC328616263FF"}));
}

TEST_F(ValueViewerTest, TheViewerShowsTheTabsEachValueAllows) {
    OpenLive();
    View(At(0, "pic"), [&](TValueViewer& viewer) {
        EXPECT_EQ(VisibleTabs(viewer), (QStringList{"scrollImage", "memHex"}));
        EXPECT_EQ(viewer.tabsValue->currentWidget()->findChild<QWidget*>()->objectName(),
                  "scrollImage");
        EXPECT_EQ(viewer.lblImageSize->text(), "120 × 80 pixels");
        EXPECT_FALSE(viewer.imgValue->pixmap().isNull());
        EXPECT_EQ(viewer.lblInfo->text(),
                  "pic: LONGBLOB, " + SizeText(png_.size()) + ", PNG image");
        EXPECT_TRUE(viewer.memHex->toPlainText().startsWith(
            "00000000  89 50 4E 47 0D 0A 1A 0A  00 00 00 0D 49 48 44 52  .PNG........IHDR\n"));
        EXPECT_EQ(viewer.bytes(), png_);
        EXPECT_TRUE(viewer.btnLoad->isVisible());
        EXPECT_TRUE(viewer.btnSave->isEnabled());
    });
    View(At(0, "raw"), [&](TValueViewer& viewer) {
        EXPECT_EQ(VisibleTabs(viewer), QStringList{"memHex"});
        const QStringList lines = viewer.memHex->toPlainText().split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 16);
        EXPECT_EQ(lines[2], "00000020  20 21 22 23 24 25 26 27  28 29 2A 2B 2C 2D 2E 2F  "
                            " !\"#$%&'()*+,-./");
        EXPECT_EQ(lines[15].left(10), "000000F0  ");
        EXPECT_TRUE(lines[15].endsWith("................"));
    });
    View(At(0, "area"), [&](TValueViewer& viewer) {
        EXPECT_EQ(VisibleTabs(viewer), (QStringList{"memText", "memHex"}));
        EXPECT_EQ(viewer.memText->toPlainText(),
                  "POLYGON((0 0,10 0,10 10,0 10,0 0),(2 2,3 2,3 3,2 2))");
        EXPECT_EQ(viewer.lblInfo->text(), "area: POLYGON, " + SizeText(viewer.bytes().size()));
    });
    View(At(0, "doc"), [&](TValueViewer& viewer) {
        EXPECT_EQ(VisibleTabs(viewer), (QStringList{"memText", "memJson", "memHex"}));
        EXPECT_EQ(viewer.tabsValue->currentWidget()->findChild<QWidget*>(), viewer.memJson);
        EXPECT_EQ(
            viewer.memJson->toPlainText(),
            "{\n  \"name\": \"Kestrel\",\n  \"tags\": [\n    1,\n    2.50,\n    null\n  ]\n}");
    });
    View(At(0, "note"), [&](TValueViewer& viewer) {
        EXPECT_EQ(viewer.memText->toPlainText(), "first line\nsecond line");
    });
    View(At(1, "pic"), [&](TValueViewer& viewer) {
        EXPECT_TRUE(viewer.isNull());
        EXPECT_EQ(VisibleTabs(viewer), QStringList{"memText"});
        EXPECT_FALSE(viewer.btnSave->isEnabled());
        EXPECT_TRUE(viewer.btnLoad->isVisible());
        EXPECT_EQ(viewer.lblInfo->text(), "pic: LONGBLOB, NULL");
    });
    EXPECT_EQ(q_.RecNo(), 2); // the viewer showed the row it was opened on
}

TEST_F(ValueViewerTest, DoubleClickOpensTheViewerOnValuesACellCannotShowAndEditsTheRest) {
    OpenLive();
    auto doubleClick = [&](const QModelIndex& index) {
        const QRect cell = grid_->visualRect(index);
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
        Settle();
    };
    for (const char* column : {"pic", "pt", "doc", "vb", "note"}) {
        grid_->scrollTo(At(0, column));
        Settle();
        prompts_.dialogs.push_back([](QDialog& dialog) { dialog.reject(); });
        doubleClick(At(0, column));
        EXPECT_TRUE(prompts_.dialogs.empty()) << column;
        EXPECT_EQ(prompts_.shown.value(prompts_.shown.size() - 1), "ValueViewer") << column;
    }
    // A short text opens the cell editor.
    const int viewers = static_cast<int>(prompts_.shown.size());
    grid_->scrollTo(At(0, "name"));
    Settle();
    doubleClick(At(0, "name"));
    QLineEdit* editor = grid_->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "plain");
    EXPECT_EQ(prompts_.shown.size(), viewers);
    QTest::keyClick(editor, Qt::Key_Escape);
    Settle();

    // Ctrl+Enter opens any cell's value.
    grid_->setCurrentIndex(At(0, "name"));
    Settle();
    prompts_.dialogs.push_back([](QDialog& dialog) {
        EXPECT_EQ(static_cast<TValueViewer&>(dialog).memText->toPlainText(), "plain");
        dialog.reject();
    });
    QTest::keyClick(grid_, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(prompts_.dialogs.empty());
}

TEST_F(ValueViewerTest, LoadingAFileWritesItByteForByteAndSavingGivesTheSameBytesBack) {
    OpenLive();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString picture = dir.filePath("picture.png");
    const std::string bigger = MakePng(300, 200);
    {
        QFile f(picture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bigger.data(), static_cast<qint64>(bigger.size()));
    }
    const QString bytesFile = dir.filePath("bytes.bin");
    {
        QFile f(bytesFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const std::string all = AllBytes() + AllBytes();
        f.write(all.data(), static_cast<qint64>(all.size()));
    }

    // Into the NULL blob of row 2, through the Load button; the row is posted like a typed cell.
    View(At(1, "pic"), [&](TValueViewer& viewer) {
        prompts_.files.push_back(picture);
        viewer.btnLoad->click();
        EXPECT_EQ(viewer.bytes(), bigger);
        EXPECT_EQ(viewer.lblImageSize->text(), "300 × 200 pixels");
        EXPECT_EQ(q_.State(), DataSetState::Edit);
    });
    EXPECT_EQ(Shown(1, "pic"), "(LONGBLOB " + SizeText(bigger.size()) + ", PNG image)");
    EXPECT_EQ(Model().headerData(1, Qt::Vertical).toString(), "I");
    q_.Post();
    EXPECT_EQ(ServerHex("pic", 2), Hex(bigger));

    // Every byte value, twice, into row 1's blob, replacing what it held.
    View(At(0, "raw"), [&](TValueViewer& viewer) { EXPECT_TRUE(viewer.loadFromFile(bytesFile)); });
    q_.Post();
    EXPECT_EQ(ServerHex("raw"), Hex(AllBytes() + AllBytes()));

    // Saving writes the same bytes back, whatever they are.
    const QString saved = dir.filePath("saved.bin");
    const QString savedPicture = dir.filePath("saved.png");
    View(At(0, "raw"), [&](TValueViewer& viewer) {
        prompts_.files.push_back(saved);
        viewer.btnSave->click();
    });
    View(At(1, "pic"), [&](TValueViewer& viewer) { EXPECT_TRUE(viewer.saveToFile(savedPicture)); });
    QFile s1(saved), s2(savedPicture);
    ASSERT_TRUE(s1.open(QIODevice::ReadOnly));
    ASSERT_TRUE(s2.open(QIODevice::ReadOnly));
    EXPECT_EQ(s1.readAll().toStdString(), AllBytes() + AllBytes());
    EXPECT_EQ(s2.readAll().toStdString(), bigger);
    EXPECT_EQ(prompts_.shown, (QStringList{"ValueViewer", "Load value from file", "ValueViewer",
                                           "ValueViewer", "Save value to file", "ValueViewer"}));

    // A disk that fills up while saving: reported, and the file saved before stays whole.
    View(At(0, "raw"), [&](TValueViewer& viewer) {
        const FileSizeLimit limit(100);
        EXPECT_FALSE(viewer.saveToFile(saved));
        EXPECT_TRUE(prompts_.shown.last().startsWith("The file " + saved + " cannot be written: "))
            << prompts_.shown.last().toStdString();
    });
    s1.close();
    ASSERT_TRUE(s1.open(QIODevice::ReadOnly));
    EXPECT_EQ(s1.readAll().toStdString(), AllBytes() + AllBytes());

    // A file that cannot be read is reported and the value stays.
    View(At(0, "raw"), [&](TValueViewer& viewer) {
        EXPECT_FALSE(viewer.loadFromFile(dir.filePath("missing.bin")));
        EXPECT_TRUE(prompts_.shown.last().startsWith("The file " + dir.filePath("missing.bin") +
                                                     " cannot be read: "));
        EXPECT_EQ(viewer.bytes(), AllBytes() + AllBytes());
    });
    EXPECT_EQ(q_.State(), DataSetState::Browse);
}

TEST_F(ValueViewerTest, AReadOnlyResultOffersSavingOnly) {
    Open("SELECT id, pic, ST_GeomFromText('LINESTRING(0 0,1 1)') AS computed FROM v ORDER BY id");
    ASSERT_FALSE(q_.CanModify());
    // A computed geometry has no column type; its bytes still read as one.
    EXPECT_EQ(Shown(0, "computed"), "LINESTRING(0 0,1 1)");
    View(At(0, "pic"), [&](TValueViewer& viewer) {
        EXPECT_FALSE(viewer.btnLoad->isVisible());
        EXPECT_TRUE(viewer.btnSave->isEnabled());
    });
}

TEST_F(ValueViewerTest, TheViewerFitsASmallScreen) {
    OpenLive();
    window_.resize(900, 200);
    Settle();
    EXPECT_TRUE(window_.grab().save(QDir::tempPath() + "/kestrel_value_grid.png"));
    View(At(0, "doc"), [&](TValueViewer& viewer) {
        EXPECT_TRUE(viewer.grab().save(QDir::tempPath() + "/kestrel_value_viewer_json.png"));
    });
    View(At(0, "pic"), [&](TValueViewer& viewer) {
        const QString folder = QDir::tempPath();
        EXPECT_TRUE(viewer.grab().save(folder + "/kestrel_value_viewer.png"));
        EXPECT_LE(viewer.minimumSizeHint().width(), 640);
        EXPECT_LE(viewer.minimumSizeHint().height(), 480);
        viewer.resize(640, 480);
        QApplication::processEvents();
        EXPECT_TRUE(viewer.grab().save(folder + "/kestrel_value_viewer_640.png"));
        EXPECT_EQ(viewer.lblInfo->buddy(), viewer.tabsValue);
        EXPECT_EQ(viewer.lblImageSize->buddy(), viewer.scrollImage);
        for (QPushButton* button : {viewer.btnLoad, viewer.btnSave, viewer.btnClose})
            EXPECT_FALSE(button->text().isEmpty());
        EXPECT_FALSE(viewer.memHex->accessibleName().isEmpty());
        // The picture is scaled down to the room there is.
        EXPECT_LE(viewer.imgValue->pixmap().width(), viewer.scrollImage->viewport()->width());
    });
}

} // namespace
