#include "BenchRecords.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include <nlohmann/json.hpp>

#include "BenchSupport.h"
#include "ContactListDBStore.h"
#include "Store.h"
#include "Utf8.h"

namespace bench {

namespace {

using Json = nlohmann::ordered_json;

const ULONG kCorpId = 1000;
const ULONG kFirstUid = 3000000000u;  // above 2^31: %d writes them negative

[[noreturn]] void Die(const std::string& what)
{
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    std::abort();
}

std::wstring Numbered(const wchar_t* prefix, unsigned index)
{
    return prefix + std::to_wstring(index);
}

STUserBaseInfo MakeUser(unsigned i)
{
    STUserBaseInfo user;
    user.Cid = kCorpId + i % 7;
    user.Uid = kFirstUid + i;
    user.CorpAccount = Numbered(L"corp", i % 7);
    user.Account = Numbered(L"user", i);
    user.Name = i % 10 == 0 ? Numbered(L"O'Neil ", i) : i % 10 == 1 ? Numbered(L"\u674e\u56db ", i)
                                                                     : Numbered(L"Name ", i);
    user.Gender = static_cast<LONG>(i % 2);
    user.PositionEx = i % 3 == 0 ? L"" : std::to_wstring(i % kDepartments + 1) + (i % 5 == 0 ? L",lead" : L"");
    return user;
}

// Department did of a tree of count departments, ten children each.
STDeptInfo MakeDepartment(unsigned did, unsigned count)
{
    STDeptInfo dept;
    dept.Cid = kCorpId;
    dept.Did = did;
    dept.PDid = did == 1 ? 0 : (did - 2) / 10 + 1;
    dept.FirstChild = (did - 1) * 10 + 2 <= count ? (did - 1) * 10 + 2 : 0;
    dept.NextSibling = did > 1 && (did - 1) % 10 != 0 && did < count ? did + 1 : 0;
    dept.UC = did;
    dept.Name = Numbered(L"Department ", did) + (did % 7 == 0 ? L" (R&D's \u7814\u53d1)" : L"");
    dept.Desp = did % 3 == 0 ? L"Works on the product's core" : L"";
    dept.Tel = Numbered(L"+49 30 ", 100000 + did);
    dept.Website = L"https://kivo.example/dept";
    dept.FirstChildUser = kFirstUid + (did - 1) * kMembersPerDepartment;
    return dept;
}

STDeptUserInfo MakeMembers(unsigned did)
{
    STDeptUserInfo members;
    members.Did = did;
    const ULONG first = kFirstUid + (did - 1) * kMembersPerDepartment;
    for (unsigned k = 0; k < kMembersPerDepartment; ++k) {
        members.mapUser[first + k] = k + 1 < kMembersPerDepartment ? first + k + 1 : 0;
    }
    return members;
}

STContactInfo MakeContact(ULONG uid)
{
    STContactInfo contact;
    contact.uid = uid;
    contact.cid = kCorpId + uid % 3;
    contact.contactor.uid = uid;
    contact.contactor.groupid = uid % 12;
    contact.contactor.markname = uid % 9 == 0 ? L"O'Neil \U0001F600" : L"";
    contact.account = Numbered(L"user", uid);
    contact.name = Numbered(L"Contact ", uid) + (uid % 5 == 0 ? L" \u674e\u56db" : L"");
    contact.pos = L"Engineer";
    contact.mobile = Numbered(L"+49 151 ", 2000000 + uid);
    contact.email = Numbered(L"contact", uid) + L"@kivo.example";
    contact.sign = uid % 4 == 0 ? L"Out until Monday, \"urgent\" calls only" : L"";
    contact.ExistFlag = uid % 50 == 0 ? -1 : 1;
    for (ULONG k = 0; k < 2; ++k) {
        STContactorCorpInfo corp;
        corp.cid = kCorpId + (uid + k) % 3;
        corp.useraccount = contact.account;
        corp.corpaccount = Numbered(L"corp", corp.cid);
        corp.name = contact.name;
        corp.mobile = contact.mobile;
        corp.email = contact.email;
        corp.pos = k == 0 ? L"Engineer" : L"Advisor";
        corp.tel = Numbered(L"+49 30 ", 200000 + uid);
        corp.posdepts = std::to_wstring(uid % kDepartments + 1);
        contact.mapCorpInfo[corp.cid] = corp;
    }
    return contact;
}

// What make gives for each number from first to last, in that order.
template <typename Records, typename Make>
Records MakeEach(unsigned first, unsigned last, Make make)
{
    Records made;
    for (unsigned i = first; i <= last; ++i) made.insert(made.end(), make(i));
    return made;
}

// The store writes a fresh file and closes it again.
void WriteThroughStore(const std::string& path, unsigned int mask, const std::function<void(IStore&)>& fill)
{
    CStore store;
    IStore& api = store;
    PointStoreAtFreshFile(api, path);
    fill(api);
    api.SetDataConsistentFlag(mask, true);
    if (api.SaveToDisk(mask, TRUE) != 1) Die("the store could not write " + path);
}

const BenchDir& FilesDir()
{
    static const BenchDir dir;
    return dir;
}

// %d of a 32-bit field: the value SQLite stores.
int64_t Signed(ULONG value)
{
    return static_cast<int32_t>(value);
}

void WriteUser(RawStatement& stmt, const STUserBaseInfo& u)
{
    stmt.Int(1, Signed(u.Uid))
        .Int(2, Signed(u.Cid))
        .Text(3, u.CorpAccount)
        .Text(4, u.Account)
        .Text(5, u.Name)
        .Int(6, u.Gender)
        .Int(7, u.PartialFlag)
        .Int(8, Signed(u.ExistFlag))
        .Text(9, u.PositionEx)
        .Int(10, u.ActiveState)
        .Run();
}

void ReadUsers(sqlite3* db, const char* sql, std::map<ULONG, STUserBaseInfo>& users)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        STUserBaseInfo info;
        info.Uid = RawU32(stmt, 0);
        info.Cid = RawU32(stmt, 1);
        info.PartialFlag = static_cast<LONG>(RawU32(stmt, 6));
        if (info.PartialFlag == 0) {
            info.CorpAccount = RawWide(stmt, 2);
            info.Account = RawWide(stmt, 3);
            info.Name = RawWide(stmt, 4);
            info.Gender = static_cast<LONG>(RawU32(stmt, 5));
            info.PositionEx = RawWide(stmt, 8);
        }
        info.ExistFlag = RawU32(stmt, 7);
        info.ActiveState = static_cast<LONG>(RawU32(stmt, 9));
        users.emplace(info.Uid, std::move(info));
    }
    sqlite3_finalize(stmt);
}

