#include "shell/startup.h"

#include "data/client_library.h"
#include "data/winsock_error.h"
#include "shell/app_icon.h"
#include "shell/command_line.h"
#include "shell/data_module.h"
#include "shell/main_window.h"
#include "transfer/transfer_window.h"
#include "ui/prompts.h"

#include <QApplication>
#include <QString>
#include <iostream>
#include <memory>

int StartKestrel(bool runLoop) {
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    QApplication::setApplicationVersion(QString::fromLatin1(KestrelVersion()));
    QApplication::setWindowIcon(KestrelIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrel"));
    if (!ClientLibraryLoaded()) {
        const bool loaded = LoadClientLibrary([](const std::string& text) {
            prompts().message(QString::fromStdString(text), PromptIcon::Error);
        });
        if (!loaded)
            return 1; // the program ends without a main window
    }
    try {
        StartSocketLibrary(); // for the transact-server client
    } catch (const EWinsockError& e) {
        prompts().message(QString::fromStdString(e.what()), PromptIcon::Error);
    }

    auto mainWindow = std::make_unique<TQueryFrm1>();
    auto dataModule = std::make_unique<TDM1>();
    auto transfer = std::make_unique<TForm1>();
    mainWindow->AttachDataModule(*dataModule);
    mainWindow->AttachTransferWindow(*transfer, *dataModule);
    transfer->hide();
    mainWindow->show();
    int code = 0;
    if (runLoop) {
        code = QApplication::exec();
        transfer.reset();
        dataModule.reset();
        mainWindow.reset();
        StopSocketLibrary();
        UnloadClientLibrary();
    } else {
        // Tests own the windows from here on.
        mainWindow.release();
        dataModule.release();
        transfer.release();
    }
    return code;
}

int RunKestrel(int& argc, char** argv) {
    if (const std::optional<int> answered = AnswerCommandLine(argc, argv, std::cout))
        return *answered;
    QApplication app(argc, argv);
    return StartKestrel(true);
}
