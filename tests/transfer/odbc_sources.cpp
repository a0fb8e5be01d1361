#include "odbc_sources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace odbcsources {
namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/kt_transfer_odbc_XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("no temporary folder");
        const std::string dir = pattern;
        std::ofstream(dir + "/odbcinst.ini")
            << "[KestrelTestSQLite]\nDescription=SQLite 3 for the transfer tests\n"
               "Driver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\n";
        std::ofstream(dir + "/odbc.ini")
            << "[" << kSystemSource << "]\nDriver=KestrelTestSQLite\nDatabase=" << dir
            << "/system.db\n";
        std::ofstream(dir + "/user.ini")
            << "[" << kUserSource << "]\nDriver=KestrelTestSQLite\nDatabase=" << dir
            << "/source.db\n";
        setenv("ODBCSYSINI", dir.c_str(), 1);
        setenv("ODBCINI", (dir + "/user.ini").c_str(), 1);
        return dir;
    }();
    return folder;
}

} // namespace

std::string FileOf(const std::string& dataSource) {
    return Folder() + (dataSource == kSystemSource ? "/system.db" : "/source.db");
}

void Reset(const std::string& dataSource) {
    unlink(FileOf(dataSource).c_str());
}

SqliteFile::SqliteFile(const std::string& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path);
    Exec("PRAGMA journal_mode=OFF");
    Exec("PRAGMA synchronous=OFF");
}

SqliteFile::~SqliteFile() {
    sqlite3_close(db_);
}

void SqliteFile::Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << (error ? error : "");
        sqlite3_free(error);
    }
}

void SqliteFile::InsertRows(const std::string& sql, const std::vector<std::vector<Param>>& rows) {
    Exec("BEGIN");
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int n = static_cast<int>(i + 1);
            const Param& p = row[i];
            switch (p.kind) {
            case Param::Null:
                sqlite3_bind_null(statement, n);
                break;
            case Param::Int:
                sqlite3_bind_int64(statement, n, p.i);
                break;
            case Param::Double:
                sqlite3_bind_double(statement, n, p.d);
                break;
            case Param::Text:
                sqlite3_bind_text(statement, n, p.s.data(), static_cast<int>(p.s.size()),
                                  SQLITE_TRANSIENT);
                break;
            case Param::Bytes:
                sqlite3_bind_blob(statement, n, p.s.data(), static_cast<int>(p.s.size()),
                                  SQLITE_TRANSIENT);
                break;
            }
        }
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE) << sqlite3_errmsg(db_);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    Exec("COMMIT");
}

SqliteFile::Param Null() {
    return {};
}
SqliteFile::Param Int(std::int64_t i) {
    return {SqliteFile::Param::Int, i, 0, {}};
}
SqliteFile::Param Real(double d) {
    return {SqliteFile::Param::Double, 0, d, {}};
}
SqliteFile::Param Text(std::string s) {
    return {SqliteFile::Param::Text, 0, 0, std::move(s)};
}
SqliteFile::Param Bytes(std::string s) {
    return {SqliteFile::Param::Bytes, 0, 0, std::move(s)};
}

} // namespace odbcsources
