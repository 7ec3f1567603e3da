#include "DbSQLite.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <cwchar>
#include <filesystem>

#include "Utf8.h"
#include "WideConv.h"

namespace {

const int kBusyTimeoutMs = 5000;
// SQLite's own hook checkpoints a WAL of this many frames after a commit; ours does too.
const int kCheckpointFrames = 1000;
// Park keeps no connection whose WAL holds more: the file beside the database would stay
// that large. Saves of a few rows never come near it, the WAL restarts after a checkpoint.
const int kParkedFramesAtMost = 4 * kCheckpointFrames;
const CString kEmpty;

bool OnlyWhitespaceOrSemicolons(const char* tail)
{
    for (; tail && *tail; ++tail) {
        if (!std::strchr(" \t\r\n\f\v;", *tail)) return false;
    }
    return true;
}

// An integer literal as the int64 SQLite would have read; a text literal as TEXT. Texts
// are not copied: they stay in the shape until the statement is reset.
int Bind(sqlite3_stmt* stmt, int index, const SqlLiteral& literal)
{
    if (!literal.isText) return sqlite3_bind_int64(stmt, index, literal.integer);
    if (literal.text.size() > static_cast<size_t>(INT_MAX)) return SQLITE_TOOBIG;
    return sqlite3_bind_text(stmt, index, literal.text.data(), static_cast<int>(literal.text.size()), SQLITE_STATIC);
}

// path as a URI file name: every byte outside a safe set percent-encoded.
std::string FileUri(const std::string& path)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = path.size() > 0 && path[0] == '/' ? "file://" : "file:";
    for (unsigned char ch : path) {
        const bool safe = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                          (ch != 0 && std::strchr("/._-~", ch));
        if (safe) {
            uri += static_cast<char>(ch);
        } else {
            uri += '%';
            uri += kHex[ch >> 4];
            uri += kHex[ch & 15];
        }
    }
    return uri;
}

// What stands at a path, for a refusal: SQLite would block or write beside it.
const wchar_t* KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return L"a folder";
    if (S_ISFIFO(mode)) return L"a FIFO";
    if (S_ISSOCK(mode)) return L"a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return L"a device";
    return L"not a regular file";
}

std::wstring ErrnoText(int error)
{
    return FromUtf8(std::string(std::strerror(error)));
}

}  // namespace

// A row's cells are read as values, not through the statement: the statement's calls
// lock and check the row for every call, and a cell is asked its type before it is read.
// The values are the statement's own, used on this thread while the row is handed over.
sqlite3_value* CDbSQLite::Row::Cell(size_t column) const
{
    return column < m_columns ? sqlite3_column_value(m_stmt, static_cast<int>(column)) : nullptr;
}

// NULL is the empty text; an integer is written here, in the decimal SQLite's own text of
// it holds, without SQLite converting the cell.
std::wstring CDbSQLite::Row::GetText(size_t column) const
{
    sqlite3_value* const cell = Cell(column);
    switch (cell ? sqlite3_value_type(cell) : SQLITE_NULL) {
    case SQLITE_NULL:
        return std::wstring();
    case SQLITE_INTEGER: {
        wchar_t digits[kMaxDecimal];
        wchar_t* const end = digits + kMaxDecimal;
        const wchar_t* start = FormatDecimal(sqlite3_value_int64(cell), end);
        return std::wstring(start, static_cast<size_t>(end - start));
    }
    default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
        if (text) return FromUtf8(text, static_cast<size_t>(sqlite3_value_bytes(cell)));
        // Out of memory converting a number or blob: asked through the statement, which
        // records the failure so that the query fails instead of handing over a blank.
        text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, static_cast<int>(column)));
        return text ? FromUtf8(text, static_cast<size_t>(sqlite3_column_bytes(m_stmt, static_cast<int>(column))))
                    : std::wstring();
    }
    }
}

