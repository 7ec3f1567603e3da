// kivostore check FILE
#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "DbSQLite.h"
#include "IStore.h"
#include "Utf8.h"

namespace {

std::string Narrow(const CString& text) { return ToUtf8(text.Str()); }

std::wstring QuoteIdentifier(const std::wstring& name)
{
    std::wstring quoted = L"\"";
    for (wchar_t ch : name) quoted += ch == L'"' ? std::wstring(L"\"\"") : std::wstring(1, ch);
    return quoted + L"\"";
}

void PrintTable(CDbSQLite& db, const CString& name)
{
    CDbSQLite::ResultTable columns;
    CDbSQLite::ResultTable count;
    const std::wstring quoted = QuoteIdentifier(name.Str());
    db.SelectStatement((L"PRAGMA table_info(" + quoted + L")").c_str(), columns);
    LONG rc = db.SelectStatement((L"select count(*) from " + quoted).c_str(), count);
    std::string rows = rc == 0 ? Narrow(count.GetValue(0, 0)) : "unreadable (" + Narrow(db.LastError()) + ")";
    std::printf("%-26s %s rows\n", Narrow(name).c_str(), rows.c_str());
    for (size_t c = 0; c < columns.GetRowCount(); ++c) {
        std::printf("    %-22s %s\n", Narrow(columns.GetValue(c, 1)).c_str(), Narrow(columns.GetValue(c, 2)).c_str());
    }
}

}  // namespace

int RunCheck(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fputs("usage: kivostore check FILE\n", stderr);
        return 2;
    }
    const std::wstring path = FromUtf8(args[0]);
    IStore* store = IStore::GetInstance();
    store->SetDBPath(CString(path));
    if (!store->OpenDBFile()) {
        std::fprintf(stderr, "kivostore: cannot open '%s': not a database, or not readable and writable\n",
                     args[0].c_str());
        return 1;
    }
    store->CloseDBFile();

    CDbSQLite db;
    if (LONG rc = db.Open(path.c_str(), nullptr); rc != 0) {
        std::fprintf(stderr, "kivostore: cannot open '%s': %s\n", args[0].c_str(), Narrow(db.LastError()).c_str());
        return 1;
    }
    CDbSQLite::ResultTable tables;
    db.SelectStatement(L"select name from sqlite_master where type='table' order by name", tables);
    std::printf("%s: %zu tables\n", args[0].c_str(), tables.GetRowCount());
    for (size_t t = 0; t < tables.GetRowCount(); ++t) PrintTable(db, tables.GetValue(t, 0));

    CDbSQLite::ResultTable integrity;
    LONG rc = db.SelectStatement(L"PRAGMA integrity_check", integrity);
    const std::string verdict = rc == 0 ? Narrow(integrity.GetValue(0, 0)) : Narrow(db.LastError());
    std::printf("integrity_check: %s\n", verdict.c_str());
    return verdict == "ok" ? 0 : 1;
}
