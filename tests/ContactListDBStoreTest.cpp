// The contact lists: a contact's JSON text, and the two stores on their tables.
#include <fstream>
#include <tuple>

#include "ContactListDBStore.h"
#include "StoreTestSupport.h"

namespace {

STContactorCorpInfo FullCorp(ULONG cid)
{
    const std::wstring s = L"'" + std::to_wstring(cid) + L"' \U0001F600 ";
    return {cid, s + L"ua", s + L"ca", s + L"n", 1, s + L"s", s + L"m", s + L"e", 2, 3, 4, 5,
            s + L"p", s + L"t", s + L"d", s + L"h", 6, s + L"pd", s + L"px"};
}

// Every field set, in declaration order; the two extra texts never reach the table.
STContactInfo FullContact(ULONG uid)
{
    return {0, {uid, 11, L"Mark's \U0001F600", 12, 13}, 14, uid, L"acc'ount",
            L"O'Brien \"q\" \\ \t\n\x01 \u00e9 \U0001F600", 15, L"pos", 16, L"it's \U00010348", L"mob", L"a@b", 17, 18,
            L"memory only", 19, L"bm", L"10.0.0.1", 20, 21, 22, 23, L"memory only", {{7, FullCorp(7)}, {3, FullCorp(3)}}};
}

std::map<ULONG, STContactInfo> Contacts(ULONG first, ULONG count)
{
    std::map<ULONG, STContactInfo> contacts;
    for (ULONG uid = first; uid < first + count; ++uid) contacts[uid] = FullContact(uid);
    return contacts;
}

auto Fields(const STContactorCorpInfo& p)
{
    return std::tie(p.cid, p.gender, p.roleid, p.headpic, p.privacyflag, p.birth, p.authority, p.useraccount,
                    p.corpaccount, p.name, p.sign, p.mobile, p.email, p.pos, p.tel, p.desp, p.hidedeptlist, p.posdepts,
                    p.posdetails);
}

auto Fields(const STContactInfo& a)
{
    const STContactorEx& x = a.contactor;
    return std::tie(x.uid, x.origintype, x.markname, x.flag, x.groupid, a.ExistFlag, a.cid, a.uid, a.gender,
                    a.origintype, a.headpic, a.privacyflag, a.birth, a.regport, a.score, a.wealth, a.level, a.account,
                    a.name, a.pos, a.sign, a.mobile, a.email, a.bindmobile, a.regip);
}

// Through the interface, on a CStore of its own.
using ContactListTest = CStoreTest;

}  // namespace

// -1 travels as its unsigned text: 64 bits for ExistFlag, 32 for the rest.
TEST_F(ContactListTest, FullRecordRoundTripsThroughTheTable)
{
    STContactInfo contact = FullContact(42);
    contact.ExistFlag = contact.gender = -1;
    contact.contactor.groupid = 0xFFFFFFFFu;
    std::wstring text;
    CContactListDBStore::ContactInfoToJsonString(contact, text);
    const auto python = [&](const std::wstring& json) {
        std::ofstream(m_dir.File("c.json")) << ToUtf8(json);
        return RunCommand("python3 -c 'import json,sys; json.load(open(sys.argv[1], encoding=\"utf-8\"))' 2>/dev/null " +
                          m_dir.File("c.json")).exitCode;
    };
    EXPECT_EQ(python(text), 0);
    EXPECT_NE(python(L"{'single quotes':1}"), 0);  // the outside parser is really asked
    for (const wchar_t* piece : {L"\"ContactorCorpInfo1\":{\"cid\":\"3\"", L"\"ContactorCorpInfo2\":{\"cid\":\"7\"",
                                 L"\"ExistFlag\":\"18446744073709551615\"", L"\"gender\":\"4294967295\""}) {
        EXPECT_NE(text.find(piece), std::wstring::npos) << piece;  // corporations numbered by ascending cid
    }

    m_store.SaveContactList({{42, contact}}, false);
    m_store.SetDataConsistentFlag(0x400000, true);
    ASSERT_EQ(m_store.SaveToDisk(0x400000, FALSE), 1);
    m_store.Reset();
    ASSERT_EQ(m_store.LoadFromDisk(0x400000), 1);
    STContactInfo back;
    m_store.GetContact(42, back, false);
    EXPECT_TRUE(Fields(contact) == Fields(back));
    for (ULONG cid : {3u, 7u}) EXPECT_TRUE(Fields(contact.mapCorpInfo.at(cid)) == Fields(back.mapCorpInfo[cid])) << cid;

    // A gap in the numbering ends the corporation entries.
    text.replace(text.find(L"ContactorCorpInfo2"), 18, L"ContactorCorpInfo3");
    STContactInfo gap;
    ASSERT_EQ(CContactListDBStore::JsonStringToContactInfo(text, gap), 1);
    EXPECT_EQ(gap.mapCorpInfo.size(), 1u);
}

TEST(ContactJson, TextsWithoutBothRecordObjectsAreRefused)
{
    // Copying a value this deep would overflow the stack.
    const std::wstring deep = L"{\"ContactorBaseInfo\":{\"uid\":" + std::wstring(1000000, L'[') +
                              std::wstring(1000000, L']') + L"},\"ContactorExtInfo\":{}}";
    const std::wstring cases[] = {
        L"not json", L"{\"ContactorBaseInfo\":{\"uid\":\"1\"}}", L"{\"ContactorExtInfo\":{\"uid\":\"1\"}}",
        L"{\"ContactorBaseInfo\":\"x\",\"ContactorExtInfo\":{}}", deep,
    };
    for (const std::wstring& text : cases) {
        STContactInfo back;
        EXPECT_EQ(CContactListDBStore::JsonStringToContactInfo(text, back), 0) << text.substr(0, 60);
    }
}

