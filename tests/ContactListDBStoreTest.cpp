// The contact lists: a contact's JSON text, and the two stores on their tables.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "ContactListDBStore.h"
#include "JsonHelper.h"
#include "JsonValue.h"
#include "Store.h"
#include "StringHelper.h"
#include "TestDb.h"
#include "Utf8.h"

namespace {

const wchar_t kNasty[] = L"O'Brien \"q\" \\ \t\n\x01 \u00e9 \U0001F600";

STContactorCorpInfo FullCorp(ULONG cid)
{
    const std::wstring s = L"'" + std::to_wstring(cid) + L"' \U0001F600 ";
    return {cid, s + L"ua", s + L"ca", s + L"n", 1, s + L"s", s + L"m", s + L"e", 2, 3, 4, 5,
            s + L"p", s + L"t", s + L"d", s + L"h", 6, s + L"pd", s + L"px"};
}

// Every field set, in declaration order; the two extra texts never reach the table.
STContactInfo FullContact(ULONG uid)
{
    return {0, {uid, 11, L"Mark's \U0001F600", 12, 13}, 14, uid, L"acc'ount", kNasty, 15, L"pos", 16,
            L"it's \U00010348", L"mob", L"a@b", 17, 18, L"memory only", 19, L"bm", L"10.0.0.1", 20, 21, 22, 23,
            L"memory only", {{7, FullCorp(7)}, {3, FullCorp(3)}}};
}

void ExpectSame(const STContactInfo& a, const STContactInfo& b)
{
    const STContactorEx& x = a.contactor;
    const STContactorEx& y = b.contactor;
    EXPECT_EQ(std::tie(x.uid, x.origintype, x.markname, x.flag, x.groupid),
              std::tie(y.uid, y.origintype, y.markname, y.flag, y.groupid));
    EXPECT_EQ(std::tie(a.ExistFlag, a.cid, a.uid, a.gender, a.origintype, a.headpic, a.privacyflag, a.birth),
              std::tie(b.ExistFlag, b.cid, b.uid, b.gender, b.origintype, b.headpic, b.privacyflag, b.birth));
    EXPECT_EQ(std::tie(a.regport, a.score, a.wealth, a.level), std::tie(b.regport, b.score, b.wealth, b.level));
    EXPECT_EQ(std::tie(a.account, a.name, a.pos, a.sign, a.mobile, a.email, a.bindmobile, a.regip),
              std::tie(b.account, b.name, b.pos, b.sign, b.mobile, b.email, b.bindmobile, b.regip));
    ASSERT_EQ(a.mapCorpInfo.size(), b.mapCorpInfo.size());
    for (auto i = a.mapCorpInfo.begin(), j = b.mapCorpInfo.begin(); i != a.mapCorpInfo.end(); ++i, ++j) {
        const STContactorCorpInfo& p = i->second;
        const STContactorCorpInfo& q = j->second;
        EXPECT_EQ(i->first, j->first);
        EXPECT_EQ(std::tie(p.cid, p.gender, p.roleid, p.headpic, p.privacyflag, p.birth, p.authority),
                  std::tie(q.cid, q.gender, q.roleid, q.headpic, q.privacyflag, q.birth, q.authority));
        EXPECT_EQ(std::tie(p.useraccount, p.corpaccount, p.name, p.sign, p.mobile, p.email, p.pos, p.tel),
                  std::tie(q.useraccount, q.corpaccount, q.name, q.sign, q.mobile, q.email, q.pos, q.tel));
        EXPECT_EQ(std::tie(p.desp, p.hidedeptlist, p.posdepts, p.posdetails),
                  std::tie(q.desp, q.hidedeptlist, q.posdepts, q.posdetails));
    }
}

std::wstring ToJson(const STContactInfo& contact)
{
    std::wstring text;
    CContactListDBStore::ContactInfoToJsonString(contact, text);
    return text;
}

std::wstring Member(const std::wstring& text, const std::wstring& object, const std::wstring& key)
{
    JsonObject root;
    JsonValue value;
    std::wstring result = L"(missing)";
    CJsonHelper::StringToObject(text, root);
    if (root.GetValue(object, value)) value.GetObjectValue().GetValue(key, result);
    return result;
}

bool PythonAccepts(const std::wstring& text)
{
    FILE* pipe = popen("PYTHONIOENCODING=utf-8 python3 -c 'import json,sys; json.loads(sys.stdin.read())' 2>/dev/null", "w");
    if (!pipe) return false;
    const std::string utf8 = ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), pipe);
    return pclose(pipe) == 0;
}

