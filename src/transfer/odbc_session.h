// The default session of the alias layer: one ODBC environment (ODBC 3) and the data source
// names it knows, user and system, which are the aliases the transfer window offers.
#pragma once

#include "transfer/odbc_handles.h"

#include <string>
#include <vector>

class TOdbcSession {
public:
    TOdbcSession();
    TOdbcSession(const TOdbcSession&) = delete;
    TOdbcSession& operator=(const TOdbcSession&) = delete;

    SQLHENV Environment() const { return environment_.Get(); }
    // The data source names in the order the driver manager lists them (user ones first).
    std::vector<std::string> AliasNames() const;

private:
    OdbcHandle environment_;
};

// The session every database of the program opens in, created on first use.
TOdbcSession& DefaultOdbcSession();
