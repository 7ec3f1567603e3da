#include "BenchSupport.h"

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "DbSQLite.h"
#include "MiscFuncs.h"
#include "Schema.h"
#include "IStore.h"
#include "Utf8.h"

namespace bench {

namespace {

[[noreturn]] void Die(const std::string& what)
{
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    std::abort();
}

void Check(sqlite3* db, int rc, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE) Die(std::string(what) + ": " + sqlite3_errmsg(db));
}

void BindText(sqlite3_stmt* stmt, int index, const std::wstring& text)
{
    // The records hold wide text, so any writer of them pays this conversion.
    std::string utf8 = ToUtf8(text);
    sqlite3_bind_text(stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

std::wstring Numbered(const wchar_t* prefix, int index)
{
    return prefix + std::to_wstring(index);
}

UserRow MakeUserRow(int index)
{
    UserRow row;
    row.uid = 3000000000u + static_cast<uint32_t>(index);
    row.cid = 1000u + static_cast<uint32_t>(index % 7);
    row.corpAccount = L"corp" + std::to_wstring(index % 7);
    row.account = Numbered(L"user", index);
    row.name = index % 10 == 0 ? Numbered(L"O'Neil ", index) : Numbered(L"Name ", index);
    row.gender = index % 2;
    row.partialFlag = 0;
    row.existFlag = 1;
    row.position = index % 3 == 0 ? L"" : L"Engineer";
    row.activeState = 1;
    return row;
}

}  // namespace

BenchDir::BenchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kivostore-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Die("mkdtemp failed");
    m_path = pattern;
}

BenchDir::~BenchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string BenchDir::FreshFile(const std::string& name) const
{
    std::string path = m_path + "/" + name;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) std::remove((path + suffix).c_str());
    return path;
}

const std::vector<UserRow>& UserRows()
{
    static const std::vector<UserRow> rows = [] {
        std::vector<UserRow> made;
        made.reserve(kUserRows);
        for (int i = 0; i < kUserRows; ++i) made.push_back(MakeUserRow(i));
        return made;
    }();
    return rows;
}

const wchar_t* UserTableCreateSql()
{
    return TableCreateSql(L"UserBaseInfo");
}

static const TableSchema& TableOf(const wchar_t* name)
{
    for (const TableSchema& table : CSchema::Tables()) {
        if (std::wstring_view(table.name) == name) return table;
    }
    Die("no such table in the schema: " + ToUtf8(name));
}

const wchar_t* TableCreateSql(const wchar_t* name)
{
    return TableOf(name).createSql;
}

static CString UserWriteText(const wchar_t* verb, const UserRow& row)
{
    CString sql;
    sql.Format(L"%s into UserBaseInfo values (%u,%u,'%s','%s','%s',%d,%d,%d,'%s',%d)", verb, row.uid, row.cid,
               CMiscFuncs::Convert2SqlParam(row.corpAccount.c_str()).GetString(),
               CMiscFuncs::Convert2SqlParam(row.account.c_str()).GetString(),
               CMiscFuncs::Convert2SqlParam(row.name.c_str()).GetString(), row.gender, row.partialFlag,
               row.existFlag, CMiscFuncs::Convert2SqlParam(row.position.c_str()).GetString(), row.activeState);
    return sql;
}

CString UserInsertText(const UserRow& row)
{
    return UserWriteText(L"insert", row);
}

CString UserReplaceText(const UserRow& row)
{
    return UserWriteText(L"replace", row);
}

bool OpenWrapper(CDbSQLite& db, const std::string& path, bool createUserTable)
{
    if (db.Open(CString(FromUtf8(path)), nullptr) != 0) return false;
    return !createUserTable || db.DirectStatement(UserTableCreateSql()) == SQLITE_DONE;
}

sqlite3* OpenRaw(const std::string& path, bool createUserTable)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        Die("cannot open " + path);
    sqlite3_busy_timeout(db, 5000);
    RawExec(db, "PRAGMA journal_mode=WAL");
    RawExec(db, "PRAGMA synchronous=FULL");
    if (createUserTable) RawExec(db, ToUtf8(UserTableCreateSql()).c_str());
    return db;
}

void RawExec(sqlite3* db, const char* sql)
{
    Check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
}

RawUserWriter::RawUserWriter(sqlite3* db, const char* verb) : m_db(db)
{
    std::string sql = std::string(verb) + " into UserBaseInfo values (?,?,?,?,?,?,?,?,?,?)";
    Check(db, sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr), "prepare");
}

RawUserWriter::~RawUserWriter()
{
    sqlite3_finalize(m_stmt);
}

void RawUserWriter::Write(const UserRow& row)
{
    sqlite3_bind_int64(m_stmt, 1, row.uid);
    sqlite3_bind_int64(m_stmt, 2, row.cid);
    BindText(m_stmt, 3, row.corpAccount);
    BindText(m_stmt, 4, row.account);
    BindText(m_stmt, 5, row.name);
    sqlite3_bind_int(m_stmt, 6, row.gender);
    sqlite3_bind_int(m_stmt, 7, row.partialFlag);
    sqlite3_bind_int(m_stmt, 8, row.existFlag);
    BindText(m_stmt, 9, row.position);
    sqlite3_bind_int(m_stmt, 10, row.activeState);
    Check(m_db, sqlite3_step(m_stmt), "step");
    sqlite3_reset(m_stmt);
}

void FillUserFile(const std::string& path)
{
    sqlite3* db = OpenRaw(path, true);
    RawExec(db, "BEGIN IMMEDIATE");
    {
        RawUserWriter writer(db, "insert");
        for (const UserRow& row : UserRows()) writer.Write(row);
    }
    RawExec(db, "COMMIT");
    sqlite3_close(db);
}