std::map<ULONG, STContactInfo> Contacts(ULONG first, ULONG count)
{
    std::map<ULONG, STContactInfo> contacts;
    for (ULONG uid = first; uid < first + count; ++uid) contacts[uid] = FullContact(uid);
    return contacts;
}

// A store on its own connection to a file that has the schema.
class ContactListTest : public StoreTest {
protected:
    void SetUp() override
    {
        CreateSchema(DbPath());
        ASSERT_EQ(m_db.Open(DbPathW(), nullptr), 0);
        m_store.SetConsistent(true);
    }

    CDbSQLite m_db;
    CContactListDBStore m_store{&m_db};
};

// Through the interface, on a CStore of its own.
class ContactListSlotsTest : public StoreTest {};

}  // namespace

TEST(ContactJson, StringHelperToLongAndToIntKeepTheLow32Bits)
{
    const struct { const wchar_t* text; LONG value; } cases[] = {
        {L"4294967295", -1}, {L"18446744073709551615", -1}, {L"-1", -1}, {L"2147483648", INT32_MIN},
        {L"  42x", 42}, {L"", 0}, {L"abc", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CStringHelper::ToLong(c.text), c.value) << c.text;
        EXPECT_EQ(CStringHelper::ToInt(c.text), c.value) << c.text;
    }
    EXPECT_EQ(CStringHelper::ToString(UINT64_MAX), L"18446744073709551615");
}

TEST_F(ContactListTest, FullRecordRoundTripsThroughTheTable)
{
    const STContactInfo contact = FullContact(42);
    const std::wstring text = ToJson(contact);
    EXPECT_TRUE(PythonAccepts(text));
    EXPECT_FALSE(PythonAccepts(L"{'single quotes':1}"));  // the outside parser is really asked
    // Members in the order written; corporation entries numbered by ascending cid.
    EXPECT_LT(text.find(L"ContactorBaseInfo"), text.find(L"ContactorExtInfo"));
    EXPECT_LT(text.find(L"ContactorExtInfo"), text.find(L"ContactorCorpInfo1"));
    EXPECT_EQ(Member(text, L"ContactorCorpInfo1", L"cid"), L"3");
    EXPECT_EQ(Member(text, L"ContactorCorpInfo2", L"cid"), L"7");
    EXPECT_EQ(Member(text, L"ContactorCorpInfo3", L"cid"), L"(missing)");

    m_store.SaveContactList({{42, contact}});
    ASSERT_EQ(m_store.SaveToDisk(0), 1);
    CContactListDBStore reloaded(&m_db);
    ASSERT_EQ(reloaded.LoadFromDisk(), 1);
    STContactInfo back;
    reloaded.GetContact(42, back);
    ExpectSame(contact, back);
    EXPECT_EQ(back.extra1, L"");
    EXPECT_EQ(back.extra2, L"");
}

TEST(ContactJson, NumberingGapEndsTheCorporationEntries)
{
    std::wstring text = ToJson(FullContact(1));  // entries 1 (cid 3) and 2 (cid 7)
    text.replace(text.find(L"ContactorCorpInfo2"), 18, L"ContactorCorpInfo3");
    STContactInfo back;
    ASSERT_EQ(CContactListDBStore::JsonStringToContactInfo(text, back), 1);
    ASSERT_EQ(back.mapCorpInfo.size(), 1u);
    EXPECT_EQ(back.mapCorpInfo.begin()->first, 3u);
}