void ReadMembers(sqlite3* db, const char* sql, std::map<ULONG, STDeptUserInfo>& members)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const ULONG did = RawU32(stmt, 0);
        STDeptUserInfo& held = members[did];
        held.Did = did;
        held.mapUser.emplace(RawU32(stmt, 1), RawU32(stmt, 2));
    }
    sqlite3_finalize(stmt);
}

// Each record's JSON keys in the store's order, listed once for both directions. Numbers
// travel as their 32-bit value read as unsigned; ExistFlag alone is widened with its sign.
template <typename Visitor, typename Contactor>
void VisitBase(Visitor& v, Contactor& c)
{
    v.Number("uid", c.uid);
    v.Number("origintype", c.origintype);
    v.Text("markname", c.markname);
    v.Number("flag", c.flag);
    v.Number("groupid", c.groupid);
}

template <typename Visitor, typename Contact>
void VisitExt(Visitor& v, Contact& c)
{
    v.Flag("ExistFlag", c.ExistFlag);
    v.Number("cid", c.cid);
    v.Number("uid", c.uid);
    v.Text("account", c.account);
    v.Text("name", c.name);
    v.Number("gender", c.gender);
    v.Text("pos", c.pos);
    v.Number("origintype", c.origintype);
    v.Text("sign", c.sign);
    v.Text("mobile", c.mobile);
    v.Text("email", c.email);
    v.Number("headpic", c.headpic);
    v.Number("privacyflag", c.privacyflag);
    v.Number("birth", c.birth);
    v.Text("bindmobile", c.bindmobile);
    v.Text("regip", c.regip);
    v.Number("regport", c.regport);
    v.Number("score", c.score);
    v.Number("wealth", c.wealth);
    v.Number("level", c.level);
}

