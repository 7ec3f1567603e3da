// The database wrapper: one SQLite connection to one file. Each call runs exactly one
// statement to its end. Transactions nest (only the outermost begin and commit reach
// SQLite), and a statement that fails inside one rolls the whole transaction back at
// once, so a half-done rewrite is never committed by anyone. Texts that differ only in
// their values share one prepared statement, with the values bound as the texts held them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "CString.h"
#include "PlatformTypes.h"
#include "SqlFormat.h"
#include "SqlShape.h"
#include "StatementCache.h"

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

class CDbSQLite {
public:
    // The rows of one query, columns by position. A column past the end of a row reads as
    // the empty text, so an older table whose upgrade failed cannot crash a load.
    class ResultTable {
    public:
        typedef std::vector<CString> Record;
        std::vector<Record> m_Records;

        size_t GetRowCount() const { return m_Records.size(); }
        const CString& GetValue(size_t row, size_t column) const;
        void Clear() { m_Records.clear(); }
    };

    CDbSQLite();
    CDbSQLite(const CDbSQLite&) = delete;
    CDbSQLite& operator=(const CDbSQLite&) = delete;
    virtual ~CDbSQLite();

    // 0 when open; else SQLite's code. A connection to the very file path names is kept.
    // An absent file is created owner-only (0600, whatever the umask), and SQLite gives its
    // -wal, -shm and -journal the same mode; an existing file keeps its mode. Only a regular
    // file, or a link to one, is opened: anything else fails with SQLITE_CANTOPEN. A file
    // that is not a database fails here (26). The second argument is reserved.
    LONG Open(const wchar_t* path, const wchar_t* second);
    // Opens an existing regular file (or a link to one) for reading only: nothing is created, written or converted,
    // no journal setting is made, and no files appear beside it. What a running or
    // crashed writer left in its -wal or -journal is read too. 0 or SQLite's code.
    LONG OpenReadOnly(const wchar_t* path);
    // A consistent copy of the open database into path (replaced). 0 or SQLite's code.
    LONG CopyTo(const wchar_t* path);
    // Closes the connection, and one Park kept: the WAL is copied into the file and
    // removed, and no descriptor stays open on it.
    void Close();
    // Ends the use of the file as Close does (an open transaction is rolled back, every
    // call fails until the next Open), but a healthy connection opened by Open whose WAL
    // is not large is kept for the next Open of the same file: a real close copies the WAL
    // into the file and removes it, which costs a save of one row three more syncs. Its
    // commits are on disk already; the WAL beside the file holds them until Close, or
    // until an Open of another file closes it.
    void Park();
    bool IsOpen() const { return m_db != nullptr; }
    // True while this connection, opened by Open, is to the very file path names now: the
    // same device and inode, links followed. False once that file is removed or replaced.
    bool IsOpenFile(const wchar_t* path) const;

    // Which file, on which device; equal for two spellings of one file.
    struct FileId {
        unsigned long long device = 0;
        unsigned long long inode = 0;
        bool operator==(const FileId& other) const { return device == other.device && inode == other.inode; }
        bool operator!=(const FileId& other) const { return !(*this == other); }
    };
    // The file Open opened ({0, 0} when none).
    const FileId& OpenFileId() const { return m_fileId; }

    LONG SelectStatement(const wchar_t* sql, ResultTable& table);  // 0 or SQLite's code
    // One row of a query being read, valid only while it is handed over. Its cells read as
    // a ResultTable holds them, but straight from SQLite: no table is built.
    class Row {
    public:
        Row(sqlite3_stmt* stmt, size_t columns) : m_stmt(stmt), m_columns(columns) {}
        size_t GetColumnCount() const { return m_columns; }
        // The text ResultTable::GetValue gives for this cell (past the end: empty).
        std::wstring GetText(size_t column) const;
        bool IsEmpty(size_t column) const;
        // _wtol of that text; an integer cell is never written out as text for it.
        LONG GetLong(size_t column) const;

    private:
        sqlite3_value* Cell(size_t column) const;  // null past the end