TEST(ContactJson, TextsWithoutBothRecordObjectsAreRefused)
{
    // Copying a value this deep would overflow the stack.
    const std::wstring deep = L"{\"ContactorBaseInfo\":{\"uid\":" + std::wstring(1000000, L'[') +
                              std::wstring(1000000, L']') + L"},\"ContactorExtInfo\":{}}";
    const std::wstring cases[] = {
        L"", L"not json", L"[1,2]", L"{\"ContactorBaseInfo\":{\"uid\":\"1\"}}",
        L"{\"ContactorExtInfo\":{\"uid\":\"1\"}}", L"{\"ContactorBaseInfo\":\"x\",\"ContactorExtInfo\":{}}",
        L"{\"ContactorBaseInfo\":{},\"ContactorExtInfo\":{}", deep,
    };
    for (const std::wstring& text : cases) {
        STContactInfo back;
        EXPECT_EQ(CContactListDBStore::JsonStringToContactInfo(text, back), 0) << text.substr(0, 60);
    }
}

TEST(ContactJson, MissingLeafMemberKeepsItsDefault)
{
    STContactInfo back;
    ASSERT_EQ(CContactListDBStore::JsonStringToContactInfo(
                  L"{\"ContactorBaseInfo\":{\"uid\":\"9\"},\"ContactorExtInfo\":{\"cid\":\"5\",\"name\":\"N\"},"
                  L"\"ContactorCorpInfo1\":{\"roleid\":\"8\"}}",
                  back),
              1);
    EXPECT_EQ(back.contactor.uid, 9u);
    EXPECT_EQ(back.contactor.origintype, 0);
    EXPECT_EQ(back.ExistFlag, 1);
    EXPECT_EQ(back.cid, 5u);
    EXPECT_EQ(back.uid, 0u);  // not the 5 read just before it
    EXPECT_EQ(back.gender, 0);
    EXPECT_EQ(back.name, L"N");
    ASSERT_EQ(back.mapCorpInfo.count(0), 1u);
    EXPECT_EQ(back.mapCorpInfo[0].headpic, 0);
}

TEST(ContactJson, MinusOneRoundTripsThroughItsUnsignedText)
{
    STContactInfo contact = FullContact(1);
    contact.ExistFlag = -1;
    contact.gender = -1;
    contact.contactor.groupid = 0xFFFFFFFFu;
    const std::wstring text = ToJson(contact);
    EXPECT_EQ(Member(text, L"ContactorExtInfo", L"ExistFlag"), L"18446744073709551615");
    EXPECT_EQ(Member(text, L"ContactorExtInfo", L"gender"), L"4294967295");
    STContactInfo back;
    ASSERT_EQ(CContactListDBStore::JsonStringToContactInfo(text, back), 1);
    EXPECT_EQ(back.ExistFlag, -1);
    EXPECT_EQ(back.gender, -1);
    EXPECT_EQ(back.contactor.groupid, 0xFFFFFFFFu);
}

TEST_F(ContactListTest, UnreadableRowIsSkippedOnLoadWithALogLine)
{
    STContactInfo first = FullContact(1);
    STContactInfo duplicate = FullContact(1);
    duplicate.name = L"second row";
    ASSERT_EQ(m_store.DBAddContact(first, 1), 1);
    PlainDb plain(DbPath());
    plain.Exec("insert into ContactListInfo values (2, 'garbage')");
    plain.Exec("insert into ContactListInfo values (3, '{\"ContactorBaseInfo\":{}}')");
    plain.Exec("insert into ContactListInfo values (4, null)");
    ASSERT_EQ(m_store.DBAddContact(duplicate, 5), 1);  // its JSON says uid 1: the first row wins

    ASSERT_EQ(m_store.LoadFromDisk(), 1);
    EXPECT_EQ(m_store.GetContactCount(), 1);
    STContactInfo back;
    m_store.GetContact(1, back);
    EXPECT_EQ(back.name, first.name);
    EXPECT_TRUE(m_log.HasText(L"CContactListDBStore::JsonStringToContactInfo failed [garbage]"));
    EXPECT_TRUE(m_log.HasText(L"CContactListDBStore::JsonStringToContactInfo failed []"));
    EXPECT_TRUE(m_log.HasText(L"CContactListDBStore::LoadFromDisk,end!,size[5]"));
    EXPECT_EQ(plain.Count("ContactListInfo"), 5);  // nothing stored is lost by the load
}

