#include "ContactListDBStore.h"

#include <cstdint>
#include <vector>

#include "JsonHelper.h"
#include "JsonObject.h"
#include "JsonValue.h"
#include "KivoLog.h"
#include "MiscFuncs.h"
#include "StoreLog.h"
#include "TableRewrite.h"
#include "StringHelper.h"

namespace {

const wchar_t kClass[] = L"CContactListDBStore";
const wchar_t kDefaultTable[] = L"ContactListInfo";

const wchar_t kLoadTag[] = L"CContactListDBStore::LoadFromDisk";
const wchar_t kLoadBegin[] = L"CContactListDBStore::LoadFromDisk,begin!";
const wchar_t kLoadEnd[] = L"CContactListDBStore::LoadFromDisk,end!";
const wchar_t kLoadEndSize[] = L"CContactListDBStore::LoadFromDisk,end!,size[%d]";
const wchar_t kSelectAll[] = L"select * from %s";
const wchar_t kSelectError[] = L"select * uid  error";
const wchar_t kJsonFailed[] = L"CContactListDBStore::JsonStringToContactInfo failed [%s]";

const wchar_t kSaveTag[] = L"CContactListDBStore::SaveToDisk";
const wchar_t kDeleteAll[] = L"delete from %s";
const wchar_t kDeleteAllError[] = L"delete from ContactListInfo error";
const wchar_t kInsertRow[] = L"insert into %s (uid,contactinfo) values (%d,'%s')";
const wchar_t kInsertError[] = L"insert into ContactListInfo error";
const wchar_t kCommitError[] = L"COMMIT ERROR";

const wchar_t kAddTag[] = L"CContactListDBStore::DBAddContact";
const wchar_t kReplaceRow[] = L"replace into %s (uid,contactinfo) values (%d,'%s')";
const wchar_t kReplaceError[] = L"replace into ContactListInfo error";
const wchar_t kDelTag[] = L"CContactListDBStore::DBDelContact";
const wchar_t kDeleteRow[] = L"delete from %s where uid=%d";
const wchar_t kDeleteRowError[] = L"delete Contact error";
const wchar_t kModifyTag[] = L"CContactListDBStore::DBModifyContact";
const wchar_t kUpdateRow[] = L"update %s set contactinfo='%s' where uid=%d";
const wchar_t kUpdateError[] = L"Update Contact error";

// The tag and failure text of each kind of row write, in the order of PendingRow::Kind.
const struct {
    const wchar_t* tag;
    const wchar_t* failText;
} kRowWrites[] = {{kAddTag, kReplaceError}, {kModifyTag, kUpdateError}, {kDelTag, kDeleteRowError}};

const wchar_t kSaveList[] = L"CContactListDBStore::SaveContactList,old[%d],new[%d]";
const wchar_t kUidHeldTwice[] = L"CContactListDBStore, contact uid %u given again, the one held under %u dropped";

const wchar_t kBaseKey[] = L"ContactorBaseInfo";
const wchar_t kExtKey[] = L"ContactorExtInfo";
const wchar_t kCorpKeyPrefix[] = L"ContactorCorpInfo";

// Each record's JSON keys, in the order they are written, listed once for both
// directions. Numbers travel as their 32-bit value read as unsigned; ExistFlag alone is
// widened with its sign first.
template <typename Visitor, typename Contactor>
void VisitBase(Visitor& v, Contactor& c)
{
    v.Number(L"uid", c.uid);
    v.Number(L"origintype", c.origintype);
    v.Text(L"markname", c.markname);
    v.Number(L"flag", c.flag);
    v.Number(L"groupid", c.groupid);
}

template <typename Visitor, typename Contact>
void VisitExt(Visitor& v, Contact& c)
{
    v.Flag(L"ExistFlag", c.ExistFlag);
    v.Number(L"cid", c.cid);
    v.Number(L"uid", c.uid);
    v.Text(L"account", c.account);
    v.Text(L"name", c.name);
    v.Number(L"gender", c.gender);
    v.Text(L"pos", c.pos);
    v.Number(L"origintype", c.origintype);
    v.Text(L"sign", c.sign);
    v.Text(L"mobile", c.mobile);
    v.Text(L"email", c.email);
    v.Number(L"headpic", c.headpic);
    v.Number(L"privacyflag", c.privacyflag);
    v.Number(L"birth", c.birth);
    v.Text(L"bindmobile", c.bindmobile);
    v.Text(L"regip", c.regip);
    v.Number(L"regport", c.regport);
    v.Number(L"score", c.score);
    v.Number(L"wealth", c.wealth);
    v.Number(L"level", c.level);
}

template <typename Visitor, typename Corp>
void VisitCorp(Visitor& v, Corp& c)
{
    v.Number(L"cid", c.cid);
    v.Text(L"useraccount", c.useraccount);
    v.Text(L"corpaccount", c.corpaccount);
    v.Text(L"name", c.name);
    v.Number(L"gender", c.gender);
    v.Text(L"sign", c.sign);
    v.Text(L"mobile", c.mobile);
    v.Text(L"email", c.email);
    v.Number(L"roleid", c.roleid);
    v.Number(L"headpic", c.headpic);
    v.Number(L"privacyflag", c.privacyflag);
    v.Number(L"birth", c.birth);
    v.Text(L"pos", c.pos);
    v.Text(L"tel", c.tel);
    v.Text(L"desp", c.desp);
    v.Text(L"hidedeptlist", c.hidedeptlist);
    v.Number(L"authority", c.authority);
    v.Text(L"posdepts", c.posdepts);
    v.Text(L"posdetails", c.posdetails);
}

struct Writer {
    JsonObject object;