bool CDbSQLite::Row::IsEmpty(size_t column) const
{
    sqlite3_value* const cell = Cell(column);
    switch (cell ? sqlite3_value_type(cell) : SQLITE_NULL) {
    case SQLITE_NULL:
        return true;
    case SQLITE_INTEGER: case SQLITE_FLOAT:
        return false;
    default:
        return sqlite3_value_bytes(cell) == 0;
    }
}

LONG CDbSQLite::Row::GetLong(size_t column) const
{
    sqlite3_value* const cell = Cell(column);
    switch (cell ? sqlite3_value_type(cell) : SQLITE_NULL) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        // _wtol keeps the low 32 bits of the decimal it reads.
        return static_cast<LONG>(static_cast<uint32_t>(sqlite3_value_int64(cell)));
    default:
        return _wtol(GetText(column).c_str());
    }
}

const CString& CDbSQLite::ResultTable::GetValue(size_t row, size_t column) const
{
    if (row >= m_Records.size() || column >= m_Records[row].size()) return kEmpty;
    return m_Records[row][column];
}

CDbSQLite::CDbSQLite() = default;

CDbSQLite::~CDbSQLite()
{
    Close();
}

bool CDbSQLite::IsDamageCode(LONG code)
{
    return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB;
}

// A connection that met one of these is not kept by Park: its file may not be as it thinks.
bool CDbSQLite::IsTroubleCode(LONG code)
{
    switch (code & 0xff) {
    case SQLITE_IOERR: case SQLITE_FULL: case SQLITE_NOMEM: case SQLITE_PROTOCOL: case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
        return true;
    default:
        return IsDamageCode(code);
    }
}

LONG CDbSQLite::Fail(LONG code, const std::wstring& message)
{
    if (m_db && IsTroubleCode(code)) m_troubled = true;
    if (IsDamageCode(code)) {
        m_metDamage = m_db != nullptr;
        if (!m_path.empty()) m_damagedPath = m_path;
    }
    m_lastError = message;
    return code;
}

LONG CDbSQLite::Open(const wchar_t* path, const wchar_t* /*second*/)
{
    const std::wstring wanted = path ? path : L"";
    if (IsOpenFile(wanted.c_str())) return SQLITE_OK;
    if (m_db) Close();  // the path names another file now
    if (wanted.empty()) return Fail(SQLITE_CANTOPEN, L"no database path");
    const std::string file = ToUtf8(wanted);
    if (Unpark(file)) {
        m_path = wanted;
        return SQLITE_OK;
    }
    LONG rc = CheckFile(file, true);
    if (rc != SQLITE_OK) return rc;

    // The schema read makes a file that is not a database fail here, not in a later call.
    static const char* const setup[] = {"select count(*) from sqlite_master", "PRAGMA journal_mode=WAL",
                                        "PRAGMA synchronous=FULL"};
    rc = Connect(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, setup,
                 sizeof setup / sizeof setup[0]);
    if (rc != SQLITE_OK) return rc;
    m_path = wanted;
    struct stat st;
    if (stat(file.c_str(), &st) == 0) m_fileId = FileId{st.st_dev, st.st_ino};
    return SQLITE_OK;
}

// The parked connection becomes the open one when it is to the file at path; a connection
// to any other file is released, so that two files are never held at once.
bool CDbSQLite::Unpark(const std::string& file)
{
    if (!m_parked.db) return false;
    struct stat st;
    if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || FileId{st.st_dev, st.st_ino} != m_parked.fileId) {
        Close();
        return false;
    }
    m_db = m_parked.db;
    m_fileId = m_parked.fileId;
    m_parked = Parked();
    return true;
}

bool CDbSQLite::IsOpenFile(const wchar_t* path) const
{
    if (!m_db || m_path.empty() || !path || !*path) return false;
    struct stat st;
    return stat(ToUtf8(path, std::wcslen(path)).c_str(), &st) == 0 && FileId{st.st_dev, st.st_ino} == m_fileId;
}

