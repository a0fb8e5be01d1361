// The about box: what it shows, in both languages, and its web address.
#include "language_fixture.h"
#include "shell/about_box.h"
#include "shell/main_window.h"
#include "support/scripted_prompts.h"
#include "ui/url_label.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class AboutBoxTest : public LanguageTest {
protected:
    void SetUp() override {
        LanguageTest::SetUp();
        ClearSettings();
        ASSERT_NO_FATAL_FAILURE(putBothModules());
    }
};

} // namespace

TEST_F(AboutBoxTest, AboutShowsTheBoxModallyAndReleasesIt) {
    TQueryFrm1 window;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    prompts.dialogs.push_back([&](QDialog& d) {
        auto& box = dynamic_cast<TAboutBox&>(d);
        EXPECT_EQ(box.parent(), &window);
        EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
        EXPECT_EQ(box.size(), QSize(298, 349));
        EXPECT_EQ(box.Label1->text(), QStringLiteral("Kestrel Manager v0.1.0.0"));
        EXPECT_TRUE(box.Label2->text().contains(QStringLiteral("MySQL")));
        EXPECT_EQ(box.ProgramIcon->size(), QSize(273, 69));
        EXPECT_EQ(box.Image1->size(), QSize(180, 120));
        EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());
        EXPECT_EQ(box.Label4->text(), QStringLiteral("Manny thanks to:"));
        for (QLabel* credit : {box.Label5, box.Label6, box.Label7, box.Label8})
            EXPECT_FALSE(credit->text().isEmpty());
        EXPECT_TRUE(box.OKButton->isDefault());

        box.UrlLabel1->Click();
        EXPECT_EQ(launcher.addresses, QStringList{QString::fromLatin1(kProjectWebAddress)});
        QTest::mouseClick(box.OKButton, Qt::LeftButton);
    });
    window.About1->trigger();
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral("AboutBox")});
    EXPECT_EQ(window.findChild<TAboutBox*>(), nullptr);
}

TEST_F(AboutBoxTest, CroatianTexts) {
    TQueryFrm1 window;
    window.SetLanguage(window.Croatian1);
    ScriptedPrompts prompts;
    prompts.dialogs.push_back([&](QDialog& d) {
        auto& box = dynamic_cast<TAboutBox&>(d);
        EXPECT_EQ(box.windowTitle(), QStringLiteral("O programu"));
        EXPECT_EQ(box.Label4->text(), QStringLiteral("Puno hvala:"));
        EXPECT_EQ(box.OKButton->text(), QStringLiteral("U redu"));
        EXPECT_EQ(box.UrlLabel1->Copy1->text(), QStringLiteral("Kopiraj"));
        // Switching while the box is open re-reads it too.
        window.SetLanguage(window.English1);
        EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
        EXPECT_EQ(box.UrlLabel1->Copy1->text(), QStringLiteral("Copy"));
    });
    window.About1Click();
}
