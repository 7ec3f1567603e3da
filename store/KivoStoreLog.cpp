#include "KivoStoreLog.h"

#include <string>

#include "KivoLog.h"
#include "Utf8.h"

void KivoStore_SetLogCallback(KivoStoreLogCallback callback, void* context)
{
    if (!callback) {
        CKivoLog::CloseSink();
        return;
    }
    CKivoLog::SetSink([callback, context](const KivoLogRecord& record) {
        const std::string time = ToUtf8(record.time);
        const std::string function = ToUtf8(record.function);
        const std::string message = ToUtf8(record.message);
        const std::string text = ToUtf8(record.text);
        const std::string line = record.ToLine();
        const KivoStoreLogRecord out = {time.c_str(), record.thread,  function.c_str(), message.c_str(),
                                        record.hasCode, record.code, text.c_str(),     line.c_str()};
        callback(&out, context);
    });
}

int KivoStore_SetLogFile(const char* path)
{
    if (!path) {
        CKivoLog::CloseSink();
        return 1;
    }
    return CKivoLog::OpenFile(path) ? 1 : 0;
}
