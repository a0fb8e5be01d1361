#include "server_options.h"

#include <charconv>

namespace {

template <typename T> bool ReadNumber(const std::string& text, T low, T high, T& out) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

} // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args,
                                                std::string& error) {
    ServerOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        if (name == "--help" || name == "-h") {
            o.Help = true;
            continue;
        }
        if (name != "--port" && name != "--listen" && name != "--mysql-host" &&
            name != "--mysql-port" && name != "--max-line" && name != "--max-clients" &&
            name != "--login-timeout") {
            error = "unknown option " + args[i];
            return std::nullopt;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        }
        bool ok = true;
        if (name == "--port")
            ok = ReadNumber<std::uint16_t>(value, 0, 65535, o.Port);
        else if (name == "--mysql-port")
            ok = ReadNumber<std::uint16_t>(value, 1, 65535, o.MySQLPort);
        else if (name == "--max-line")
            ok = ReadNumber<std::size_t>(value, kMinMaxLine, kMaxMaxLine, o.MaxLine);
        else if (name == "--max-clients")
            ok = ReadNumber<unsigned>(value, 1, kMaxMaxClients, o.MaxClients);
        else if (name == "--login-timeout")
            ok = ReadNumber<unsigned>(value, 1, kMaxLoginTimeout, o.LoginTimeout);
        else if (name == "--listen")
            o.Listen = value;
        else
            o.MySQLHost = value;
        if (!ok || value.empty()) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    return o;
}

std::string ServerUsage() {
    return "Usage: transact-server [options]\n"
           "\n"
           "Runs statements on a MySQL server for clients that speak the transact-server\n"
           "dialogue over TCP. A client is asked \"login: \" and \"password: \"; the server logs "
           "in\n"
           "to MySQL with them and answers a line feed and a carriage return when that worked.\n"
           "Then every line the client sends is one command ending with \";\":\n"
           "  CONNECT <database>;  choose the default database\n"
           "  COMMIT;  ROLLBACK;   end the transaction\n"
           "  QUIT;                close the connection (uncommitted work is rolled back)\n"
           "  anything else        runs as one statement\n"
           "Each client has its own MySQL connection with autocommit off. Every command but QUIT\n"
           "is answered with one line: \"OK\" or the error text. A login, password or database\n"
           "name holding a control character (a NUL byte among them) is refused.\n"
           "\n"
           "Options:\n"
           "  --port N          TCP port to listen on (default 19700; 0 takes a free port)\n"
           "  --listen ADDR     IPv4 address to listen on (default 127.0.0.1)\n"
           "  --mysql-host H    MySQL server host (default 127.0.0.1)\n"
           "  --mysql-port N    MySQL server port (default 3306)\n"
           "  --max-line N      longest command line in bytes (default 1048576); a longer line\n"
           "                    is answered with an error and not run\n"
           "  --max-clients N   clients served at once (default 100); one more is told so\n"
           "                    and closed\n"
           "  --login-timeout S seconds a client has to finish its login (default 30)\n"
           "  --help            show this text\n"
           "\n"
           "At start the server prints \"transact-server listening on ADDR:PORT\".\n";
}
