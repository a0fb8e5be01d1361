#include "ui/launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

class DesktopLauncher final : public Launcher {
public:
    bool openFile(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    bool openAddress(const QString& address) override {
        return QDesktopServices::openUrl(QUrl::fromUserInput(address));
    }
};

Launcher* g_installed = nullptr;

} // namespace

Launcher& launcher() {
    static DesktopLauncher real;
    return g_installed ? *g_installed : real;
}

void setLauncher(Launcher* l) {
    g_installed = l;
}