// Only a regular file, or a link to one, goes to SQLite: a FIFO would block it, a device
// would take its writes, and side files would appear beside either. With create, a path
// that names nothing gets an empty file, owner-only whatever the umask: it will hold a
// session token. SQLite gives -wal, -shm and -journal the mode of the database file.
LONG CDbSQLite::CheckFile(const std::string& file, bool create)
{
    struct stat st;
    if (stat(file.c_str(), &st) != 0) {
        if (errno != ENOENT) return Fail(SQLITE_CANTOPEN, ErrnoText(errno));
        if (!create) return Fail(SQLITE_CANTOPEN, L"no such file");
        const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            const int chmodError = fchmod(fd, 0600) == 0 ? 0 : errno;
            close(fd);
            return chmodError == 0 ? SQLITE_OK : Fail(SQLITE_CANTOPEN, ErrnoText(chmodError));
        }
        if (errno != EEXIST) return Fail(SQLITE_CANTOPEN, ErrnoText(errno));
        // Created by someone else meanwhile, or a link to nothing.
        if (stat(file.c_str(), &st) != 0) return Fail(SQLITE_CANTOPEN, L"a link to nothing");
    }
    if (!S_ISREG(st.st_mode)) return Fail(SQLITE_CANTOPEN, std::wstring(KindOf(st.st_mode)) + L", not a regular file");
    return SQLITE_OK;
}

LONG CDbSQLite::OpenReadOnly(const wchar_t* path)
{
    Close();
    const std::wstring wanted = path ? path : L"";
    if (wanted.empty()) return Fail(SQLITE_CANTOPEN, L"no database path");
    const std::string file = ToUtf8(wanted);
    LONG rc = CheckFile(file, false);
    if (rc != SQLITE_OK) return rc;
    // A read-only connection to a WAL file creates -wal and -shm beside it unless the file
    // is opened as immutable, which is sound only when no writer left anything beside it.
    std::error_code error;
    const bool leftBeside = std::filesystem::exists(file + "-wal", error) ||
                            std::filesystem::exists(file + "-journal", error);
    const std::string uri = FileUri(file) + (leftBeside ? "?mode=ro" : "?mode=ro&immutable=1");
    static const char* const setup[] = {"select count(*) from sqlite_master"};
    return Connect(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, setup, 1);
}

LONG CDbSQLite::Connect(const std::string& name, int flags, const char* const* setup, size_t count)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::wstring message = db ? FromUtf8(std::string(sqlite3_errmsg(db))) : L"out of memory";
        sqlite3_close(db);
        return Fail(rc, message);
    }
    m_db = db;
    m_walFrames = 0;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    sqlite3_wal_hook(m_db, OnWalCommit, this);
    for (size_t k = 0; k < count; ++k) {
        rc = Step(setup[k], nullptr);
        if (rc != SQLITE_OK && rc != SQLITE_DONE) {
            std::wstring message = m_lastError;
            Close();
            return Fail(rc, message);
        }
    }
    return SQLITE_OK;
}

LONG CDbSQLite::CopyTo(const wchar_t* path)
{
    if (!m_db) return Fail(SQLITE_MISUSE, L"database is not open");
    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(ToUtf8(path ? path : L"").c_str(), &target,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", m_db, "main");
        if (backup) {
            sqlite3_backup_step(backup, -1);
            rc = sqlite3_backup_finish(backup);
        } else {
            rc = sqlite3_errcode(target);
        }
    }
    std::wstring message = target ? FromUtf8(std::string(sqlite3_errmsg(target))) : L"out of memory";
    sqlite3_close(target);
    return rc == SQLITE_OK ? SQLITE_OK : Fail(rc, message);
}

void CDbSQLite::Close()
{
    RollBackOpenTransaction();
    if (m_db) Shut(m_db, m_metDamage);
    if (m_parked.db) Shut(m_parked.db, false);
    m_parked = Parked();
    ForgetConnection();
}

void CDbSQLite::Park()
{
    if (!m_db) return;
    // A large WAL is better removed now: its checkpoint ran at the commit.
    if (m_path.empty() || m_troubled || m_walFrames > kParkedFramesAtMost) {
        Close();
        return;
    }
    RollBackOpenTransaction();
    m_parked = Parked{m_db, m_fileId};
    ForgetConnection();
}

