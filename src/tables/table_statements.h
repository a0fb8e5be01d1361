// The statements the table tools send, and what a session answers to them. Table names reach
// only their own table: plain names go in as they are, any other between backticks.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class ServerSession;

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
StatementAnswer AskServer(ServerSession& session, const std::string& sql);
