#include "data/client_library.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "support/scripted_prompts.h"
#include "ui/data_source.h"
#include "ui/db_grid.h"

#include <QApplication>
#include <QIcon>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The main window start-up made: the one top-level window named "QueryFrm1", else null.
TQueryFrm1* MainWindow() {
    TQueryFrm1* found = nullptr;
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("QueryFrm1")) {
            found = qobject_cast<TQueryFrm1*>(w);
            ++count;
        }
    }
    EXPECT_LE(count, 1) << "start-up makes one main window";
    return found;
}

} // namespace

TEST(Startup, MissingClientLibraryIsReportedOnceAndNoWindowOpens) {
    UnloadClientLibrary();
    setenv("KESTREL_CLIENT_LIBRARY", "libno-such-client.so", 1);
    ScriptedPrompts prompts;
    EXPECT_NE(StartKestrel(false), 0);
    unsetenv("KESTREL_CLIENT_LIBRARY");
    EXPECT_EQ(prompts.shown, QStringList({"Dynamic library libno-such-client.so not found"}));
    EXPECT_EQ(prompts.icons, QList<PromptIcon>({PromptIcon::Error}));
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(Startup, WithTheLibraryTheMainWindowOpens) {
    UnloadClientLibrary();
    ScriptedPrompts prompts;
    ClearSettings();
    EXPECT_EQ(StartKestrel(false), 0);
    EXPECT_TRUE(prompts.shown.isEmpty());
    TQueryFrm1* const window = MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::applicationName(), "Kestrel");
    // The main window and every dialog carry the application icon, in its small and large sizes.
    const QIcon icon = window->windowIcon();
    EXPECT_FALSE(icon.pixmap(16, 16).isNull());
    EXPECT_EQ(icon.availableSizes().size(), 7);
    // The transfer window is made at start-up, once, and waits hidden.
    int transferWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "Form1") {
            ++transferWindows;
            EXPECT_FALSE(w->isVisible());
            EXPECT_FALSE(w->windowIcon().pixmap(16, 16).isNull());
        }
    }
    EXPECT_EQ(transferWindows, 1);
    // Start-up has handed the data module over: the grid shows its data source and the commands
    // share its query.
    ASSERT_NE(window->DBGrid1->dataSource(), nullptr);
    EXPECT_EQ(window->DBGrid1->dataSource()->objectName(), "DataSource1");
    EXPECT_NE(window->sharedQuery(), nullptr);
    delete window;
    UnloadClientLibrary();
}
