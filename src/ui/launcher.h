// Opening a file in the desktop's text editor or an address in the default handler goes through
// the Launcher, so tests record the call instead of starting another program.
#pragma once

#include <QString>

class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a local file with the desktop's default handler for it.
    virtual bool openFile(const QString& path) = 0;
    // Opens an address (a web address, a mail address, a file name) with the default handler.
    virtual bool openAddress(const QString& address) = 0;
};

Launcher& launcher();
// Installs l (not owned); nullptr restores the desktop launcher.
void setLauncher(Launcher* l);