template <typename Visitor, typename Corp>
void VisitCorp(Visitor& v, Corp& c)
{
    v.Number("cid", c.cid);
    v.Text("useraccount", c.useraccount);
    v.Text("corpaccount", c.corpaccount);
    v.Text("name", c.name);
    v.Number("gender", c.gender);
    v.Text("sign", c.sign);
    v.Text("mobile", c.mobile);
    v.Text("email", c.email);
    v.Number("roleid", c.roleid);
    v.Number("headpic", c.headpic);
    v.Number("privacyflag", c.privacyflag);
    v.Number("birth", c.birth);
    v.Text("pos", c.pos);
    v.Text("tel", c.tel);
    v.Text("desp", c.desp);
    v.Text("hidedeptlist", c.hidedeptlist);
    v.Number("authority", c.authority);
    v.Text("posdepts", c.posdepts);
    v.Text("posdetails", c.posdetails);
}

struct JsonWriter {
    Json object = Json::object();

    void Text(const char* key, const std::wstring& value) { object[key] = ToUtf8(value); }
    template <typename T>
    void Number(const char* key, T value)
    {
        object[key] = std::to_string(static_cast<uint32_t>(value));
    }
    void Flag(const char* key, LONG value) { object[key] = std::to_string(static_cast<uint64_t>(int64_t{value})); }
};

// Leading blanks, a sign, digits read in 64 bits, the low 32 bits kept.
uint32_t ReadNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
    return static_cast<uint32_t>(negative ? ~value + 1 : value);
}

// A member that is missing or not a string leaves the field alone.
struct JsonReader {
    const Json& object;

    const std::string* Find(const char* key) const
    {
        auto member = object.find(key);
        return member != object.end() && member->is_string() ? &member->get_ref<const std::string&>() : nullptr;
    }
    void Text(const char* key, std::wstring& field) const
    {
        if (const std::string* text = Find(key)) field = FromUtf8(*text);
    }
    template <typename T>
    void Number(const char* key, T& field) const
    {
        if (const std::string* text = Find(key)) field = static_cast<T>(ReadNumber(*text));
    }
    // The widened text keeps the flag in its low 32 bits.
    void Flag(const char* key, LONG& field) const { Number(key, field); }
};

const Json* ObjectMember(const Json& root, const std::string& key)
{
    auto member = root.find(key);
    return member != root.end() && member->is_object() ? &*member : nullptr;
}

bool ContactFromJson(const char* text, size_t length, STContactInfo& c)
{
    if (length == 0) return false;
    Json root = Json::parse(text, text + length, nullptr, false);
    if (!root.is_object()) return false;
    const Json* base = ObjectMember(root, "ContactorBaseInfo");
    if (!base) return false;
    JsonReader b{*base};
    VisitBase(b, c.contactor);
    const Json* ext = ObjectMember(root, "ContactorExtInfo");
    if (!ext) return false;
    JsonReader e{*ext};
    VisitExt(e, c);
    for (int number = 1;; ++number) {
        const Json* corpJson = ObjectMember(root, "ContactorCorpInfo" + std::to_string(number));
        if (!corpJson) break;
        JsonReader r{*corpJson};
        STContactorCorpInfo corp;
        VisitCorp(r, corp);
        c.mapCorpInfo.emplace(corp.cid, std::move(corp));
    }
    return true;
}

// The raw side must write byte for byte what the store writes, or the comparison is void.
void CheckJsonMatchesStore()
{
    for (const auto& entry : SampleContacts()) {
        std::wstring stored;
        CContactListDBStore::ContactInfoToJsonString(entry.second, stored);
        if (ToUtf8(stored) != RawContactJson(entry.second)) {
            Die("the raw JSON of contact " + std::to_string(entry.first) + " differs from the store's");
        }
    }
}

}  // namespace

STUserBaseInfo SampleUser(int index)
{
    return MakeUser(static_cast<unsigned>(index));
}

const std::list<STUserBaseInfo>& SampleUsers(int count)
{
    // The larger samples are made only by the cases that use them.
    static std::map<int, std::list<STUserBaseInfo>> made;
    auto found = made.find(count);
    if (found == made.end()) {
        found = made.emplace(count, MakeEach<std::list<STUserBaseInfo>>(0, count - 1, MakeUser)).first;
    }
    return found->second;
}

const std::vector<STDeptInfo>& SampleDepartments()
{
    static const auto departments = MakeEach<std::vector<STDeptInfo>>(
        1, kDepartments, [](unsigned did) { return MakeDepartment(did, kDepartments); });
    return departments;
}