// What belonged to the connection just closed or parked.
void CDbSQLite::ForgetConnection()
{
    m_db = nullptr;
    m_depth = 0;
    m_failed = false;
    m_metDamage = false;
    m_troubled = false;
    m_path.clear();
    m_fileId = FileId();
}

void CDbSQLite::Shut(sqlite3* db, bool damaged)
{
    m_cache.Clear();  // an unfinalized statement would keep the file open past the close
    for (sqlite3_stmt** kept : {&m_begin, &m_commit}) {
        sqlite3_finalize(*kept);
        *kept = nullptr;
    }
    // The last close of a WAL file copies the -wal into it: a damaged file is left as it is.
    if (damaged) sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    // Of a file moved or replaced since its open, SQLite leaves the WAL at the old name,
    // where the next open of the path would lay it over whatever file stands there now:
    // the WAL goes into the file it belongs to first, and is emptied.
    int moved = 0;
    if (!damaged && sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved) {
        sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
    m_walFrames = 0;
}

// Replaces SQLite's own hook, doing what it does, and counts the frames for Park.
int CDbSQLite::OnWalCommit(void* self, sqlite3* db, const char* name, int frames)
{
    static_cast<CDbSQLite*>(self)->m_walFrames = frames;
    if (frames >= kCheckpointFrames) sqlite3_wal_checkpoint(db, name);
    return SQLITE_OK;
}

void CDbSQLite::RollBackOpenTransaction()
{
    if (m_db && !sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

// Runs one statement to its end; rows go to table when given. Returns SQLITE_DONE when
// the statement finished, else SQLite's code with m_lastError set.
LONG CDbSQLite::Step(const std::string& sql, ResultTable* table, const RowHandler* onRow)
{
    if (!m_db) return Fail(SQLITE_MISUSE, L"database is not open");
    sqlite3_stmt* stmt = Reusable(sql);
    if (!stmt) {
        ++m_stats.plain;
        return StepPlain(sql, table, onRow);
    }
    LONG rc = StepRows(stmt, table, onRow);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);  // the bound texts live only until the next text
    return rc;
}

// The cached statement of the text's shape with the text's literals bound, or null when
// the text is to be prepared as it is. A shape that SQLite does not take as exactly one
// statement with one parameter per lifted literal is never cached.
sqlite3_stmt* CDbSQLite::Reusable(const std::string& sql)
{
    if (!m_shape.Lift(sql)) return nullptr;
    const std::string& shape = m_shape.Text();
    const std::vector<SqlLiteral>& literals = m_shape.Literals();
    sqlite3_stmt* stmt = m_cache.Find(shape);
    if (stmt) {
        ++m_stats.reused;
    } else {
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v3(m_db, shape.c_str(), static_cast<int>(shape.size()), SQLITE_PREPARE_PERSISTENT,
                                    &stmt, &tail);
        if (rc != SQLITE_OK || !stmt || !OnlyWhitespaceOrSemicolons(tail) ||
            sqlite3_bind_parameter_count(stmt) != static_cast<int>(literals.size())) {
            sqlite3_finalize(stmt);
            return nullptr;
        }
        m_cache.Add(shape, stmt);
        ++m_stats.cached;
    }
    for (size_t k = 0; k < literals.size(); ++k) {
        if (Bind(stmt, static_cast<int>(k) + 1, literals[k]) != SQLITE_OK) {
            // Let SQLite judge the text itself, with its own message.
            sqlite3_clear_bindings(stmt);
            return nullptr;
        }
    }
    return stmt;
}

// Transaction control runs once per save or row written at once: prepared once, kept.
LONG CDbSQLite::StepKept(sqlite3_stmt*& kept, const char* sql)
{
    if (!m_db) return Fail(SQLITE_MISUSE, L"database is not open");
    if (!kept) {
        int rc = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &kept, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(kept);
            kept = nullptr;
            return Fail(rc, FromUtf8(std::string(sqlite3_errmsg(m_db))));
        }
    }
    LONG rc = StepRows(kept, nullptr, nullptr);
    sqlite3_reset(kept);
    return rc;
}

// Prepares the text as it is; more than one statement in it is refused unrun.
LONG CDbSQLite::StepPlain(const std::string& sql, ResultTable* table, const RowHandler* onRow)
{
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &stmt, &tail);
    if (rc != SQLITE_OK) return Fail(rc, FromUtf8(std::string(sqlite3_errmsg(m_db))));
    if (!stmt) return Fail(SQLITE_MISUSE, L"empty statement");
    if (!OnlyWhitespaceOrSemicolons(tail)) {
        sqlite3_finalize(stmt);
        return Fail(SQLITE_ERROR, L"more than one statement in one call is refused");
    }
    LONG result = StepRows(stmt, table, onRow);
    sqlite3_finalize(stmt);
    return result;
}

