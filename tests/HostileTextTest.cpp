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
    const std::wstring lone{L'a', static_cast<wchar_t>(0xDC00), L'b'};
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

using Texts = std::vector<std::wstring>;

// One kind of record: puts a text into every text field it writes, and reads them back.
struct Carrier {
    const char* name;
    unsigned mask;
    void (*put)(IStore&, const std::wstring&);
    void (*get)(IStore&, Texts&);
};

template <typename Record>
void SetAll(Record& record, const std::vector<std::wstring Record::*>& fields, const std::wstring& text)
{
    for (auto field : fields) record.*field = text;
}

template <typename Record>
void GetAll(const Record& record, const std::vector<std::wstring Record::*>& fields, Texts& texts)
{
    for (auto field : fields) texts.push_back(record.*field);
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

const Carrier kCarriers[] = {
    {"department", 0x1,
     [](IStore& s, const std::wstring& t) { STDeptInfo d; d.Did = 1; SetAll(d, kDeptTexts, t); s.SaveDeptInfo(d); },
     [](IStore& s, Texts& out) { for (const auto& d : HeldDepts(s)) GetAll(*d, kDeptTexts, out); }},
    {"corporation", 0x80000,
     [](IStore& s, const std::wstring& t) { STCorpInfo c; c.Cid = 1; SetAll(c, kCorpTexts, t); s.SaveCorpInfo(c); },
     [](IStore& s, Texts& out) { STCorpInfo c; if (s.LoadCorpInfo(1, c)) GetAll(c, kCorpTexts, out); }},
    {"users", 0x4,
     [](IStore& s, const std::wstring& t) {
         std::list<STUserBaseInfo> l(1);
         l.front().Uid = 1;
         SetAll(l.front(), kUserTexts, t);
         s.ModifyUserBaseInfo(l);
         s.ModifyUserBaseInfoEx(l);
     },
     [](IStore& s, Texts& out) {
         STUserBaseInfo u, ex;
         if (s.GetUserBaseInfo(1, u)) GetAll(u, kUserTexts, out);
         if (s.GetUserBaseInfoEx(1, ex)) GetAll(ex, kUserTexts, out);
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
     [](IStore& s, Texts& out) {
         for (bool stranger : {false, true}) {
             STContactInfo c;
             s.GetContact(1, c, stranger);
             out.push_back(c.contactor.markname);
             GetAll(c, kContactTexts, out);
             GetAll(c.mapCorpInfo[7], kContactCorpTexts, out);
         }
     }},
    {"groups", 0x8 | 0x10,
     [](IStore& s, const std::wstring& t) { s.UpdateGroup(Group(1, t)); s.UpdateInnerGroup(Group(1, t)); },
     [](IStore& s, Texts& out) {
         boost::shared_ptr<STGroup> outer, inner;
         if (s.GetGroup(1, outer) && s.GetInnerGroup(1, inner)) out = {outer->Name, inner->Name};
     }},
    {"sessions", 0x40,
     [](IStore& s, const std::wstring& t) {
         std::list<STSessionInfo> l(1);
         l.front().SessionId = 1;
         l.front().Title = l.front().Transfer = t;
         s.SaveSessionList(l);
     },
     [](IStore& s, Texts& out) {
         std::list<STSessionInfo> l;
         s.LoadSessionList(l);
         for (const auto& session : l) out = {session.Title, session.Transfer};
     }},
    {"shared files", 0x100,
     [](IStore& s, const std::wstring& t) {
         STQGroupShareFile f;
         f.QGroupId = f.ClientFileId = 1;
         f.FileName = f.FileMD5Id = t;
         s.SetQGroupShareFiles(1, {&f});
     },
     [](IStore& s, Texts& out) {
         std::list<STQGroupShareFile*> l;
         s.GetQGroupShareFiles(1, l);
         for (const auto* f : l) out = {f->FileName, f->FileMD5Id};
     }},
    {"fast login", 0x200000, [](IStore& s, const std::wstring& t) { s.SetFastLoginSessionId(t, false); },
     [](IStore& s, Texts& out) { out.resize(1); s.GetFastLoginSessionId(out[0]); }},
};

}  // namespace

TEST_F(StoreTest, HostileTextInEveryColumnSavesAndLoadsBackAsWritten)
{
    for (const Carrier& carrier : kCarriers) {
        for (const Hostile& hostile : HostileTexts()) {
            SCOPED_TRACE(std::string(carrier.name) + " / " + hostile.name);
            const std::string path = m_dir.File(std::string("hostile-") + carrier.name + "-" + hostile.name + ".db");
            CreateSchema(path);
            PlainDb(path).Exec("create table x(a int)");
            StoreOn store(path);
            ASSERT_EQ(store.LoadFromDisk(), 1);
            carrier.put(store, hostile.text);
            store.SetDataConsistentFlag(carrier.mask, true);
            EXPECT_EQ(store.SaveToDisk(carrier.mask, TRUE), 1);
            store.Reset();
            ASSERT_EQ(store.LoadFromDisk(carrier.mask), 1);
            Texts back;
            carrier.get(store, back);
            ASSERT_FALSE(back.empty());
            for (size_t i = 0; i < back.size(); ++i) EXPECT_TRUE(back[i] == hostile.readBack) << "field " << i;
            store.CloseDBFile();
            PlainDb plain(path);
            EXPECT_EQ(plain.Count("x"), 0);  // still there: nothing but the store's statements ran
            EXPECT_EQ(plain.Value("PRAGMA integrity_check"), "ok");
        }
    }
}
