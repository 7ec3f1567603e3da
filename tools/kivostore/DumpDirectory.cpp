// dump: the corporation and its counter, departments, department members, and users.
#include <list>

#include "DumpFamily.h"
#include "Store.h"

namespace {

void Corporations(const DumpSource& source, DumpWriter& out)
{
    for (ULONG cid : source.Ids(L"select Cid from CorpInfo")) {
        STCorpInfo c;
        if (!source.store.LoadCorpInfo(cid, c)) continue;
        out.Add({{"Cid", c.Cid}, {"Account", Narrow(c.Account)}, {"Name", Narrow(c.Name)},
                 {"CnName", Narrow(c.CnName)}, {"Domain", Narrow(c.Domain)}, {"State", c.State},
                 {"LicenseNum", c.LicenseNum}, {"userCard", c.userCard}, {"logoType", c.logoType},
                 {"EnName", Narrow(c.EnName)}, {"Nation", Narrow(c.Nation)}, {"Provience", Narrow(c.Provience)},
                 {"City", Narrow(c.City)}, {"Country", Narrow(c.Country)}, {"Address", Narrow(c.Address)},
                 {"Type", c.Type}, {"Description", Narrow(c.Description)}, {"zipCode", c.zipCode},
                 {"Tel", Narrow(c.Tel)}, {"Fax", Narrow(c.Fax)}, {"Contactor", Narrow(c.Contactor)},
                 {"Email", Narrow(c.Email)}, {"Website", Narrow(c.Website)}, {"Capital", c.Capital},
                 {"EmployeeNum", c.EmployeeNum}, {"PcNum", c.PcNum}, {"regDate", c.regDate},
                 {"Slogn", Narrow(c.Slogn)}, {"config", Narrow(c.config)}, {"maxUser", c.maxUser},
                 {"CorpUc", c.CorpUc}});
    }
}

void CorporationCounter(const DumpSource& source, DumpWriter& out)
{
    LONG uc = 0;
    source.store.GetCorpUC(&uc);
    out.Add({{"CorpUC", uc}});
}

void Departments(const DumpSource& source, DumpWriter& out)
{
    std::list<boost::shared_ptr<STDeptInfo>> depts;
    source.store.LoadDeptInfo(0, depts);
    for (const auto& d : depts) {
        if (out.Skip()) continue;
        out.Add({{"Cid", d->Cid}, {"Did", d->Did}, {"Name", Narrow(d->Name)}, {"PDid", d->PDid}, {"UC", d->UC},
                 {"FirstChild", d->FirstChild}, {"NextSibling", d->NextSibling}, {"Desp", Narrow(d->Desp)},
                 {"Fax", Narrow(d->Fax)}, {"HideDeptList", Narrow(d->HideDeptList)}, {"Addr", Narrow(d->Addr)},
                 {"Tel", Narrow(d->Tel)}, {"Website", Narrow(d->Website)}, {"FirstChildUser", d->FirstChildUser},
                 {"PartialFlag", d->PartialFlag}});
    }
}

// One record per member, as the table holds them.
void Members(DumpWriter& out, const STDeptUserInfo& members)
{
    for (const auto& [uid, next] : members.mapUser) {
        if (out.Skip()) continue;
        out.Add({{"Did", members.Did}, {"Uid", uid}, {"NextSiblingUid", next}});
    }
}

void DepartmentMembers(const DumpSource& source, DumpWriter& out)
{
    for (ULONG did : source.Ids(L"select Did from DeptUserInfo")) {
        STDeptUserInfo members;
        if (source.store.LoadDeptUserInfo(did, members)) Members(out, members);
    }
}

// IStore has no getter of this set; CStore's own slot has.
void DepartmentMembersEx(const DumpSource& source, DumpWriter& out)
{
    CStore& store = static_cast<CStore&>(source.store);
    for (ULONG did : source.Ids(L"select Did from DeptUserInfoEx")) {
        STDeptUserInfo members;
        if (store.LoadDeptUserInfoEx(did, members)) Members(out, members);
    }
}

// One user at a time, looked up by the ids of the table: the first lines show before a
// million records would have been copied out.
template <int (IStore::*get)(ULONG, STUserBaseInfo&)>
void Users(const DumpSource& source, DumpWriter& out, const wchar_t* ids)
{
    for (ULONG uid : source.Ids(ids)) {
        STUserBaseInfo u;
        if (!(source.store.*get)(uid, u) || out.Skip()) continue;
        out.Add({{"Uid", u.Uid}, {"Cid", u.Cid}, {"CorpAccount", Narrow(u.CorpAccount)},
                 {"Account", Narrow(u.Account)}, {"Name", Narrow(u.Name)}, {"Gender", u.Gender},
                 {"PartialFlag", u.PartialFlag}, {"ExistFlag", u.ExistFlag}, {"PositionEx", Narrow(u.PositionEx)},
                 {"ActiveState", u.ActiveState}});
    }
}


}  // namespace

const std::vector<DumpStore>& DirectoryDumps()
{
    static const std::vector<DumpStore> stores = {
        {L"CorpInfo", Corporations},
        {L"CorpUC", CorporationCounter},
        {L"DeptInfo", Departments},
        {L"DeptUserInfo", DepartmentMembers},
        {L"DeptUserInfoEx", DepartmentMembersEx},
        {L"UserBaseInfo",
         [](const DumpSource& s, DumpWriter& out) { Users<&IStore::GetUserBaseInfo>(s, out, L"select Uid from UserBaseInfo"); }},
        {L"UserBaseInfoEx",
         [](const DumpSource& s, DumpWriter& out) {
             Users<&IStore::GetUserBaseInfoEx>(s, out, L"select Uid from UserBaseInfoEx");
         }},
    };
    return stores;
}
