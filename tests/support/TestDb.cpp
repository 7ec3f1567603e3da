#include "TestDb.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "Utf8.h"

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kivostore-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

unsigned ModeOf(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

CommandRun RunCommand(const std::string& commandLine)
{
    CommandRun run{-1, ""};
    FILE* pipe = popen(commandLine.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

LogCapture::LogCapture()
{
    CKivoLog::SetSink([this](const KivoLogRecord& record) { m_records.push_back(record); });
}

LogCapture::~LogCapture()
{
    CKivoLog::CloseSink();
}

bool LogCapture::Has(const std::wstring& function, const std::wstring& messagePrefix) const
{
    for (const KivoLogRecord& r : m_records) {
        if (r.function == function && r.message.compare(0, messagePrefix.size(), messagePrefix) == 0) return true;
    }
    return false;
}

bool LogCapture::HasText(const std::wstring& text) const
{
    for (const KivoLogRecord& r : m_records) {
        if (r.text == text) return true;
    }
    return false;
}

bool LogCapture::AnyContains(const std::wstring& piece) const
{
    for (const KivoLogRecord& r : m_records) {
        if (r.text.find(piece) != std::wstring::npos || r.message.find(piece) != std::wstring::npos ||
            r.function.find(piece) != std::wstring::npos)
            return true;
    }
    return false;
}

PlainDb::PlainDb(const std::string& path)
{
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) throw std::runtime_error("cannot open " + path);
    sqlite3_busy_timeout(m_db, 5000);
}

PlainDb::~PlainDb()
{
    sqlite3_close(m_db);
}

int PlainDb::Run(const std::string& sql, std::string* message)
{
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK && message) *message = sqlite3_errmsg(m_db);
    return rc;
}

void PlainDb::Exec(const std::string& sql)
{
    std::string message;
    if (Run(sql, &message) != SQLITE_OK) throw std::runtime_error(sql + ": " + message);
}

void PlainDb::Refuse(const std::string& on, const std::string& name)
{
    Exec("create trigger " + name + " before " + on + " begin select raise(abort, 'refused'); end");
}

Rows PlainDb::Rows(const std::string& sql)
{
    ::Rows rows;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sql + ": " + sqlite3_errmsg(m_db));
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const unsigned char* text = sqlite3_column_text(stmt, c);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    return rows;
}

std::string PlainDb::Value(const std::string& sql)
{
    auto rows = Rows(sql);
    return rows.empty() || rows[0].empty() ? std::string() : rows[0][0];
}

long PlainDb::Count(const std::string& table)
{
    return std::stol(Value("select count(*) from " + table));
}

std::string PlainDb::Counts(const std::vector<std::string>& tables)
{
    std::string counts;
    for (const std::string& table : tables) counts += (counts.empty() ? "" : " ") + std::to_string(Count(table));
    return counts;
}

CString StoreTest::DbPathW() const
{
    return CString(FromUtf8(DbPath()));
}
