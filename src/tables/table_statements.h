// The statements the table tools send, and the one place they talk to a server over an open
// client handle. Table names reach only their own table: plain names go in as they are, any other
// between backticks.
#pragma once

#include "data/client_handles.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

std::string ShowFieldsStatement(const QString& table);
std::string ShowKeysStatement(const QString& table);
std::string DeleteFromStatement(const QString& table);
std::string DropTableStatement(const QString& table);

// What the server answered to a statement: its rows (an SQL NULL reads as empty text), or the
// error text when it refused.
struct StatementAnswer {
    std::vector<QStringList> rows;
    QString error;
    bool failed() const { return !error.isEmpty(); }
};
StatementAnswer AskServer(MYSQL* handle, const std::string& sql);

// Connects handle (initialised anew) like the command connection: CurrentHost, user, password and
// database as default database. Empty when connected, else the client's error text.
struct ConnectInputs {
    QString host;
    QString user;
    QString password;
    QString database;
};
QString ConnectHandle(ClientHandle& handle, const ConnectInputs& inputs);

// True when the database could be made the connection's current one.
bool SelectDatabase(MYSQL* handle, const QString& database);
