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

TEST(Startup, MissingClientLibraryIsReportedOnceAndNoWindowOpens) {
    UnloadClientLibrary();
    setenv("KESTREL_CLIENT_LIBRARY", "libno-such-client.so", 1);
    ScriptedPrompts prompts;
    EXPECT_NE(StartKestrel(false), 0);
    unsetenv("KESTREL_CLIENT_LIBRARY");
    EXPECT_EQ(prompts.shown, QStringList({"Dynamic library libno-such-client.so not found"}));
    EXPECT_EQ(prompts.icons, QList<PromptIcon>({PromptIcon::Error}));
    EXPECT_EQ(QueryFrm1, nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(Startup, WithTheLibraryTheMainWindowOpens) {
    UnloadClientLibrary();
    ScriptedPrompts prompts;
    ClearSettings();
    EXPECT_EQ(StartKestrel(false), 0);
    EXPECT_TRUE(prompts.shown.isEmpty());
    ASSERT_NE(QueryFrm1, nullptr);
    EXPECT_TRUE(QueryFrm1->isVisible());
    EXPECT_EQ(QApplication::applicationName(), "Kestrel");
    // The main window and every dialog carry the application icon, in its small and large sizes.
    const QIcon icon = QueryFrm1->windowIcon();
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
    ASSERT_NE(QueryFrm1->DBGrid1->dataSource(), nullptr);
    EXPECT_EQ(QueryFrm1->DBGrid1->dataSource()->objectName(), "DataSource1");
    EXPECT_NE(QueryFrm1->sharedQuery(), nullptr);
    delete QueryFrm1;
    UnloadClientLibrary();
}
