// Data sources for the transfer tests: SQLite files reached through the SQLite ODBC driver, the
// driver and the data sources defined in a temporary odbcinst.ini and odbc.ini that ODBCSYSINI and
// ODBCINI name for the whole test process. A small SQLite writer fills the source files.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace odbcsources {

// A user data source and a system data source, each on its own SQLite file.
inline constexpr const char* kUserSource = "kt_transfer_source";
inline constexpr const char* kSystemSource = "kt_transfer_system";

// Writes the configuration (once per process) and answers the SQLite file of a data source.
std::string FileOf(const std::string& dataSource);
// Empties the file of a data source.
void Reset(const std::string& dataSource);

// A SQLite file opened for writing test rows.
class SqliteFile {
public:
    explicit SqliteFile(const std::string& path);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    void Exec(const std::string& sql);
    // Runs one INSERT with ? parameters for each row; a parameter is NULL, an integer, a double,
    // text or bytes.
    struct Param {
        enum Kind { Null, Int, Double, Text, Bytes } kind = Null;
        std::int64_t i = 0;
        double d = 0;
        std::string s;
    };
    void InsertRows(const std::string& sql, const std::vector<std::vector<Param>>& rows);

private:
    sqlite3* db_ = nullptr;
};

SqliteFile::Param Null();
SqliteFile::Param Int(std::int64_t i);
SqliteFile::Param Real(double d);
SqliteFile::Param Text(std::string s);
SqliteFile::Param Bytes(std::string s);

} // namespace odbcsources
