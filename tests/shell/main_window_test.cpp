#include "shell/main_window.h"
#include "support/scripted_prompts.h"
#include "ui/registry.h"
#include "ui/status_bar.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSettings();
        TQueryFrm1::screenArea = [this] { return screen; };
    }
    void TearDown() override { ClearSettings(); }

    std::unique_ptr<TQueryFrm1> Open() {
        auto w = std::make_unique<TQueryFrm1>();
        w->show();
        QApplication::processEvents();
        return w;
    }

    QRect screen{0, 0, 1280, 1024};
};

QVariant Setting(const QString& key) {
    return QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).value(key);
}

TEST_F(MainWindowTest, FirstStartOpensCentredAtDesignSizeAndWritesTheKeyAtClose) {
    ASSERT_FALSE(Registry().KeyExists(QString()));
    auto w = Open();
    EXPECT_EQ(w->windowTitle(), "ADMIN form");
    EXPECT_EQ(w->size(), QSize(764, 524));
    EXPECT_EQ(w->geometry().center(), screen.center());
    EXPECT_EQ(w->edtHostname->count(), 0);
    EXPECT_TRUE(w->English1->isChecked());
    EXPECT_FALSE(w->Usefriendlyname1->isChecked());
    EXPECT_TRUE(w->edtUsername->text().isEmpty());

    w->edtUsername->setText(QStringLiteral("ana"));
    w->Usefriendlyname1->trigger(); // the menu click inverts the mark
    EXPECT_TRUE(w->Usefriendlyname1->isChecked());
    w->close();
    EXPECT_EQ(Setting("Width").toInt(), 764);
    EXPECT_EQ(Setting("Height").toInt(), 524);
    EXPECT_EQ(Setting("Top").toInt(), w->geometry().top());
    EXPECT_EQ(Setting("Left").toInt(), w->geometry().left());
    EXPECT_EQ(Setting("User").toString(), "ana");
    EXPECT_EQ(Setting("Friendly").toInt(), 1);
    EXPECT_EQ(Setting("Host").toString(), "");

    // The next start reads them back ("Host" is never read).
    auto again = Open();
    EXPECT_EQ(again->edtUsername->text(), "ana");
    EXPECT_TRUE(again->Usefriendlyname1->isChecked());
    EXPECT_EQ(again->edtHostname->currentIndex(), -1);
}

TEST_F(MainWindowTest, RestoredSizeIsCentredAndMaximisedCloseKeepsTheEarlierPlacement) {
    {
        Registry reg;
        reg.OpenKey(QString(), true);
        reg.WriteInteger("Top", 10);
        reg.WriteInteger("Left", 20);
        reg.WriteInteger("Width", 900);
        reg.WriteInteger("Height", 600);
        reg.CloseKey();
    }
    auto w = Open();
    EXPECT_EQ(w->size(), QSize(900, 600));
    EXPECT_EQ(w->geometry().center(), screen.center());
    w->setWindowState(Qt::WindowMaximized);
    w->close();
    EXPECT_EQ(Setting("Top").toInt(), 10);
    EXPECT_EQ(Setting("Left").toInt(), 20);
    EXPECT_EQ(Setting("Width").toInt(), 900);
    EXPECT_EQ(Setting("Height").toInt(), 600);
}