RawStatement::RawStatement(sqlite3* db, const char* sql) : m_db(db)
{
    Check(db, sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr), sql);
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_stmt);
}

RawStatement& RawStatement::Int(int index, int64_t value)
{
    sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

RawStatement& RawStatement::Text(int index, const std::wstring& text)
{
    BindText(m_stmt, index, text);
    return *this;
}

RawStatement& RawStatement::Utf8(int index, const std::string& text)
{
    sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

void RawStatement::Run()
{
    Check(m_db, sqlite3_step(m_stmt), "step");
    sqlite3_reset(m_stmt);
}

std::wstring RawWide(sqlite3_stmt* stmt, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return text ? FromUtf8(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column))) : std::wstring();
}

uint32_t RawU32(sqlite3_stmt* stmt, int column)
{
    return static_cast<uint32_t>(sqlite3_column_int64(stmt, column));
}

sqlite3* OpenRawWithTables(const std::string& path, std::initializer_list<const wchar_t*> tables)
{
    sqlite3* db = OpenRaw(path, false);
    for (const wchar_t* name : tables) {
        const TableSchema& table = TableOf(name);
        RawExec(db, ToUtf8(table.createSql).c_str());
        if (table.indexSql) RawExec(db, ToUtf8(table.indexSql).c_str());
    }
    return db;
}

namespace {

bool SameCell(sqlite3_stmt* a, sqlite3_stmt* b, int column)
{
    const int type = sqlite3_column_type(a, column);
    if (type != sqlite3_column_type(b, column)) return false;
    switch (type) {
    case SQLITE_NULL:
        return true;
    case SQLITE_INTEGER:
        return sqlite3_column_int64(a, column) == sqlite3_column_int64(b, column);
    case SQLITE_FLOAT:
        return sqlite3_column_double(a, column) == sqlite3_column_double(b, column);
    default: {
        const void* bytesA = sqlite3_column_blob(a, column);
        const void* bytesB = sqlite3_column_blob(b, column);
        const int length = sqlite3_column_bytes(a, column);
        return length == sqlite3_column_bytes(b, column) &&
               (length == 0 || std::memcmp(bytesA, bytesB, static_cast<size_t>(length)) == 0);
    }
    }
}

}  // namespace

bool SameRows(const std::string& pathA, const std::string& pathB, const wchar_t* table)
{
    const std::string sql = "select * from " + ToUtf8(table) + " order by rowid";
    sqlite3* dbA = OpenRaw(pathA, false);
    sqlite3* dbB = OpenRaw(pathB, false);
    sqlite3_stmt* a = nullptr;
    sqlite3_stmt* b = nullptr;
    bool same = sqlite3_prepare_v2(dbA, sql.c_str(), -1, &a, nullptr) == SQLITE_OK &&
                sqlite3_prepare_v2(dbB, sql.c_str(), -1, &b, nullptr) == SQLITE_OK &&
                sqlite3_column_count(a) == sqlite3_column_count(b);
    while (same) {
        const int rcA = sqlite3_step(a);
        const int rcB = sqlite3_step(b);
        if (rcA != rcB || (rcA != SQLITE_ROW && rcA != SQLITE_DONE)) same = false;
        if (!same || rcA == SQLITE_DONE) break;
        for (int c = 0; same && c < sqlite3_column_count(a); ++c) same = SameCell(a, b, c);
    }
    sqlite3_finalize(a);
    sqlite3_finalize(b);
    sqlite3_close(dbA);
    sqlite3_close(dbB);
    return same;
}

void PointStoreAtFreshFile(IStore& store, const std::string& path)
{
    store.SetDBPath(CString(FromUtf8(path)));
    if (!store.OpenDBFile()) Die("the store cannot create " + path);
    store.CloseDBFile();
}

void PointStoreAtFile(IStore& store, const std::string& path)
{
    store.SetDBPath(CString(FromUtf8(path)));
}

namespace {

struct Clocks {
    double wall = 0;
    double cpu = 0;
};

double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Timed(const std::function<void()>& write, Clocks& total)
{
    const double wall = Seconds(CLOCK_MONOTONIC);
    const double cpu = Seconds(CLOCK_THREAD_CPUTIME_ID);
    write();
    const double spent = Seconds(CLOCK_MONOTONIC) - wall;
    total.wall += spent;
    total.cpu += Seconds(CLOCK_THREAD_CPUTIME_ID) - cpu;
    return spent;
}

}  // namespace

void RunPaired(benchmark::State& state, const std::function<void()>& side, const std::function<void()>& raw,
               const std::function<void()>& prepare)
{
    Clocks sideClocks;
    Clocks rawClocks;
    bool sideFirst = true;
    for (auto _ : state) {
        if (prepare) prepare();
        double spent;
        if (sideFirst) {
            spent = Timed(side, sideClocks);
            Timed(raw, rawClocks);
        } else {
            Timed(raw, rawClocks);
            spent = Timed(side, sideClocks);
        }
        sideFirst = !sideFirst;
        state.SetIterationTime(spent);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["side_cpu_us"] = sideClocks.cpu / n * 1e6;
    state.counters["raw_real_us"] = rawClocks.wall / n * 1e6;
    state.counters["raw_cpu_us"] = rawClocks.cpu / n * 1e6;
    state.SetItemsProcessed(state.iterations());
}

size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

namespace {

size_t StatusBytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) return std::strtoull(line.c_str() + length, nullptr, 10) * 1024;
    }
    return 0;
}

}  // namespace

void ResetPeak()
{
    // Free pages go back to the system, so a new peak has to fault them in again.
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

size_t ResidentBytes()
{
    return StatusBytes("VmRSS:");
}

size_t PeakResidentBytes()
{
    return StatusBytes("VmHWM:");
}

}  // namespace bench
