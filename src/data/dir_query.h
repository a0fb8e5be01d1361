// Low-level queries: the abstract TDirQuery (statement, current row number, begin/end flags) and
// TDirMySqlQuery, which runs its statement through the client library.
#pragma once

#include "data/client_handles.h"
#include "data/dir_connect.h"

#include <cstdint>
#include <string>
#include <vector>

class TDirQuery {
public:
    explicit TDirQuery(TDirConnect* connect = nullptr) : Connect(connect) {}
    virtual ~TDirQuery() = default;
    TDirQuery(const TDirQuery&) = delete;
    TDirQuery& operator=(const TDirQuery&) = delete;

    bool Active = false;
    bool Failed = false;
    TDirConnect* Connect = nullptr; // not owned
    std::int64_t RecNo = 0;         // zero-based number of the current row
    bool Bof = true;
    bool Eof = true;
    std::string Sql;

    virtual bool GetBof() { return Bof; }
    virtual bool GetEof() { return Eof; }
    virtual int ExecSql() { return dsNone; }
    virtual void Open() {}
    virtual void Close();
    virtual void First();
    virtual void Last();
    virtual void Prev();
    virtual void Next();
    virtual void MoveTo(std::int64_t n);
    virtual int GetStatus() { return dsNone; }
    virtual int GetFieldCount() { return 0; }
    virtual std::int64_t GetRecordCount() { return 0; }
    virtual std::string GetFieldName(int) { return {}; }
    virtual int GetFieldIndex(const std::string&) { return 0; }
    virtual std::int64_t GetFieldSize(int) { return 0; }
    virtual std::string GetField(int) { return {}; }
    std::string GetFieldByName(const std::string& name) { return GetField(GetFieldIndex(name)); }
    virtual void Reserved(int, const std::string&) {}
    void ReservedByName(const std::string& name, const std::string& text) {
        Reserved(GetFieldIndex(name), text);
    }
};

// Runs a statement on a TDirMySQLConnect. With StoreResult (the default) the whole result comes to
// the client at once; without it rows are read one at a time from the server.
class TDirMySqlQuery : public TDirQuery {
public:
    explicit TDirMySqlQuery(TDirMySQLConnect* connect = nullptr) : TDirQuery(connect) {}
    ~TDirMySqlQuery() override { Close(); }

    int ExecSql() override;
    void Open() override;
    void Close() override;
    void First() override;
    void Last() override;
    void Prev() override;
    void Next() override;
    void MoveTo(std::int64_t n) override;
    bool GetEof() override;
    int GetStatus() override;
    int GetFieldCount() override;
    std::int64_t GetRecordCount() override;
    std::string GetFieldName(int index) override;
    int GetFieldIndex(const std::string& name) override;
    std::int64_t GetFieldSize(int index) override;
    std::string GetField(int index) override;

    // The longest value of the column in the result, in characters (store mode only; 0 otherwise).
    std::int64_t GetFieldMaxSize(int index);
    // The raw text of the current row's column; nullptr without a result, at Eof or Bof, or for
    // NULL.
    const char* GetFieldBuffer(int index);
    // The byte length of the current row's column (0 when GetFieldBuffer gives nothing).
    unsigned long GetFieldLength(int index);
    void SetStoreResult(bool store) { storeResult_ = store; }
    bool StoreResult() const { return storeResult_; }

    // What the dataset reads rows through: the current row and its lengths, the column
    // descriptions of the result, and whether reading stopped on an error rather than at the end.
    MYSQL_ROW CurrentRow() const { return row_; }
    const unsigned long* CurrentLengths() const;
    const MYSQL_FIELD* ResultField(int index) const;
    bool ReadFailed() const { return readFailed_; }
    // After an Open that found no rows: true when the statement itself succeeded and the server
    // said it has no result set, with the number of rows it affected.
    bool RanWithoutResult() const { return ranWithoutResult_; }
    std::uint64_t AffectedRows() const { return affectedRows_; }
    TDirMySQLConnect* MySQLConnect() const { return static_cast<TDirMySQLConnect*>(Connect); }
    // Gives a streamed result away after its first row, to be read on by someone else (who then
    // also reads the results after it, when moreResultsPending says there are any). The query
    // keeps its column names; it has no result and no current row afterwards.
    ClientResult HandOverResult(bool& moreResultsPending);

private:
    MYSQL* Handle() const;
    void SeekCurrent();
    void OpenHere(MYSQL* h);
    void DropStoppedResult(MYSQL* h);
    void FetchNext();
    void FetchRow();

    ClientResult result_;
    MYSQL_ROW row_ = nullptr;
    std::vector<unsigned long> lengths_; // of the current row, taken when it was read
    bool storeResult_ = true;
    bool readFailed_ = false;
    bool moreResultsPending_ = false; // a streamed result whose later results are still unread
    bool ranWithoutResult_ = false;
    std::uint64_t affectedRows_ = 0;
    std::vector<std::string> names_;
};