const std::vector<STDeptInfo>& ManyDepartments()
{
    static const auto departments = MakeEach<std::vector<STDeptInfo>>(
        1, kManyDepartments, [](unsigned did) { return MakeDepartment(did, kManyDepartments); });
    return departments;
}

const std::vector<STDeptUserInfo>& SampleMembers()
{
    static const auto members = MakeEach<std::vector<STDeptUserInfo>>(1, kDepartments, MakeMembers);
    return members;
}

const std::map<ULONG, STContactInfo>& SampleContacts()
{
    static const auto contacts = MakeEach<std::map<ULONG, STContactInfo>>(
        1, kContacts, [](unsigned uid) { return std::make_pair(ULONG{uid}, MakeContact(uid)); });
    return contacts;
}

void FillUsers(IStore& store, int count)
{
    store.ModifyUserBaseInfo(SampleUsers(count));
    store.ModifyUserBaseInfoEx(SampleUsers(count));
}

const std::string& UserFile(int count)
{
    static std::map<int, std::string> made;
    auto found = made.find(count);
    if (found != made.end()) return found->second;
    std::string path = FilesDir().FreshFile("users" + std::to_string(count) + ".db");
    WriteThroughStore(path, kUserMask, [count](IStore& store) { FillUsers(store, count); });
    return made.emplace(count, path).first->second;
}

const std::string& DirectoryFile()
{
    static const std::string path = [] {
        std::string made = FilesDir().FreshFile("directory.db");
        WriteThroughStore(made, kDirectoryMask, [](IStore& store) {
            for (const STDeptInfo& dept : SampleDepartments()) store.SaveDeptInfo(dept);
            for (const STDeptUserInfo& members : SampleMembers()) store.SaveDeptUserInfo(members);
        });
        return made;
    }();
    return path;
}

const std::string& ContactFile()
{
    static const std::string path = [] {
        CheckJsonMatchesStore();
        std::string made = FilesDir().FreshFile("contacts.db");
        WriteThroughStore(made, kContactMask,
                          [](IStore& store) { store.SaveContactList(SampleContacts(), false); });
        return made;
    }();
    return path;
}

namespace {

const char kReplaceUser[] =
    "replace into UserBaseInfo (Uid,Cid,CorpAccount,Account,Name,Gender, PartialFlag, "
    "ExistFlag, PositionEx, ActiveState) values (?,?,?,?,?,?, ?, ?, ?, ?)";
const char kRemoveUserEx[] = "delete from UserBaseInfoEx where Uid=? ";
const char kInsertUserEx[] =
    "insert into UserBaseInfoEx (Uid,Cid,CorpAccount,Account,Name,Gender, PartialFlag, "
    "ExistFlag, PositionEx, ActiveState) values (?,?,?,?,?,?, ?, ?, ?, ?)";

}  // namespace

RawOneUserSave::RawOneUserSave(sqlite3* db) : m_replace(db, kReplaceUser), m_remove(db, kRemoveUserEx),
                                              m_insert(db, kInsertUserEx)
{
}

void RawOneUserSave::Save(const STUserBaseInfo& user)
{
    WriteUser(m_replace, user);
    m_remove.Int(1, Signed(user.Uid)).Run();
    WriteUser(m_insert, user);
}

void RawSaveUsers(sqlite3* db, int count)
{
    RawStatement replace(db, kReplaceUser);
    for (const STUserBaseInfo& user : SampleUsers(count)) WriteUser(replace, user);
    RawStatement remove(db, kRemoveUserEx);
    RawStatement insert(db, kInsertUserEx);
    for (const STUserBaseInfo& user : SampleUsers(count)) {
        remove.Int(1, Signed(user.Uid)).Run();
        WriteUser(insert, user);
    }
}

RawOneDepartmentSave::RawOneDepartmentSave(sqlite3* db)
    : m_remove(db, "delete from deptinfo where Did=?"),
      m_insert(db,
               "insert into deptinfo (Cid,Did,Name,PDid,UC,FirstChild,NextSibling,Desp,Fax,"
               "HideDeptList,Addr,Tel,Website,FirstChildUser, PartialFlag) "
               "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?, ?)")
{
}