// uid must not take the 5 read just before it.
TEST(ContactJson, MissingLeafMemberKeepsItsDefault)
{
    STContactInfo back;
    ASSERT_EQ(CContactListDBStore::JsonStringToContactInfo(
                  L"{\"ContactorBaseInfo\":{\"uid\":\"9\"},\"ContactorExtInfo\":{\"cid\":\"5\",\"name\":\"N\"},"
                  L"\"ContactorCorpInfo1\":{\"roleid\":\"8\"}}",
                  back),
              1);
    const STContactorCorpInfo& corp = back.mapCorpInfo[0];
    EXPECT_EQ(std::make_tuple(9u, 0, 1, 5u, 0u, 0, std::wstring(L"N"), 8u, 0),
              std::tie(back.contactor.uid, back.contactor.origintype, back.ExistFlag, back.cid, back.uid, back.gender,
                       back.name, corp.roleid, corp.headpic));
}

TEST_F(ContactListTest, SaveWritesTwoThousandContactsOrNone)
{
    m_store.SaveContactList(Contacts(1, 2000), false);
    m_store.SetDataConsistentFlag(0x400000, true);
    ASSERT_EQ(m_store.SaveToDisk(0x400000, FALSE), 1);
    PlainDb plain(DbPath());
    EXPECT_EQ(plain.Count("ContactListInfo"), 2000);

    // The last insert refused: the delete and 1999 inserts are not kept.
    plain.Refuse("insert on ContactListInfo when new.uid = 4000");
    m_store.SaveContactList(Contacts(2001, 2000), false);
    EXPECT_EQ(m_store.SaveToDisk(0x400000, FALSE), 0);
    EXPECT_EQ(plain.Value("select count(*) || ' ' || min(uid) from ContactListInfo"), "2000 1");
}

// Saving, clearing or loading one list touches neither the other nor its table.
TEST_F(ContactListTest, StrangerAndContactListsAreIndependentThroughTheInterface)
{
    m_store.AddContact(FullContact(1), false);
    m_store.AddContact(FullContact(2), true);
    m_store.SetDataConsistentFlag(0x400000 | 0x1000000, true);
    m_store.SaveContactList(Contacts(10, 3), true);
    ASSERT_EQ(m_store.SaveToDisk(0x1000000, TRUE), 1);
    PlainDb plain(DbPath());
    EXPECT_EQ(plain.Value("select group_concat(uid) from ContactListInfo"), "1");
    EXPECT_EQ(plain.Value("select group_concat(uid) from StrangerContactListInfo"), "10,11,12");

    m_store.ClearContactList(true);
    EXPECT_EQ(std::make_pair(m_store.GetContactCount(false), m_store.GetContactCount(true)), std::make_pair(1, 0));
    m_store.Reset();
    ASSERT_EQ(m_store.LoadFromDisk(0x400000), 1);
    EXPECT_EQ(std::make_pair(m_store.IsContactExist(1, false), m_store.GetContactCount(true)), std::make_pair(1, 0));
    ASSERT_EQ(m_store.LoadFromDisk(), 1);
    EXPECT_EQ(m_store.GetContactCount(true), 3);
}

// IsContactListStored compares the table's rows with the held contacts, strangers aside.
TEST_F(ContactListTest, RowWritesIgnoreTheFlagWhileTheSaveObeysIt)
{
    PlainDb plain(DbPath());
    STContactInfo contact = FullContact(5);
    m_store.AddContact(contact, false);
    EXPECT_EQ(plain.Count("ContactListInfo"), 1);
    contact.sign = L"changed 'sign'";
    m_store.ModifyContact(5, contact, false);
    EXPECT_EQ(plain.Value("select instr(contactinfo, '\"sign\":\"changed ''sign''\"') > 0 from ContactListInfo"), "1");
    EXPECT_EQ(m_store.IsContactListStored(), 1);
    EXPECT_EQ(m_store.DelContact(5, false), 1);
    EXPECT_EQ(plain.Count("ContactListInfo"), 0);

    m_store.SaveContactList(Contacts(1, 2), false);
    m_store.SaveContactList(Contacts(1, 5), true);
    EXPECT_EQ(m_store.SaveToDisk(0x400000, TRUE), 1);  // the shared commit decides
    EXPECT_EQ(std::make_pair(plain.Count("ContactListInfo"), m_store.IsContactListStored()), std::make_pair(0L, 0));
    m_store.SetDataConsistentFlag(0x400000, true);
    EXPECT_EQ(m_store.SaveToDisk(0x400000, FALSE), 1);
    EXPECT_EQ(std::make_pair(plain.Count("ContactListInfo"), m_store.IsContactListStored()), std::make_pair(2L, 1));
}

// A load keeps the contact whose row is still owed, and skips unreadable rows; the next
// row write brings the owed row in with its own.
TEST_F(ContactListTest, FailedRowWriteStaysHeldAndGoesInWithTheNextOne)
{
    m_store.AddContact(FullContact(1), false);
    PlainDb plain(DbPath());
    plain.Exec("insert into ContactListInfo values (2, 'garbage'), (3, '{\"ContactorBaseInfo\":{}}'), (4, null)");
    plain.Refuse("insert on ContactListInfo");
    m_store.AddContact(FullContact(9), false);
    ASSERT_EQ(m_store.LoadFromDisk(0x400000), 1);
    EXPECT_EQ(m_store.GetContactCount(false), 2);
    plain.Exec("drop trigger refuse");
    m_store.AddContact(FullContact(10), false);
    EXPECT_EQ(plain.Value("select group_concat(uid) from ContactListInfo where uid > 4"), "9,10");
}