TEST_F(MainWindowTest, SmallScreenScalesAndMaximisesOnlyWhenNarrowAndLow) {
    {
        Registry reg;
        reg.OpenKey(QString(), true);
        reg.WriteInteger("Width", 900);
        reg.WriteInteger("Height", 700);
        reg.CloseKey();
    }
    screen = QRect(0, 0, 640, 480);
    auto small = std::make_unique<TQueryFrm1>();
    EXPECT_TRUE(small->scaledForSmallScreen());
    EXPECT_TRUE(small->windowState() & Qt::WindowMaximized);
    // 640 * 764 / 800 and 480 * 524 / 600; the saved size is ignored.
    EXPECT_EQ(small->size(), QSize(611, 419));
    EXPECT_EQ(small->font().pixelSize(), 11 * 640 / 800);

    screen = QRect(0, 0, 1024, 500);
    auto wide = std::make_unique<TQueryFrm1>();
    EXPECT_FALSE(wide->scaledForSmallScreen());
    EXPECT_FALSE(wide->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(wide->size(), QSize(900, 700));
}

TEST_F(MainWindowTest, MenusToolbarAndStatusBarCarryTheirNamesAndTexts) {
    auto w = Open();
    const QList<QAction*> top = w->menuBar()->actions();
    QStringList captions;
    for (QAction* a : top)
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"Main", "Database", "BDE->MySQL", "Language", "About"}));

    QStringList server;
    for (QAction* a : w->Server1->actions())
        server << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(server, QStringList({"Ping", "Status", "Show processes", "-", "Kill process",
                                   "Shutdown", "-", "By friendly name", "Flush privileges",
                                   "Flush hosts", "-", "Manipulate", "View"}));
    EXPECT_FALSE(w->Viewuser1->isEnabled());
    EXPECT_FALSE(w->Viewuserinfo1->isEnabled());
    EXPECT_FALSE(w->Removeuser1->isEnabled());
    EXPECT_EQ(w->English1->data().toInt(), 1033);
    EXPECT_EQ(w->Croatian1->data().toInt(), 1050);
    EXPECT_EQ(w->findChild<QAction*>("Dumpdatabse1")->text(), "Dump databse");

    // 27 toolbar buttons in their order, each running its menu item.
    ASSERT_EQ(w->SpeedButtons.size(), 27u);
    EXPECT_EQ(w->SpeedButtons.front()->objectName(), "SpeedButton1");
    EXPECT_EQ(w->SpeedButtons[14]->objectName(), "SpeedButton17");
    EXPECT_EQ(w->SpeedButtons[14]->toolTip(), "Show DBs");
    EXPECT_EQ(w->SpeedButtons.back()->objectName(), "SpeedButton27");
    EXPECT_FALSE(w->SpeedButton(15)->isEnabled());
    EXPECT_TRUE(w->SpeedButton(15)->toolTip().isEmpty());
    EXPECT_FALSE(w->SpeedButton(26)->autoRaise());
    EXPECT_TRUE(w->SpeedButton(1)->autoRaise());

    // Run query and Close query: one stays down, or neither.
    QToolButton* run = w->SpeedButton(24);
    QToolButton* close = w->SpeedButton(25);
    run->click();
    EXPECT_TRUE(run->isChecked());
    close->click();
    EXPECT_TRUE(close->isChecked());
    EXPECT_FALSE(run->isChecked());
    close->click();
    EXPECT_FALSE(close->isChecked());
    EXPECT_FALSE(run->isChecked());

    ASSERT_EQ(w->FRSB1->panelCount(), 6);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(w->FRSB1->panel(i)->width(), 100);
        w->FRSB1->setPanelText(i, QStringLiteral("x"));
    }
    EXPECT_EQ(w->FRSB1->panel(5)->width(), 150);
    w->FRSB1->setPanelText(5, QStringLiteral("kept"));
    w->ClearStatusPanels();
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(w->FRSB1->panelText(i).isEmpty());
    EXPECT_EQ(w->FRSB1->panelText(5), "kept");

    // Fields are named by their labels for screen readers.
    QAccessibleInterface* pw = QAccessible::queryAccessibleInterface(w->edtPasswd);
    ASSERT_NE(pw, nullptr);
    EXPECT_EQ(pw->text(QAccessible::Name), "Password:");
    EXPECT_EQ(w->edtPasswd->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(w->edtUsername->isEnabled());
    EXPECT_FALSE(w->edtDatabase->isEnabled());
}

} // namespace
