#include "SkippedRows.h"

#include <map>

#include "ContactListDBStore.h"
#include "RecentContactorDBStore.h"
#include "ToolText.h"
#include "WideConv.h"

namespace {

const size_t kExamples = 5;

enum class Keeps { First, Last };

// How a store keys the rows it loads. The query is the store's own, so the rows come in
// the order that decides which of them stays.
struct KeyRule {
    const char* table;
    std::wstring select;
    std::vector<size_t> keyColumns;  // none: the table holds one value
    const char* keyName;
    Keeps keeps;
    int besideColumn = -1;  // a column worth naming in the examples, or -1
    const char* besideName = "";
};

const std::wstring kRecentSelect =
    L"select * from RecentContact ORDER BY time DESC LIMIT " + std::to_wstring(CRecentContactorDBStore::kMaxRecents);

const std::vector<KeyRule>& KeyRules()
{
    static const std::vector<KeyRule> rules = {
        {"CorpInfo", L"select * from CorpInfo", {0}, "Cid", Keeps::First},
        {"CorpUC", L"select * from CorpUC", {}, "", Keeps::First},
        {"DeptInfo", L"select * from DeptInfo", {1}, "Did", Keeps::Last, 0, "Cid"},
        {"DeptUserInfo", L"select * from DeptUserInfo", {0, 1}, "Did, Uid", Keeps::First},
        {"DeptUserInfoEx", L"select * from DeptUserInfoEx", {0, 1}, "Did, Uid", Keeps::First},
        {"UserBaseInfo", L"select * from UserBaseInfo", {0}, "Uid", Keeps::First},
        {"UserBaseInfoEx", L"select * from UserBaseInfoEx", {0}, "Uid", Keeps::First},
        {"OuterGroupInfo", L"select * from OuterGroupInfo", {0}, "Gid", Keeps::Last},
        {"InnerGroupInfo", L"select * from InnerGroupInfo", {0}, "Gid", Keeps::Last},
        {"InnerContactListInfo", L"select * from InnerContactListInfo", {2}, "Uid", Keeps::Last, 0, "Gid"},
        {"SessionList", L"select * from SessionList", {0}, "SessionId", Keeps::First},
        {"RecentContact", kRecentSelect, {1}, "recentId", Keeps::First, 0, "type"},
        {"QGroupShareFileInfoPwd", L"select * from QGroupShareFileInfoPwd order by FileAddTime desc", {0, 8},
         "QGroupId, ClientFileId", Keeps::Last},
        {"QGroupFileListUC_PWD", L"select * from QGroupFileListUC_PWD", {0}, "QGroupId", Keeps::First},
        {"InnerGroupUC", L"select * from InnerGroupUC", {}, "", Keeps::Last},
        {"InnerContactUC", L"select * from InnerContactUC", {}, "", Keeps::Last},
        {"ExternalGroupUC", L"select * from ExternalGroupUC", {}, "", Keeps::Last},
        {"ExternalContactUC", L"select * from ExternalContactUC", {}, "", Keeps::Last},
        {"ExternalContactListInfo", L"select * from ExternalContactListInfo", {2}, "Uid", Keeps::Last, 0, "Gid"},
        {"UserQGroupListUC", L"select * from UserQGroupListUC", {}, "", Keeps::Last},
        {"UserSessionListUC", L"select * from UserSessionListUC", {}, "", Keeps::Last},
        {"Fast_Login_Data", L"select * from Fast_Login_Data", {}, "", Keeps::First},
        {"ContactUC", L"select * from ContactUC", {}, "", Keeps::First},
    };
    return rules;
}

void Note(SkippedRows& found, size_t rows, const std::string& example)
{
    found.rows += rows;
    if (found.details.size() < kExamples) found.details.push_back(example);
}

// Closes the examples with how many were left out.
void FinishExamples(SkippedRows& found, size_t examples)
{
    if (examples > kExamples) found.details.push_back("... and " + std::to_string(examples - kExamples) + " more");
}

std::string Cell(const CDbSQLite::ResultTable& rows, size_t row, size_t column)
{
    return Narrow(rows.GetValue(row, column));
}

SkippedRows ApplyKeyRule(const KeyRule& rule, const CDbSQLite::ResultTable& rows)
{
    // Keys as the stores read them: the low 32 bits of the leading number of each text.
    std::map<std::vector<LONG>, std::vector<size_t>> byKey;
    std::vector<std::vector<LONG>> firstSeen;
    for (size_t row = 0; row < rows.GetRowCount(); ++row) {
        std::vector<LONG> key;
        for (size_t column : rule.keyColumns) key.push_back(_wtol(rows.GetValue(row, column)));
        std::vector<size_t>& same = byKey[key];
        if (same.empty()) firstSeen.push_back(key);
        same.push_back(row);
    }
    SkippedRows found{rule.table, 0, {}};
    const std::string kept = rule.keeps == Keeps::First ? "first" : "last";
    size_t examples = 0;
    for (const std::vector<LONG>& key : firstSeen) {
        const std::vector<size_t>& same = byKey[key];
        if (same.size() < 2) continue;
        ++examples;
        const std::string count = std::to_string(same.size()) + " rows";
        if (rule.keyColumns.empty()) {
            Note(found, same.size() - 1, count + ", a load reads only the " + kept);
            continue;
        }
        std::string name = rule.keyName + std::string(" ");
        for (size_t k = 0; k < rule.keyColumns.size(); ++k) {
            name += (k ? ", " : "") + Cell(rows, same[0], rule.keyColumns[k]);
        }
        std::string beside;
        if (rule.besideColumn >= 0) {
            for (size_t row : same) {
                beside += (beside.empty() ? " (" + std::string(rule.besideName) + " " : ", ") +
                          Cell(rows, row, static_cast<size_t>(rule.besideColumn));
            }
            beside += ")";
        }
        Note(found, same.size() - 1, name + " in " + count + beside + ", a load keeps the " + kept);
    }
    FinishExamples(found, examples);
    return found;
}

// Rows past the latest ones: the load asks for no more than the store keeps.
void RecentsBeyondTheCap(CDbSQLite& db, SkippedRows& found)
{
    CDbSQLite::ResultTable count;
    if (db.SelectStatement(L"select count(*) from RecentContact", count) != 0) return;
    const size_t rows = static_cast<size_t>(_wtol(count.GetValue(0, 0)));
    const size_t cap = CRecentContactorDBStore::kMaxRecents;
    if (rows <= cap) return;
    found.rows += rows - cap;
    found.details.insert(found.details.begin(),
                         std::to_string(rows - cap) + " rows beyond the " + std::to_string(cap) + " latest by time");
}

// The contact store keys a row by the uid inside its JSON, and passes over what it cannot read.
SkippedRows ContactRows(CDbSQLite& db, const char* table)
{
    SkippedRows found{table, 0, {}};
    CDbSQLite::ResultTable rows;
    if (db.SelectStatement((L"select * from " + FromUtf8(table)).c_str(), rows) != 0) return found;
    std::map<ULONG, size_t> firstRow;
    size_t examples = 0;
    for (size_t row = 0; row < rows.GetRowCount(); ++row) {
        STContactInfo contact;
        const std::string uid = Cell(rows, row, 0);
        if (!CContactListDBStore::JsonStringToContactInfo(rows.GetValue(row, 1).Str(), contact)) {
            ++examples;
            Note(found, 1, "uid " + uid + ": its contact text cannot be read");
            continue;
        }
        const auto [it, added] = firstRow.emplace(contact.uid, row);
        if (added) continue;
        ++examples;
        Note(found, 1, "uid " + uid + ": its contact text names uid " + std::to_string(contact.uid) +
                           ", as the row of uid " + Cell(rows, it->second, 0) + " does; a load keeps the first");
    }
    FinishExamples(found, examples);
    return found;
}

}  // namespace

size_t SkippedRowsTables()
{
    return KeyRules().size() + 2;
}

std::vector<SkippedRows> FindSkippedRows(CDbSQLite& db, Progress* progress, const std::set<std::string>& only)
{
    const auto wanted = [&](const char* table) {
        if (progress) progress->Add();
        return only.empty() || only.count(table) != 0;
    };
    std::vector<SkippedRows> all;
    for (const KeyRule& rule : KeyRules()) {
        if (!wanted(rule.table)) continue;
        CDbSQLite::ResultTable rows;
        if (db.SelectStatement(rule.select.c_str(), rows) != 0) continue;
        SkippedRows found = ApplyKeyRule(rule, rows);
        if (std::string(rule.table) == "RecentContact") RecentsBeyondTheCap(db, found);
        if (found.rows > 0) all.push_back(found);
    }
    for (const char* table : {"ContactListInfo", "StrangerContactListInfo"}) {
        if (!wanted(table)) continue;
        SkippedRows found = ContactRows(db, table);
        if (found.rows > 0) all.push_back(found);
    }
    return all;
}