    void Text(const wchar_t* key, const std::wstring& value) { object.AddChild(key, value); }
    void Number(const wchar_t* key, uint32_t value) { object.AddChild(key, CStringHelper::ToString(value)); }
    void Flag(const wchar_t* key, int32_t value)
    {
        object.AddChild(key, CStringHelper::ToString(static_cast<uint64_t>(static_cast<int64_t>(value))));
    }
};

// A missing member leaves its field as it was: each key has its own scratch text.
struct Reader {
    const JsonObject& object;

    void Text(const wchar_t* key, std::wstring& field) { object.GetValue(key, field); }
    template <typename T>
    void Number(const wchar_t* key, T& field)
    {
        std::wstring text;
        if (object.GetValue(key, text)) field = static_cast<T>(CStringHelper::ToLong(text));
    }
    void Flag(const wchar_t* key, LONG& field)
    {
        std::wstring text;
        if (object.GetValue(key, text)) field = CStringHelper::ToInt(text);
    }
};

// A member that is there but not an object counts as missing. Each member is read once,
// so it is moved out of root rather than copied.
bool TakeObjectMember(JsonObject& root, const std::wstring& key, JsonObject& object)
{
    JsonValue value;
    if (!root.TakeValue(key, value) || !value.IsObject()) return false;
    object = std::move(value).GetObjectValue();
    return true;
}

CString EscapedJson(const STContactInfo& contact)
{
    std::wstring text;
    CContactListDBStore::ContactInfoToJsonString(contact, text);
    return CMiscFuncs::Convert2SqlParam(text);
}

}  // namespace

CContactListDBStore::CContactListDBStore(CDbSQLite* pDbSQLite) : m_strTableName(kDefaultTable), m_pDbSQLite(pDbSQLite)
{
}

void CContactListDBStore::ContactInfoToJsonString(const STContactInfo& contact, std::wstring& text)
{
    JsonObject root;
    Writer base;
    VisitBase(base, contact.contactor);
    root.AddChild(kBaseKey, JsonValue(std::move(base.object)));
    Writer ext;
    VisitExt(ext, contact);
    root.AddChild(kExtKey, JsonValue(std::move(ext.object)));
    int number = 1;
    for (const auto& entry : contact.mapCorpInfo) {
        Writer corp;
        VisitCorp(corp, entry.second);
        root.AddChild(kCorpKeyPrefix + CStringHelper::ToString(static_cast<uint64_t>(number++)), JsonValue(std::move(corp.object)));
    }
    CJsonHelper::ObjectToString(root, text);
}

int CContactListDBStore::JsonStringToContactInfo(const std::wstring& text, STContactInfo& contact)
{
    if (text.empty()) return 0;
    JsonObject root;
    CJsonHelper::StringToObject(text, root);
    JsonObject base;
    if (!TakeObjectMember(root, kBaseKey, base)) return 0;
    Reader baseReader{base};
    VisitBase(baseReader, contact.contactor);
    JsonObject ext;
    if (!TakeObjectMember(root, kExtKey, ext)) return 0;
    Reader extReader{ext};
    VisitExt(extReader, contact);
    // The first missing number ends the entries.
    JsonObject corpObject;
    for (int number = 1; TakeObjectMember(root, kCorpKeyPrefix + CStringHelper::ToString(static_cast<uint64_t>(number)), corpObject); ++number) {
        STContactorCorpInfo corp;
        Reader corpReader{corpObject};
        VisitCorp(corpReader, corp);
        contact.mapCorpInfo.emplace(corp.cid, corp);  // an id already present keeps its first entry
    }
    return 1;
}

