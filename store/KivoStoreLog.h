/* The store's log, for a client that wants its lines in its own log (a support case).
 * Silent until one of these is called; each call replaces the previous sink. Callable
 * before or after IStore::GetInstance(), and found by dlsym under these names. Plain C. */
#pragma once

#include "KivoStoreExport.h"

#ifdef __cplusplus
extern "C" {
#endif

/* One log record. Every text is UTF-8 and never NULL; valid only during the callback. */
typedef struct KivoStoreLogRecord {
    const char* time;      /* "YYYY-MM-DD HH:MM:SS.mmm", local time */
    unsigned long thread;  /* the calling thread (pthread_self) */
    const char* function;  /* "CStore::SaveToDisk", or "" for a free-form line */
    const char* message;   /* the message of a tagged line, or "" */
    int hasCode;           /* non-zero when code carries a result code */
    uint32_t code;
    const char* text;      /* the whole text of a free-form line, or "" */
    const char* line;      /* the record as one line, as the file sink writes it */
} KivoStoreLogRecord;

/* Called once per record, on the thread that made it, one call at a time. It must not
 * call into the store. */
typedef void (*KivoStoreLogCallback)(const KivoStoreLogRecord* record, void* context);

/* Sends every record to callback (with context); NULL makes the store silent again. */
KIVOSTORE_API void KivoStore_SetLogCallback(KivoStoreLogCallback callback, void* context);

/* Appends every record as one UTF-8 line to the file at path (created 0600: the lines
 * may name the user's files); NULL makes the store silent again. 1 on success, 0 when the
 * file cannot be opened (the previous sink stays). */
KIVOSTORE_API int KivoStore_SetLogFile(const char* path);

#ifdef __cplusplus
}
#endif
