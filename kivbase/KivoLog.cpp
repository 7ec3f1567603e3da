#include "KivoLog.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>

#include "Utf8.h"
#include "WideFormat.h"

namespace {

std::mutex& SinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

CKivoLog::Sink& CurrentSink()
{
    static CKivoLog::Sink sink;
    return sink;
}

// With no sink a record would be built only to be dropped: the time text alone costs
// more than a statement.
std::atomic<bool> g_hasSink{false};

std::wstring NowText()
{
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm local{};
    localtime_r(&tv.tv_sec, &local);
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(tv.tv_usec / 1000));
    return buffer;
}

KivoLogRecord NewRecord()
{
    KivoLogRecord record;
    record.time = NowText();
    record.thread = static_cast<unsigned long>(pthread_self());
    return record;
}

}  // namespace

std::string KivoLogRecord::ToLine() const
{
    std::string line = ToUtf8(time) + " [" + std::to_string(thread) + "] ";
    if (!function.empty() || !message.empty()) {
        line += ToUtf8(function) + ": " + ToUtf8(message);
        if (hasCode) line += " " + std::to_string(code);
    } else {
        line += ToUtf8(text);
    }
    return line;
}

void CKivoLog::Emit(KivoLogRecord record)
{
    std::lock_guard<std::mutex> lock(SinkMutex());
    if (CurrentSink()) CurrentSink()(record);
}

void CKivoLog::Print(const wchar_t* text)
{
    if (!g_hasSink.load(std::memory_order_relaxed)) return;
    KivoLogRecord record = NewRecord();
    record.text = text ? text : L"";
    Emit(std::move(record));
}

void CKivoLog::Print(const wchar_t* function, const wchar_t* message)
{
    if (!g_hasSink.load(std::memory_order_relaxed)) return;
    KivoLogRecord record = NewRecord();
    record.function = function ? function : L"";
    record.message = message ? message : L"";
    Emit(std::move(record));
}

void CKivoLog::Print(const wchar_t* function, const wchar_t* message, ULONG code)
{
    if (!g_hasSink.load(std::memory_order_relaxed)) return;
    KivoLogRecord record = NewRecord();
    record.function = function ? function : L"";
    record.message = message ? message : L"";
    record.hasCode = true;
    record.code = code;
    Emit(std::move(record));
}

void CKivoLog::PrintV(const wchar_t* format, ...)
{
    if (!g_hasSink.load(std::memory_order_relaxed)) return;
    KivoLogRecord record = NewRecord();
    va_list args;
    va_start(args, format);
    record.text = WideFormatV(format, args);
    va_end(args);
    Emit(std::move(record));
}

void CKivoLog::SetSink(Sink sink)
{
    std::lock_guard<std::mutex> lock(SinkMutex());
    CurrentSink() = std::move(sink);
    g_hasSink.store(static_cast<bool>(CurrentSink()), std::memory_order_relaxed);
}

namespace {

// The log names files and accounts: a new log file is the owner's alone, whatever the
// umask. One that exists keeps its mode.
FILE* OpenForAppending(const std::string& path)
{
    int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        fchmod(fd, 0600);
    } else if (errno == EEXIST) {
        fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    }
    if (fd < 0) return nullptr;
    FILE* file = fdopen(fd, "a");
    if (!file) close(fd);
    return file;
}

}  // namespace

bool CKivoLog::OpenFile(const std::string& path)
{
    std::shared_ptr<FILE> file(OpenForAppending(path), [](FILE* f) { if (f) std::fclose(f); });
    if (!file) return false;
    SetSink([file](const KivoLogRecord& record) {
        std::string line = record.ToLine() + "\n";
        std::fwrite(line.data(), 1, line.size(), file.get());
        std::fflush(file.get());
    });
    return true;
}

void CKivoLog::CloseSink()
{
    SetSink(Sink());
}
