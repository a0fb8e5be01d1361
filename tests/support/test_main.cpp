// Test main for window tests: an offscreen application, settings and data in temporary folders.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QTemporaryDir data; // the operator's log, among others
    // Remembered passwords stay in the temporary settings; the keyring tests opt in.
    if (qEnvironmentVariableIsEmpty("KESTREL_KEYRING"))
        qputenv("KESTREL_KEYRING", "off");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
