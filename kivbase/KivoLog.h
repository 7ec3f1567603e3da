// The library's logger. Each call builds one record and hands it to the installed sink;
// by default there is none and nothing is written anywhere.
#pragma once

#include <functional>
#include <string>

#include "PlatformTypes.h"

struct KivoLogRecord {
    std::wstring time;      // "YYYY-MM-DD HH:MM:SS.mmm", local time
    unsigned long thread = 0;
    std::wstring function;  // tag of the two- and three-argument forms
    std::wstring message;
    bool hasCode = false;
    ULONG code = 0;
    std::wstring text;      // the one-argument and printf forms

    // One line in the file layout: "time [tid] function: message code", or "time [tid] text".
    std::string ToLine() const;
};

class CKivoLog {
public:
    using Sink = std::function<void(const KivoLogRecord&)>;

    static void Print(const wchar_t* text);
    static void Print(const wchar_t* function, const wchar_t* message);
    static void Print(const wchar_t* function, const wchar_t* message, ULONG code);
    static void PrintV(const wchar_t* format, ...);

    // Installs a callback sink (an empty one removes it); replaces any file sink.
    static void SetSink(Sink sink);
    // Appends UTF-8 lines to a file; false when it cannot be opened.
    static bool OpenFile(const std::string& path);
    static void CloseSink();

private:
    static void Emit(KivoLogRecord record);
};
