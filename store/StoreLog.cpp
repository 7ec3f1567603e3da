#include "StoreLog.h"

#include "KivoLog.h"

void CStoreLog::StatementFailed(CDbSQLite* db, const wchar_t* tag, const wchar_t* text, LONG code)
{
    CString message(text);
    if (db) message += db->LastError();
    CKivoLog::Print(tag, message, static_cast<ULONG>(code));
}

void CStoreLog::NotLoginOver(const wchar_t* className)
{
    CString text(className);
    text += L"::SaveToDisk, End, not loginOver, to avoid inconsistent data, do not save local db";
    CKivoLog::Print(text);
}
