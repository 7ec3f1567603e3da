// Hostile text in every text column a store writes: it saves and loads back as written
// (U+FFFD for what UTF-8 cannot carry), and nothing but the store's own statements runs.
#include "StoreTestSupport.h"

namespace {

struct Hostile {
    const char* name;
    std::wstring text;
    std::wstring readBack;
};

std::vector<Hostile> HostileTexts()
{
    std::wstring lone = L"a";
    lone += static_cast<wchar_t>(0xDC00);
    lone += L"b";
    const std::wstring nul(L"before\0after", 12);
    const std::wstring big = std::wstring(50000, L'\'') + std::wstring(50000, L'\u4e2d');
    return {
        {"quotes", L"O'Brien''s '", L"O'Brien''s '"},
        {"injection", L"'); drop table x; --", L"'); drop table x; --"},
        {"NUL", nul, nul},
        {"lone surrogate", lone, L"a\uFFFDb"},
        {"100,000 characters", big, big},
        {"CJK and emoji", L"\u6d4b\u8bd5 \U0001F600\U0001F680 \u00e9", L"\u6d4b\u8bd5 \U0001F600\U0001F680 \u00e9"},
    };
}

// One kind of record: puts a text into every text field it writes, and reads them back.
struct Carrier {
    const char* name;
    unsigned mask;
    void (*put)(IStore&, const std::wstring&);
    std::vector<std::wstring> (*get)(IStore&);
};

template <typename Record>
void SetAll(Record& record, const std::vector<std::wstring Record::*>& fields, const std::wstring& text)
{
    for (auto field : fields) record.*field = text;
}

template <typename Record>
std::vector<std::wstring> GetAll(const Record& record, const std::vector<std::wstring Record::*>& fields)
{
    std::vector<std::wstring> texts;
    for (auto field : fields) texts.push_back(record.*field);
    return texts;
}

const std::vector<std::wstring STDeptInfo::*> kDeptTexts = {&STDeptInfo::Name, &STDeptInfo::Desp, &STDeptInfo::Fax,
    &STDeptInfo::HideDeptList, &STDeptInfo::Addr, &STDeptInfo::Tel, &STDeptInfo::Website};
const std::vector<std::wstring STCorpInfo::*> kCorpTexts = {&STCorpInfo::Account, &STCorpInfo::Name,
    &STCorpInfo::CnName, &STCorpInfo::Domain, &STCorpInfo::EnName, &STCorpInfo::Nation, &STCorpInfo::Provience,
    &STCorpInfo::City, &STCorpInfo::Country, &STCorpInfo::Address, &STCorpInfo::Description, &STCorpInfo::Tel,
    &STCorpInfo::Fax, &STCorpInfo::Contactor, &STCorpInfo::Email, &STCorpInfo::Website, &STCorpInfo::Slogn,
    &STCorpInfo::config};
const std::vector<std::wstring STUserBaseInfo::*> kUserTexts = {&STUserBaseInfo::Account,
    &STUserBaseInfo::CorpAccount, &STUserBaseInfo::Name, &STUserBaseInfo::PositionEx};
const std::vector<std::wstring STContactInfo::*> kContactTexts = {&STContactInfo::account, &STContactInfo::name,
    &STContactInfo::pos, &STContactInfo::sign, &STContactInfo::mobile, &STContactInfo::email,
    &STContactInfo::bindmobile, &STContactInfo::regip};
const std::vector<std::wstring STContactorCorpInfo::*> kContactCorpTexts = {&STContactorCorpInfo::useraccount,
    &STContactorCorpInfo::corpaccount, &STContactorCorpInfo::name, &STContactorCorpInfo::sign,
    &STContactorCorpInfo::mobile, &STContactorCorpInfo::email, &STContactorCorpInfo::pos, &STContactorCorpInfo::tel,
    &STContactorCorpInfo::desp, &STContactorCorpInfo::hidedeptlist, &STContactorCorpInfo::posdepts,
    &STContactorCorpInfo::posdetails};

std::vector<Carrier> Carriers()
{
    return {
        {"department", 0x1,
         [](IStore& s, const std::wstring& t) { STDeptInfo d; d.Did = 1; SetAll(d, kDeptTexts, t); s.SaveDeptInfo(d); },
         [](IStore& s) {
             std::list<boost::shared_ptr<STDeptInfo>> l;
             s.LoadDeptInfo(0, l);
             return l.empty() ? std::vector<std::wstring>() : GetAll(*l.front(), kDeptTexts);
         }},
        {"corporation", 0x80000,
         [](IStore& s, const std::wstring& t) { STCorpInfo c; c.Cid = 1; SetAll(c, kCorpTexts, t); s.SaveCorpInfo(c); },
         [](IStore& s) { STCorpInfo c; s.LoadCorpInfo(1, c); return GetAll(c, kCorpTexts); }},
        {"users", 0x4,
         [](IStore& s, const std::wstring& t) {
             std::list<STUserBaseInfo> l(1);
             l.front().Uid = 1;
             SetAll(l.front(), kUserTexts, t);
             s.ModifyUserBaseInfo(l);
             s.ModifyUserBaseInfoEx(l);
         },
         [](IStore& s) {
             STUserBaseInfo u, ex;
             s.GetUserBaseInfo(1, u);
             s.GetUserBaseInfoEx(1, ex);
             auto texts = GetAll(u, kUserTexts);
             for (auto& t : GetAll(ex, kUserTexts)) texts.push_back(t);
             return texts;
         }},
        {"contact lists", 0x400000 | 0x1000000,
         [](IStore& s, const std::wstring& t) {
             std::map<ULONG, STContactInfo> m;
             STContactInfo& c = m[1];
             c.uid = 1;
             c.contactor.markname = t;
             SetAll(c, kContactTexts, t);
             c.mapCorpInfo[7].cid = 7;
             SetAll(c.mapCorpInfo[7], kContactCorpTexts, t);
             s.SaveContactList(m, false);
             s.SaveContactList(m, true);
         },
         [](IStore& s) {
             std::vector<std::wstring> texts;
             for (bool stranger : {false, true}) {
                 STContactInfo c;
                 s.GetContact(1, c, stranger);
                 texts.push_back(c.contactor.markname);
                 for (auto& t : GetAll(c, kContactTexts)) texts.push_back(t);
                 for (auto& t : GetAll(c.mapCorpInfo[7], kContactCorpTexts)) texts.push_back(t);
             }
             return texts;
         }},
        {"groups", 0x8 | 0x10,
         [](IStore& s, const std::wstring& t) {
             auto g = STGroup::CreateObject();
             g->Gid = 1;
             g->Name = t;
             s.UpdateGroup(g);
             s.UpdateInnerGroup(g);
         },
         [](IStore& s) {
             boost::shared_ptr<STGroup> outer, inner;
             s.GetGroup(1, outer);
             s.GetInnerGroup(1, inner);
             return std::vector<std::wstring>{outer ? outer->Name : L"?", inner ? inner->Name : L"?"};
         }},
        {"sessions", 0x40,
         [](IStore& s, const std::wstring& t) {
             std::list<STSessionInfo> l(1);
             l.front().SessionId = 1;
             l.front().Title = t;
             l.front().Transfer = t;
             s.SaveSessionList(l);
         },
         [](IStore& s) {
             std::list<STSessionInfo> l;
             s.LoadSessionList(l);
             return l.empty() ? std::vector<std::wstring>() : std::vector<std::wstring>{l.front().Title, l.front().Transfer};
         }},
        {"shared files", 0x100,
         [](IStore& s, const std::wstring& t) {
             STQGroupShareFile f;
             f.QGroupId = 1;
             f.ClientFileId = 1;
             f.FileName = t;
             f.FileMD5Id = t;
             s.SetQGroupShareFiles(1, {&f});
         },
         [](IStore& s) {
             std::list<STQGroupShareFile*> l;
             s.GetQGroupShareFiles(1, l);
             return l.empty() ? std::vector<std::wstring>() : std::vector<std::wstring>{l.front()->FileName, l.front()->FileMD5Id};
         }},
        {"fast login", 0x200000,
         [](IStore& s, const std::wstring& t) { s.SetFastLoginSessionId(t, false); },
         [](IStore& s) { std::wstring id; s.GetFastLoginSessionId(id); return std::vector<std::wstring>{id}; }},
    };
}

}  // namespace