TEST_F(ContactListTest, TwoThousandContactsSaveInOneTransaction)
{
    m_store.SaveContactList(Contacts(1, 2000));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(m_store.SaveToDisk(0), 1);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ measured ] 2000 contacts saved in %.1f ms\n", ms);
    PlainDb plain(DbPath());
    EXPECT_EQ(plain.Count("ContactListInfo"), 2000);

    // The last insert fails: the delete and the 1999 inserts before it are not kept.
    plain.Exec("create trigger fail_last before insert on ContactListInfo when new.uid = 4000 "
               "begin select raise(abort, 'refused'); end");
    m_store.SaveContactList(Contacts(2001, 2000));
    EXPECT_EQ(m_store.SaveToDisk(0), 0);
    EXPECT_TRUE(m_log.Has(L"CContactListDBStore::SaveToDisk", L"insert into ContactListInfo error"));
    EXPECT_EQ(plain.Count("ContactListInfo"), 2000);
    EXPECT_EQ(plain.Value("select min(uid) from ContactListInfo"), "1");
}

TEST_F(ContactListTest, FailedStatementsAreLoggedUnderTheirTagAndGiveZero)
{
    // The texts name ContactListInfo in the stranger instance too.
    m_store.SetTableName(L"StrangerContactListInfo");
    PlainDb(DbPath()).Exec("drop table StrangerContactListInfo");
    const STContactInfo contact = FullContact(1);
    const struct { std::function<int()> call; const wchar_t* tag; const wchar_t* message; } cases[] = {
        {[&] { return m_store.LoadFromDisk(); }, L"CContactListDBStore::LoadFromDisk", L"select * uid  error"},
        {[&] { return m_store.DBAddContact(contact, 1); }, L"CContactListDBStore::DBAddContact",
         L"replace into ContactListInfo error"},
        {[&] { return m_store.DBDelContact(1); }, L"CContactListDBStore::DBDelContact", L"delete Contact error"},
        {[&] { return m_store.DBModifyContact(contact, 1); }, L"CContactListDBStore::DBModifyContact",
         L"Update Contact error"},
        {[&] { return m_store.SaveToDisk(0); }, L"CContactListDBStore::SaveToDisk",
         L"delete from ContactListInfo error"},
    };
    for (const auto& c : cases) {
        m_log.Clear();
        EXPECT_EQ(c.call(), 0) << c.message;
        EXPECT_TRUE(m_log.Has(c.tag, c.message)) << c.message;
    }
}

TEST_F(ContactListSlotsTest, StrangerAndContactListsAreIndependent)
{
    CStore store;
    store.SetDBPath(DbPathW());
    ASSERT_TRUE(store.OpenDBFile());
    store.AddContact(FullContact(1), false);
    store.AddContact(FullContact(2), true);
    EXPECT_EQ(store.IsContactExist(1, false) + store.IsContactExist(2, true), 2);
    EXPECT_EQ(store.IsContactExist(2, false) + store.IsContactExist(1, true), 0);

    store.SetDataConsistentFlag(0x400000 | 0x1000000, true);
    store.SaveContactList(Contacts(10, 3), true);
    ASSERT_EQ(store.SaveToDisk(0x1000000, TRUE), 1);
    PlainDb plain(DbPath());
    EXPECT_EQ(plain.Value("select group_concat(uid) from ContactListInfo"), "1");
    EXPECT_EQ(plain.Value("select group_concat(uid) from StrangerContactListInfo"), "10,11,12");

    store.Reset();
    ASSERT_EQ(store.LoadFromDisk(0x400000), 1);
    EXPECT_EQ(store.GetContactCount(false), 1);
    EXPECT_EQ(store.GetContactCount(true), 0);
    ASSERT_EQ(store.LoadFromDisk(), 1);
    EXPECT_EQ(store.GetContactCount(true), 3);
}

