#include "shell/command_line.h"

#include <string_view>

const char* KestrelVersion() {
    return KESTREL_VERSION;
}

std::optional<int> AnswerCommandLine(int argc, const char* const* argv, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            out << "Usage: kestrel [--help | --version] [Qt options]\n"
                   "\n"
                   "Kestrel is a desktop administration client for MySQL and MariaDB servers:\n"
                   "saved servers, databases and tables, a data grid, SQL, server housekeeping,\n"
                   "table tools, a grants wizard and a transfer window.\n"
                   "\n"
                   "  -h, --help      show this text and exit\n"
                   "  -v, --version   show the version and exit\n"
                   "\n"
                   "Settings: $XDG_CONFIG_HOME/Norvane/Quillmark.conf (~/.config/...).\n";
            return 0;
        }
        if (arg == "--version" || arg == "-v") {
            out << "Kestrel " << KestrelVersion() << '\n';
            return 0;
        }
    }
    return std::nullopt;
}