        sqlite3_stmt* m_stmt;
        size_t m_columns;  // asked of SQLite once per row, not once per cell
    };
    typedef std::function<void(const Row& row)> RowHandler;
    // The query of SelectStatement with each row handed to onRow as soon as it is read, so
    // that a large result never stands in memory whole. 0 or SQLite's code; a query that
    // fails part way has handed over the rows before the failure.
    LONG SelectEachRow(const wchar_t* sql, const RowHandler& onRow);
    LONG DirectStatement(const wchar_t* sql);                      // 101 or SQLite's code
    void BeginTransaction();
    LONG ExecInTransaction(const CString& sql);                    // 0 or SQLite's code
    // ExecInTransaction of the text the format makes of args (see SqlFormat), where every
    // quoted '%s' is escaped here. A format whose values can all be bound runs without its
    // text being built: the rows and codes are those of the text.
    LONG ExecFormatted(const wchar_t* format, const std::vector<SqlArg>& args);
    LONG CommitTransaction();                                      // 0 or SQLite's code
    const wchar_t* LastError();

    // Whether a code says the file is damaged (as opposed to busy, read-only or full).
    static bool IsDamageCode(LONG code);
    // Whether a statement on the file at path reported it damaged since the last
    // ForgetDamage; closing the file does not forget it.
    bool MetDamage(const wchar_t* path) const { return !m_damagedPath.empty() && path && m_damagedPath == path; }
    void ForgetDamage() { m_damagedPath.clear(); }

    // How texts reached SQLite over this object's life: through a cached statement
    // (reused), through one prepared and cached for them (cached), or as they are (plain).
    struct StatementStats {
        size_t reused = 0;
        size_t cached = 0;
        size_t plain = 0;
        size_t held = 0;  // statements in the cache now
    };
    StatementStats GetStatementStats() const;

    static constexpr size_t kCachedStatements = 64;

private:
    LONG CheckFile(const std::string& file, bool create);
    LONG Connect(const std::string& name, int flags, const char* const* setup, size_t count);
    bool Unpark(const std::string& file);
    void Shut(sqlite3* db, bool damaged);
    void ForgetConnection();
    static int OnWalCommit(void* self, sqlite3* db, const char* name, int frames);
    LONG Run(const wchar_t* sql, ResultTable* table, const RowHandler* onRow, bool partOfTransaction);
    LONG Guarded(bool partOfTransaction, const std::function<LONG()>& step);
    sqlite3_stmt* BoundStatement(const SqlFormat& plan);
    LONG StepBound(sqlite3_stmt* stmt, const SqlFormat& plan, const std::vector<SqlArg>& args);
    const SqlFormat& FormatOf(const wchar_t* format);
    LONG Step(const std::string& sql, ResultTable* table, const RowHandler* onRow = nullptr);
    LONG StepPlain(const std::string& sql, ResultTable* table, const RowHandler* onRow);
    LONG StepRows(sqlite3_stmt* stmt, ResultTable* table, const RowHandler* onRow);
    LONG StepKept(sqlite3_stmt*& kept, const char* sql);
    sqlite3_stmt* Reusable(const std::string& sql);
    LONG Fail(LONG code, const std::wstring& message);
    static bool IsTroubleCode(LONG code);
    void RollBackOpenTransaction();

    sqlite3* m_db = nullptr;
    // The connection Park kept; its statements stay in the cache while it waits.
    struct Parked {
        sqlite3* db = nullptr;
        FileId fileId;
    };
    Parked m_parked;
    int m_walFrames = 0;  // in the WAL after the last commit on this connection
    std::wstring m_path;  // empty for a read-only connection, so Open never reuses one
    FileId m_fileId;
    std::wstring m_lastError;
    std::wstring m_damagedPath;  // the file a statement last found damaged
    bool m_metDamage = false;    // on this connection
    bool m_troubled = false;     // this connection met an IsTroubleCode failure
    int m_depth = 0;           // nesting depth of BeginTransaction
    bool m_failed = false;     // a statement failed in the current transaction
    std::wstring m_firstFailure;
    SqlShape m_shape;  // of the text being run; its literals stay bound until the reset
    StatementCache m_cache{kCachedStatements};
    sqlite3_stmt* m_begin = nullptr;   // BEGIN IMMEDIATE, kept prepared
    sqlite3_stmt* m_commit = nullptr;  // COMMIT, kept prepared
    StatementStats m_stats;
    // Parsed formats by their text; each key points into its own entry's copy of the text.
    struct FormatEntry {
        std::wstring text;
        SqlFormat format;
    };
    std::unordered_map<std::wstring_view, std::unique_ptr<FormatEntry>> m_formats;
    std::vector<std::string> m_boundTexts;  // UTF-8 of the texts bound, until the reset
};