LONG CDbSQLite::StepRows(sqlite3_stmt* stmt, ResultTable* table, const RowHandler* onRow)
{
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        // Asked per row: a step may prepare the statement again for a changed schema.
        const size_t columns = static_cast<size_t>(sqlite3_column_count(stmt));
        const Row row(stmt, columns);
        if (onRow) (*onRow)(row);
        if (!table) continue;
        ResultTable::Record& record = table->m_Records.emplace_back();
        record.reserve(columns);
        for (size_t c = 0; c < columns; ++c) record.emplace_back(row.GetText(c));
    }
    if (rc != SQLITE_DONE) return Fail(rc, FromUtf8(std::string(sqlite3_errmsg(m_db))));
    return SQLITE_DONE;
}

LONG CDbSQLite::Run(const wchar_t* sql, ResultTable* table, const RowHandler* onRow, bool partOfTransaction)
{
    return Guarded(partOfTransaction,
                   [&] { return Step(sql ? ToUtf8(sql, std::wcslen(sql)) : std::string(), table, onRow); });
}

// Runs one statement; a failure inside a transaction rolls it back and marks it failed.
LONG CDbSQLite::Guarded(bool partOfTransaction, const std::function<LONG()>& step)
{
    // The writes of a failed transaction must not run on their own. Reads, and statements
    // meant to stand alone (a row written at once), may: the failed work is rolled back.
    if (m_depth > 0 && m_failed && partOfTransaction) {
        return Fail(SQLITE_ABORT, L"transaction already rolled back after: " + m_firstFailure);
    }
    LONG rc = step();
    if (rc != SQLITE_DONE && m_depth > 0 && !m_failed) {
        m_failed = true;
        m_firstFailure = m_lastError;
        RollBackOpenTransaction();
    }
    return rc;
}

LONG CDbSQLite::SelectStatement(const wchar_t* sql, ResultTable& table)
{
    table.Clear();
    LONG rc = Run(sql, &table, nullptr, false);
    if (rc == SQLITE_DONE) return SQLITE_OK;
    table.Clear();
    return rc;
}