int CContactListDBStore::LoadFromDisk()
{
    CKivoLog::Print(kLoadBegin);
    m_mapContact.clear();
    m_keysMayDiffer = false;  // the JSON's uid is the key of every row loaded
    CString sql;
    sql.Format(kSelectAll, m_strTableName.c_str());
    int rows = 0;
    std::vector<std::wstring> unreadable;  // logged only once the whole table was read
    LONG rc = m_pDbSQLite->SelectEachRow(sql, [&](const CDbSQLite::Row& row) {
        ++rows;
        std::wstring text = row.GetText(1);
        STContactInfo contact;
        if (!JsonStringToContactInfo(text, contact)) {
            unreadable.push_back(std::move(text));
            return;
        }
        const ULONG uid = contact.uid;
        m_mapContact.emplace(uid, std::move(contact));  // the JSON decides the key; the first row wins
    });
    if (rc != 0) {
        m_mapContact.clear();  // nothing of a load that failed part way stays
        CStoreLog::StatementFailed(m_pDbSQLite, kLoadTag, kSelectError, rc);
        CKivoLog::Print(kLoadEnd);
        return 0;
    }
    for (const std::wstring& text : unreadable) CKivoLog::PrintV(kJsonFailed, text.c_str());
    // What the table still owes is what memory held before the load.
    for (const auto& [uid, row] : m_mapPendingRow) Hold(uid, row);
    CKivoLog::PrintV(kLoadEndSize, rows);
    return 1;
}

int CContactListDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(kClass);
        return 0;
    }
    CString deleteAll;
    deleteAll.Format(kDeleteAll, m_strTableName.c_str());
    std::vector<CString> inserts;
    for (const auto& entry : m_mapContact) {
        // The record's own uid, not the map key, names the row.
        inserts.emplace_back();
        inserts.back().Format(kInsertRow, m_strTableName.c_str(), entry.second.uid, EscapedJson(entry.second).GetString());
    }
    const RewriteTexts texts = {kSaveTag, deleteAll, kDeleteAllError, kInsertError};
    if (!RewriteTable(m_pDbSQLite, bInTransaction, texts, inserts)) return 0;
    if (!bInTransaction) ForgetPending();  // the whole table now holds them
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

// Every write of a row puts it among the pending rows and writes them all, so a row that
// failed before gets in with the next one that succeeds.
int CContactListDBStore::WriteRowNow(ULONG uid, PendingRow row)
{
    auto [pending, added] = m_mapPendingRow.try_emplace(uid, row);
    if (!added) {
        // An update of a row whose replace is still owed must create the row.
        if (row.kind == PendingRow::Update && pending->second.kind == PendingRow::Replace) row.kind = PendingRow::Replace;
        pending->second = std::move(row);
    }
    return WritePending(kRowWrites[pending->second.kind].tag);
}

int CContactListDBStore::WritePendingRows()
{
    return m_mapPendingRow.empty() ? 1 : WritePending(nullptr);
}

// Its own transaction, even inside the caller's, and no look at the consistent flag.
// tag: the slot's, for its Begin and End lines; null at a save.
int CContactListDBStore::WritePending(const wchar_t* tag)
{
    if (tag) CKivoLog::Print(tag, L"Begin");
    m_pDbSQLite->BeginTransaction();
    for (const auto& [uid, row] : m_mapPendingRow) {
        LONG rc = m_pDbSQLite->ExecInTransaction(RowStatement(uid, row));
        if (rc != 0) {
            CStoreLog::StatementFailed(m_pDbSQLite, kRowWrites[row.kind].tag, kRowWrites[row.kind].failText, rc);
            // Ends the failed transaction, keeping nothing of it. Left open, it would fail every
            // later statement on the connection: the next load would empty the list and the
            // save after it wipe the table.
            m_pDbSQLite->CommitTransaction();
            return 0;
        }
    }
    LONG rc = m_pDbSQLite->CommitTransaction();
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, tag ? tag : kSaveTag, kCommitError, rc);
        return 0;
    }
    m_mapPendingRow.clear();
    if (tag) CKivoLog::Print(tag, L"End");
    return 1;
}

CString CContactListDBStore::RowStatement(ULONG uid, const PendingRow& row) const
{
    CString sql;
    switch (row.kind) {
    case PendingRow::Replace:
        sql.Format(kReplaceRow, m_strTableName.c_str(), uid, EscapedJson(row.contact).GetString());
        break;
    case PendingRow::Update:
        sql.Format(kUpdateRow, m_strTableName.c_str(), EscapedJson(row.contact).GetString(), uid);
        break;
    case PendingRow::Delete:
        sql.Format(kDeleteRow, m_strTableName.c_str(), uid);
        break;
    }
    return sql;
}

