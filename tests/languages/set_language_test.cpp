// The Language menu of the main window and the start language.
#include "language_fixture.h"
#include "shell/connect_frm.h"
#include "shell/main_window.h"
#include "support/scripted_prompts.h"
#include "transfer/transfer_window.h"
#include "ui/db_navigator.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace {

class SetLanguageTest : public LanguageTest {
protected:
    void SetUp() override {
        LanguageTest::SetUp();
        ClearSettings();
    }
    void TearDown() override {
        transfer.reset();
        window.reset();
        LanguageTest::TearDown();
    }
    void createWindows() {
        window = std::make_unique<TQueryFrm1>();
        transfer = std::make_unique<TForm1>();
        transfer->hide();
    }
    // The language as the next message shows it.
    QString nextMessage() {
        ScriptedPrompts prompts;
        window->ViewhostsIP1Click();
        return prompts.shown.value(0).section(QLatin1Char('\n'), 0, 0);
    }
    void expectEnglish() {
        EXPECT_TRUE(window->English1->isChecked());
        EXPECT_FALSE(window->Croatian1->isChecked());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ADMIN form"));
        EXPECT_EQ(window->Language1->title(), QStringLiteral("Language"));
        EXPECT_EQ(nextMessage(), QStringLiteral("Hosts:"));
    }
    void expectCroatian() {
        EXPECT_FALSE(window->English1->isChecked());
        EXPECT_TRUE(window->Croatian1->isChecked());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ADMIN obrazac"));
        EXPECT_EQ(window->Language1->title(), QStringLiteral("Jezik"));
        EXPECT_EQ(nextMessage(), QStringLiteral("Hostovi:"));
    }

    std::unique_ptr<TQueryFrm1> window;
    std::unique_ptr<TForm1> transfer;
};

} // namespace

TEST_F(SetLanguageTest, CroatianSwitchesEveryWindowAndBack) {
    ASSERT_NO_FATAL_FAILURE(putBothModules());
    createWindows();
    TConnectFrm dialog(window.get());
    dialog.show();
    expectEnglish();

    window->Croatian1->trigger();
    expectCroatian();
    EXPECT_EQ(window->GroupBox1->title(), QStringLiteral("Podaci o spajanju"));
    EXPECT_EQ(window->SpeedButton(6)->toolTip(), QStringLiteral("Otvori SQL skriptu"));
    EXPECT_EQ(window->Viewtable1->text(), QStringLiteral("Pregled tablice"));
    EXPECT_EQ(window->DBNavigator1->button(TDBNavigator::Post)->toolTip(),
              QStringLiteral("Spremi promjene"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Unos podataka o hostu"));
    EXPECT_EQ(dialog.BitBtn2->text(), QStringLiteral("Odustani"));
    EXPECT_TRUE(transfer->isHidden());
    // A dialog made after the switch comes up in the new language.
    TConnectFrm later(window.get());
    EXPECT_EQ(later.BitBtn2->text(), QStringLiteral("Odustani"));

    window->English1->trigger();
    expectEnglish();
    EXPECT_EQ(dialog.BitBtn2->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(window->SpeedButton(6)->toolTip(), QStringLiteral("Open SQL script"));
    EXPECT_EQ(window->DBNavigator1->button(TDBNavigator::Post)->accessibleName(),
              QStringLiteral("Post edit"));
}

TEST_F(SetLanguageTest, HiddenWindowIsReRead) {
    ASSERT_NO_FATAL_FAILURE(putBothModules());
    createWindows();
    window->SetLanguage(window->Croatian1);
    // The transfer window has no Croatian caption of its own, so tell its re-reading by a text
    // changed behind its back.
    transfer->setWindowTitle(QStringLiteral("changed"));
    window->SetLanguage(window->Croatian1);
    EXPECT_EQ(transfer->windowTitle(), QStringLiteral("BDE->MySQL"));
    EXPECT_TRUE(transfer->isHidden());
}

TEST_F(SetLanguageTest, SameLanguageTwiceReReads) {
    ASSERT_NO_FATAL_FAILURE(putBothModules());
    createWindows();
    window->SetLanguage(window->Croatian1);
    window->Language1->setTitle(QStringLiteral("changed"));
    window->Croatian1->trigger();
    expectCroatian();
}

TEST_F(SetLanguageTest, MissingCroatianModuleChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(putModule(QStringLiteral("ENU"), QStringLiteral("ENU")));
    createWindows();
    window->Croatian1->trigger();
    expectEnglish();
    EXPECT_EQ(window->GroupBox1->title(), QStringLiteral("Connect Info"));
}

TEST_F(SetLanguageTest, TwoLetterModuleFoundAndMissingEnglishKeepsCroatian) {
    ASSERT_NO_FATAL_FAILURE(putModule(QStringLiteral("HRV"), QStringLiteral("HR")));
    createWindows();
    window->Croatian1->trigger();
    expectCroatian();
    // No module for 1033: "English/Other" does nothing.
    window->English1->trigger();
    expectCroatian();
}

TEST_F(SetLanguageTest, RunTimeValuesSurviveASwitch) {
    ASSERT_NO_FATAL_FAILURE(putBothModules());
    createWindows();
    window->edtUsername->setText(QStringLiteral("root"));
    window->edtHostname->addItem(QStringLiteral("root>127.0.0.1"));
    window->Memo1->setPlainText(QStringLiteral("SELECT 1"));
    window->ListBox1->addItems({QStringLiteral("t1"), QStringLiteral("t2")});
    window->RadioGroup1->setItems({QStringLiteral("lindora"), QStringLiteral("mysql")});
    window->FRSB1->setPanelText(0, QStringLiteral("127.0.0.1"));
    window->FRSB1->setPanelText(4, QStringLiteral("12"));

    window->SetLanguage(window->Croatian1);
    window->SetLanguage(window->English1);

    EXPECT_EQ(window->edtUsername->text(), QStringLiteral("root"));
    EXPECT_EQ(window->edtHostname->currentText(), QStringLiteral("root>127.0.0.1"));
    EXPECT_EQ(window->Memo1->toPlainText(), QStringLiteral("SELECT 1"));
    EXPECT_EQ(window->ListBox1->count(), 2);
    EXPECT_EQ(window->RadioGroup1->items().size(), 2);
    EXPECT_EQ(window->FRSB1->panelText(0), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(window->FRSB1->panelText(4), QStringLiteral("12"));
}

TEST_F(SetLanguageTest, StartLanguageFollowsTheSystemLocale) {
    ASSERT_NO_FATAL_FAILURE(putBothModules());
    systemLocale = [] { return QLocale(QStringLiteral("hr_HR")); };
    createWindows();
    expectCroatian();
    // Windows made after the main window come up in its language.
    EXPECT_EQ(TConnectFrm().windowTitle(), QStringLiteral("Unos podataka o hostu"));
    transfer.reset();
    window.reset();

    systemLocale = [] { return QLocale(QStringLiteral("en_GB")); };
    createWindows();
    expectEnglish();
}

TEST_F(SetLanguageTest, CroatianLocaleWithoutModuleStartsInEnglish) {
    systemLocale = [] { return QLocale(QStringLiteral("hr_HR")); };
    createWindows();
    expectEnglish();
}
