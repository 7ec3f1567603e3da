// Sample directory: one corporation with a long configuration text, the members of every
// sample department, and as many users as the scale in both user tables.
#include <cstdio>
#include <list>
#include <string>

#include "DemoFamily.h"
#include "IStore.h"

namespace {

const ULONG kCorpId = 1000;
const ULONG kFirstUid = 100000;

// As many departments as the department sample makes at this scale.
unsigned DepartmentCount(int scale) { return static_cast<unsigned>(scale) / 20 + 1; }
// The scale is the user count: `kivostore demo --users N` passes N.
unsigned UserCount(int scale) { return static_cast<unsigned>(scale); }

void FillCorporation(IStore& store)
{
    STCorpInfo corp;
    corp.Cid = kCorpId;
    corp.Account = L"kivo";
    corp.Name = L"Kivo Sample Works";
    corp.CnName = L"\u57fa\u6c83\u6837\u677f";
    corp.City = L"Berlin";
    corp.Email = L"office@kivo.example";
    corp.EmployeeNum = 5000;
    corp.regDate = 1700000000;
    for (int i = 0; i < 200; ++i) corp.config += L"{\"key" + std::to_wstring(i) + L"\":\"it's on\"};";
    store.SaveCorpInfo(corp);
    store.SaveCorpUC(42);
}

// Users go round-robin into the departments, each department's members chained in uid order.
void FillMembers(IStore& store, int scale)
{
    const unsigned depts = DepartmentCount(scale);
    const unsigned users = UserCount(scale);
    for (unsigned did = 1; did <= depts; ++did) {
        STDeptUserInfo members;
        members.Did = did;
        for (unsigned u = did - 1; u < users; u += depts) {
            members.mapUser[kFirstUid + u] = u + depts < users ? kFirstUid + u + depts : 0;
        }
        store.SaveDeptUserInfo(members);
    }
}

void FillUsers(IStore& store, int scale)
{
    const unsigned depts = DepartmentCount(scale);
    std::list<STUserBaseInfo> users;
    for (unsigned u = 0; u < UserCount(scale); ++u) {
        STUserBaseInfo user;
        user.Cid = kCorpId;
        user.Uid = kFirstUid + u;
        user.CorpAccount = L"kivo";
        user.Account = L"user" + std::to_wstring(u);
        user.Name = u % 11 == 0 ? L"O'Neill " + std::to_wstring(u) : L"User " + std::to_wstring(u);
        user.Gender = static_cast<LONG>(u % 2);
        user.PositionEx = std::to_wstring(u % depts + 1) + (u % 5 == 0 ? L",lead" : L"");
        users.push_back(user);
    }
    store.ModifyUserBaseInfo(users);
    store.ModifyUserBaseInfoEx(users);
    // A few leavers, kept as softly removed users.
    for (unsigned u = 0; u < UserCount(scale); u += 97) {
        store.SoftRemoveBaseUserInfo(kFirstUid + u);
        store.SoftRemoveBaseUserInfoEx(kFirstUid + u);
    }
}

void Fill(IStore& store, int scale)
{
    FillCorporation(store);
    FillMembers(store, scale);
    FillUsers(store, scale);
}

void Report(IStore& store)
{
    STCorpInfo corp;
    std::wstring config;
    LONG uc = 0;
    const ULONG corpId = kCorpId;
    if (store.LoadCorpInfo(corpId, corp) && store.LoadCorpConfig(corpId, config) && store.GetCorpUC(&uc)) {
        std::printf("  corporation: %u \"%ls\", config %zu characters, update counter %d\n", corp.Cid,
                    corp.Name.c_str(), config.size(), uc);
    } else {
        std::printf("  corporation: missing\n");
    }

    size_t departments = 0;
    size_t members = 0;
    STDeptUserInfo list;
    for (ULONG did = 1; store.LoadDeptUserInfo(did, list); ++did) {
        ++departments;
        members += list.mapUser.size();
    }
    std::printf("  department members: %zu in %zu departments\n", members, departments);

    std::list<STUserId> ids;
    std::list<STUserId> idsEx;
    std::list<STUserBaseInfo> all;
    std::list<int> positions;
    store.GetExistUserIdList(ids);
    store.GetExistUserIdListEx(idsEx);
    store.GetAllUserBaseInfoEx(all);
    store.GetPositionExIdList(positions);
    std::printf("  users: %zu existing; second table %zu of %zu existing, %zu position ids\n", ids.size(),
                idsEx.size(), all.size(), positions.size());
}

}  // namespace

const DemoFamily kDemoDirectory = {"directory",
    KivoSaveMask::kCorpInfo | KivoSaveMask::kCorpUC | KivoSaveMask::kDeptUserInfo |
    KivoSaveMask::kUserBaseInfo,
    Fill, Report};