LONG CDbSQLite::SelectEachRow(const wchar_t* sql, const RowHandler& onRow)
{
    LONG rc = Run(sql, nullptr, &onRow, false);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

LONG CDbSQLite::DirectStatement(const wchar_t* sql)
{
    return Run(sql, nullptr, nullptr, false);
}

LONG CDbSQLite::ExecInTransaction(const CString& sql)
{
    LONG rc = Run(sql, nullptr, nullptr, true);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

LONG CDbSQLite::ExecFormatted(const wchar_t* format, const std::vector<SqlArg>& args)
{
    const SqlFormat& plan = FormatOf(format);
    if (!plan.Fits(args)) return Fail(SQLITE_MISUSE, L"the values do not fit the statement's format");
    sqlite3_stmt* stmt = plan.IsBindable() && m_db ? BoundStatement(plan) : nullptr;
    // SQLite judges the text itself, with its own message, when the shape cannot be prepared.
    if (!stmt) return ExecInTransaction(CString(plan.Text(args)));
    LONG rc = Guarded(true, [&] { return StepBound(stmt, plan, args); });
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

const SqlFormat& CDbSQLite::FormatOf(const wchar_t* format)
{
    const std::wstring_view text = format ? format : L"";
    auto found = m_formats.find(text);
    if (found != m_formats.end()) return found->second->format;
    auto entry = std::make_unique<FormatEntry>(FormatEntry{std::wstring(text), SqlFormat(format)});
    const std::wstring_view key = entry->text;
    return m_formats.emplace(key, std::move(entry)).first->second->format;
}

// The statement of the format's shape, prepared once; null when SQLite does not take the
// shape as one statement with one parameter per value.
sqlite3_stmt* CDbSQLite::BoundStatement(const SqlFormat& plan)
{
    sqlite3_stmt* stmt = m_cache.Find(plan.Shape());
    if (stmt) {
        ++m_stats.reused;
        return stmt;
    }
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v3(m_db, plan.Shape().c_str(), static_cast<int>(plan.Shape().size()),
                                SQLITE_PREPARE_PERSISTENT, &stmt, &tail);
    if (rc != SQLITE_OK || !stmt || !OnlyWhitespaceOrSemicolons(tail) ||
        sqlite3_bind_parameter_count(stmt) != static_cast<int>(plan.Kinds().size())) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_cache.Add(plan.Shape(), stmt);
    ++m_stats.cached;
    return stmt;
}

// Runs the statement with the values bound as the format's text would have held them.
LONG CDbSQLite::StepBound(sqlite3_stmt* stmt, const SqlFormat& plan, const std::vector<SqlArg>& args)
{
    m_boundTexts.resize(args.size());
    int rc = SQLITE_OK;
    for (size_t k = 0; k < args.size() && rc == SQLITE_OK; ++k) {
        const int index = static_cast<int>(k) + 1;
        if (!args[k].IsText()) {
            rc = sqlite3_bind_int64(stmt, index, plan.Integer(k, args[k]));
            continue;
        }
        std::string& utf8 = m_boundTexts[k];
        utf8 = ToUtf8(args[k].Text());
        rc = utf8.size() > static_cast<size_t>(INT_MAX)
                 ? SQLITE_TOOBIG
                 : sqlite3_bind_text(stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
    }
    if (rc == SQLITE_OK) {
        rc = StepRows(stmt, nullptr, nullptr);
    } else {
        Fail(rc, FromUtf8(std::string(sqlite3_errmsg(m_db))));
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return rc;
}

void CDbSQLite::BeginTransaction()
{
    if (m_depth > 0 && m_failed) {
        // The failed transaction was already rolled back; its owner gave up on it.
        m_depth = 0;
        m_failed = false;
    }
    if (m_depth++ > 0) return;
    LONG rc = StepKept(m_begin, "BEGIN IMMEDIATE");
    if (rc != SQLITE_DONE) {
        m_failed = true;
        m_firstFailure = m_lastError;
    }
}

LONG CDbSQLite::CommitTransaction()
{
    if (m_depth == 0) return Fail(SQLITE_ERROR, L"cannot commit - no transaction is active");
    if (--m_depth > 0) {
        return m_failed ? Fail(SQLITE_ABORT, L"transaction rolled back after: " + m_firstFailure)
                        : SQLITE_OK;
    }
    if (m_failed) {
        m_failed = false;
        RollBackOpenTransaction();
        return Fail(SQLITE_ABORT, L"transaction rolled back after: " + m_firstFailure);
    }
    LONG rc = StepKept(m_commit, "COMMIT");
    if (rc == SQLITE_DONE) return SQLITE_OK;
    std::wstring message = m_lastError;
    RollBackOpenTransaction();
    m_lastError = message;
    return rc;
}

const wchar_t* CDbSQLite::LastError()
{
    return m_lastError.c_str();
}

CDbSQLite::StatementStats CDbSQLite::GetStatementStats() const
{
    StatementStats stats = m_stats;
    stats.held = m_cache.Size();
    return stats;
}
