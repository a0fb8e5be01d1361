#include "transfer/odbc_session.h"

TOdbcSession::TOdbcSession() : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE) {
    CheckOdbc(SQLSetEnvAttr(environment_.Get(), SQL_ATTR_ODBC_VERSION,
                            reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              environment_, "ODBC version could not be set");
}

std::vector<std::string> TOdbcSession::AliasNames() const {
    std::vector<std::string> names;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLCHAR name[SQL_MAX_DSN_LENGTH + 1] = {};
        SQLCHAR description[512] = {};
        SQLSMALLINT nameLength = 0, descriptionLength = 0;
        const SQLRETURN r =
            SQLDataSources(environment_.Get(), direction, name, sizeof name, &nameLength,
                           description, sizeof description, &descriptionLength);
        if (r == SQL_NO_DATA)
            break;
        CheckOdbc(r, environment_, "Data sources could not be listed");
        names.emplace_back(reinterpret_cast<const char*>(name));
        direction = SQL_FETCH_NEXT;
    }
    return names;
}

TOdbcSession& DefaultOdbcSession() {
    static TOdbcSession session;
    return session;
}