TEST_F(StoreTest, HostileTextInEveryColumnSavesAndLoadsBackAsWritten)
{
    for (const Carrier& carrier : Carriers()) {
        for (const Hostile& hostile : HostileTexts()) {
            SCOPED_TRACE(std::string(carrier.name) + " / " + hostile.name);
            const std::string path = m_dir.File(std::string("hostile-") + carrier.name + "-" + hostile.name + ".db");
            CreateSchema(path);
            PlainDb(path).Exec("create table x(a int)");
            CStore store;
            store.SetDBPath(CString(FromUtf8(path)));
            ASSERT_EQ(store.LoadFromDisk(), 1);
            carrier.put(store, hostile.text);
            store.SetDataConsistentFlag(carrier.mask, true);
            EXPECT_EQ(store.SaveToDisk(carrier.mask, TRUE), 1);
            store.Reset();
            ASSERT_EQ(store.LoadFromDisk(carrier.mask), 1);
            const std::vector<std::wstring> back = carrier.get(store);
            ASSERT_FALSE(back.empty());
            for (size_t i = 0; i < back.size(); ++i) EXPECT_TRUE(back[i] == hostile.readBack) << "field " << i;
            store.CloseDBFile();
            PlainDb plain(path);
            EXPECT_EQ(plain.Count("x"), 0);  // still there: nothing but the store's statements ran
            EXPECT_EQ(plain.Value("PRAGMA integrity_check"), "ok");
        }
    }
}