TEST_F(ContactListSlotsTest, RowWritesIgnoreTheFlagWhileTheSaveObeysIt)
{
    CStore store;
    store.SetDBPath(DbPathW());
    ASSERT_TRUE(store.OpenDBFile());
    PlainDb plain(DbPath());
    STContactInfo contact = FullContact(5);
    store.AddContact(contact, false);
    EXPECT_EQ(Member(FromUtf8(plain.Value("select contactinfo from ContactListInfo where uid=5")),
                     L"ContactorExtInfo", L"name"),
              kNasty);
    contact.sign = L"changed 'sign'";
    store.ModifyContact(5, contact, false);
    EXPECT_EQ(Member(FromUtf8(plain.Value("select contactinfo from ContactListInfo")), L"ContactorExtInfo", L"sign"),
              L"changed 'sign'");
    EXPECT_EQ(store.DelContact(5, false), 1);
    EXPECT_EQ(plain.Count("ContactListInfo"), 0);
    EXPECT_EQ(store.DelContact(5, false), 0);

    store.SaveContactList(Contacts(1, 2), false);
    EXPECT_EQ(store.SaveToDisk(0x400000, TRUE), 1);  // the shared commit decides
    EXPECT_TRUE(m_log.HasText(L"CContactListDBStore::SaveToDisk, End, not loginOver, to avoid inconsistent data, "
                              L"do not save local db"));
    EXPECT_EQ(plain.Count("ContactListInfo"), 0);
    store.SetDataConsistentFlag(0x400000, true);
    EXPECT_EQ(store.SaveToDisk(0x400000, FALSE), 1);
    EXPECT_EQ(plain.Count("ContactListInfo"), 2);
}

TEST_F(ContactListSlotsTest, IsContactListStoredComparesTableRowsWithHeldContacts)
{
    CStore store;
    store.SetDBPath(DbPathW());
    ASSERT_TRUE(store.OpenDBFile());
    EXPECT_EQ(store.IsContactListStored(), 1);
    store.SaveContactList(Contacts(1, 2), false);
    store.SaveContactList(Contacts(1, 5), true);  // the stranger list never counts
    EXPECT_EQ(store.IsContactListStored(), 0);
    store.SetDataConsistentFlag(0x400000, true);
    ASSERT_EQ(store.SaveToDisk(0x400000, TRUE), 1);
    ASSERT_TRUE(store.OpenDBFile());
    EXPECT_EQ(store.IsContactListStored(), 1);
    PlainDb(DbPath()).Exec("drop table ContactListInfo");
    m_log.Clear();
    EXPECT_EQ(store.IsContactListStored(), 0);
    EXPECT_TRUE(m_log.Records().empty());
}

TEST_F(ContactListSlotsTest, FailedRowWriteLeavesTheStoredListLoadable)
{
    CStore store;
    store.SetDBPath(DbPathW());
    ASSERT_TRUE(store.OpenDBFile());
    store.AddContact(FullContact(1), false);
    PlainDb(DbPath()).Exec("create trigger refuse before insert on ContactListInfo "
                           "begin select raise(abort, 'refused'); end");
    store.AddContact(FullContact(2), false);
    EXPECT_TRUE(m_log.Has(L"CContactListDBStore::DBAddContact", L"replace into ContactListInfo errorrefused"));
    EXPECT_EQ(store.GetContactCount(false), 2);  // memory keeps the change
    ASSERT_EQ(store.LoadFromDisk(0x400000), 1);
    EXPECT_FALSE(m_log.Has(L"CContactListDBStore::LoadFromDisk", L"select * uid  error"));
    EXPECT_EQ(store.GetContactCount(false), 1);
}