// Memory as the row write leaves it: add keys by the row's uid, modify changes only a
// held contact, delete drops it.
void CContactListDBStore::Hold(ULONG uid, const PendingRow& row)
{
    if (row.kind == PendingRow::Delete) {
        m_mapContact.erase(uid);
        return;
    }
    auto held = m_mapContact.find(uid);
    if (held == m_mapContact.end()) {
        if (row.kind == PendingRow::Update) return;
        held = m_mapContact.emplace(uid, STContactInfo()).first;
    }
    held->second = row.contact;  // stays under uid even when the record's own uid differs
    if (uid != row.contact.uid) m_keysMayDiffer = true;
    DropOtherHolders(uid, row.contact.uid);
}

int CContactListDBStore::DBAddContact(const STContactInfo& contact, ULONG uid)
{
    return WriteRowNow(uid, {PendingRow::Replace, contact});
}

int CContactListDBStore::DBDelContact(ULONG uid)
{
    return WriteRowNow(uid, {PendingRow::Delete, STContactInfo()});
}

int CContactListDBStore::DBModifyContact(const STContactInfo& contact, ULONG uid)
{
    return WriteRowNow(uid, {PendingRow::Update, contact});
}

void CContactListDBStore::GetContactList(std::map<ULONG, STContactInfo>& mapContact) const
{
    mapContact = m_mapContact;
}

void CContactListDBStore::SaveContactList(const std::map<ULONG, STContactInfo>& mapContact)
{
    CKivoLog::PrintV(kSaveList, static_cast<int>(m_mapContact.size()), static_cast<int>(mapContact.size()));
    m_mapContact = mapContact;
    m_keysMayDiffer = true;
    std::map<ULONG, ULONG> keyOfUid;
    for (const auto& [key, contact] : m_mapContact) {
        auto [earlier, first] = keyOfUid.try_emplace(contact.uid, key);
        if (first) continue;
        CKivoLog::PrintV(kUidHeldTwice, contact.uid, earlier->second);
        m_mapContact.erase(earlier->second);
        earlier->second = key;
    }
}

// The record's own uid names its row, so of two held records with one uid only the
// one given last may stay: both would fail every save.
void CContactListDBStore::DropOtherHolders(ULONG keptKey, ULONG uid)
{
    if (!m_keysMayDiffer) return;
    bool anyDiffers = false;
    for (auto it = m_mapContact.begin(); it != m_mapContact.end();) {
        if (it->first == keptKey || it->second.uid != uid) {
            anyDiffers |= it->first != it->second.uid;
            ++it;
            continue;
        }
        CKivoLog::PrintV(kUidHeldTwice, uid, it->first);
        it = m_mapContact.erase(it);
    }
    m_keysMayDiffer = anyDiffers;
}

void CContactListDBStore::ClearContactList()
{
    m_mapContact.clear();
    m_keysMayDiffer = false;
}

void CContactListDBStore::AddContact(const STContactInfo& contact)
{
    Hold(contact.uid, {PendingRow::Replace, contact});
    DBAddContact(contact, contact.uid);
}

int CContactListDBStore::DelContact(ULONG uid)
{
    if (m_mapContact.erase(uid) == 0) return 0;
    DBDelContact(uid);
    return 1;
}

void CContactListDBStore::ModifyContact(ULONG uid, const STContactInfo& contact)
{
    if (m_mapContact.count(uid) == 0) return;
    Hold(uid, {PendingRow::Update, contact});
    DBModifyContact(contact, uid);
}

void CContactListDBStore::GetContact(ULONG uid, STContactInfo& contact) const
{
    auto held = m_mapContact.find(uid);
    if (held != m_mapContact.end()) contact = held->second;
}

int CContactListDBStore::GetContactCount() const
{
    return static_cast<int>(m_mapContact.size());
}

int CContactListDBStore::IsContactExist(ULONG uid) const
{
    return m_mapContact.count(uid) != 0 ? 1 : 0;
}

// Nothing is logged here, a failed query included.
int CContactListDBStore::IsContactListStored()
{
    CString sql;
    sql.Format(kSelectAll, m_strTableName.c_str());
    // Only the number of rows matters: they are stepped, never turned into text.
    size_t rows = 0;
    if (m_pDbSQLite->SelectEachRow(sql, [&rows](const CDbSQLite::Row&) { ++rows; }) != 0) return 0;
    return rows >= m_mapContact.size() ? 1 : 0;
}