void RawOneDepartmentSave::Save(const STDeptInfo& d)
{
    m_remove.Int(1, Signed(d.Did)).Run();
    m_insert.Int(1, Signed(d.Cid))
        .Int(2, Signed(d.Did))
        .Text(3, d.Name)
        .Int(4, Signed(d.PDid))
        .Int(5, Signed(d.UC))
        .Int(6, Signed(d.FirstChild))
        .Int(7, Signed(d.NextSibling))
        .Text(8, d.Desp)
        .Text(9, d.Fax)
        .Text(10, d.HideDeptList)
        .Text(11, d.Addr)
        .Text(12, d.Tel)
        .Text(13, d.Website)
        .Int(14, Signed(d.FirstChildUser))
        .Int(15, d.PartialFlag)
        .Run();
}

void RawSaveDepartments(sqlite3* db, const std::vector<STDeptInfo>& departments)
{
    RawOneDepartmentSave writer(db);
    for (const STDeptInfo& d : departments) writer.Save(d);
}

void RawSaveDirectory(sqlite3* db)
{
    RawSaveDepartments(db, SampleDepartments());
    RawStatement removeMembers(db, "delete from DeptUserInfo where Did=? ");
    RawStatement insertMember(db, "insert into DeptUserInfo (Did,Uid,NextSiblingUid) values (?,?,?)");
    for (const STDeptUserInfo& members : SampleMembers()) {
        removeMembers.Int(1, Signed(members.Did)).Run();
        for (const auto& [uid, next] : members.mapUser) {
            insertMember.Int(1, Signed(members.Did)).Int(2, Signed(uid)).Int(3, Signed(next)).Run();
        }
    }
}

void RawSaveContacts(sqlite3* db)
{
    RawExec(db, "delete from ContactListInfo");
    RawStatement insert(db, "insert into ContactListInfo (uid,contactinfo) values (?,?)");
    for (const auto& entry : SampleContacts()) {
        insert.Int(1, Signed(entry.second.uid)).Utf8(2, RawContactJson(entry.second)).Run();
    }
}

void RawLoadUsers(sqlite3* db, RawUsers& users)
{
    ReadUsers(db, "select * from UserBaseInfo", users.base);
    ReadUsers(db, "select * from UserBaseInfoEx", users.ex);
}

void RawLoadDirectory(sqlite3* db, RawDirectory& directory)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "select * from DeptInfo", -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        STDeptInfo d;
        d.PartialFlag = static_cast<LONG>(RawU32(stmt, 14));
        d.Cid = RawU32(stmt, 0);
        d.Did = RawU32(stmt, 1);
        d.PDid = RawU32(stmt, 3);
        d.UC = RawU32(stmt, 4);
        d.FirstChild = RawU32(stmt, 5);
        d.NextSibling = RawU32(stmt, 6);
        d.FirstChildUser = RawU32(stmt, 13);
        if (d.PartialFlag == 0) {
            d.Name = RawWide(stmt, 2);
            d.Desp = RawWide(stmt, 7);
            d.Fax = RawWide(stmt, 8);
            d.HideDeptList = RawWide(stmt, 9);
            d.Addr = RawWide(stmt, 10);
            d.Tel = RawWide(stmt, 11);
            d.Website = RawWide(stmt, 12);
        }
        const ULONG did = d.Did;
        directory.departments[did] = std::move(d);
    }
    sqlite3_finalize(stmt);
    ReadMembers(db, "select * from DeptUserInfo", directory.members);
    ReadMembers(db, "select * from DeptUserInfoEx", directory.membersEx);
}

void RawLoadContacts(sqlite3* db, std::map<ULONG, STContactInfo>& contacts)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "select * from ContactListInfo", -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
        STContactInfo contact;
        if (!text || !ContactFromJson(text, static_cast<size_t>(sqlite3_column_bytes(stmt, 1)), contact)) continue;
        const ULONG uid = contact.uid;
        contacts.emplace(uid, std::move(contact));
    }
    sqlite3_finalize(stmt);
}

std::string RawContactJson(const STContactInfo& contact)
{
    Json root = Json::object();
    JsonWriter base;
    VisitBase(base, contact.contactor);
    root["ContactorBaseInfo"] = std::move(base.object);
    JsonWriter ext;
    VisitExt(ext, contact);
    root["ContactorExtInfo"] = std::move(ext.object);
    int number = 1;
    for (const auto& entry : contact.mapCorpInfo) {
        JsonWriter corp;
        VisitCorp(corp, entry.second);
        root["ContactorCorpInfo" + std::to_string(number++)] = std::move(corp.object);
    }
    return root.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace bench
