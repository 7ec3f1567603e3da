// CStore: seven update counters read and five set through one record, by way of the
// store's own slots, so a client sees the same values either way.
#include "KivoLog.h"
#include "Store.h"

namespace {

ULONG Read(int (IStore::*get)(LONG*), IStore& store)
{
    LONG value = 0;
    (store.*get)(&value);
    return static_cast<ULONG>(value);
}

}  // namespace

int CStore::LoadLocalUc(LocalUcInfo* info)
{
    if (!info) {
        CKivoLog::Print(L"CStore::LoadLocalUc", L"null record ignored");
        return 0;
    }
    info->Corp = Read(&IStore::GetCorpUC, *this);
    info->ColleagueGroup = Read(&IStore::GetInnerGroupsUC, *this);
    info->ColleagueList = Read(&IStore::GetInnerContactUC, *this);
    info->ContactorGroup = Read(&IStore::GetExternalGroupUC, *this);
    info->UserQGroupList = Read(&IStore::GetUserQGroupListUC, *this);
    info->UserNGroupList = Read(&IStore::GetSessionListUC, *this);
    info->ContactorList = Read(&IStore::GetContactUC, *this);
    CKivoLog::PrintV(L"LoadLocalUc:Corp[%u],ColleagueGroup[%u],ColleagueList[%d],ContactorGroup[%u],ContactorList[%u],"
                     L"UserQGroupList[%u],UserNGroupList[%u]",
                     info->Corp, info->ColleagueGroup, info->ColleagueList, info->ContactorGroup, info->ContactorList,
                     info->UserQGroupList, info->UserNGroupList);
    return 1;
}

int CStore::SaveLocalUc(const LocalUcInfo* info)
{
    if (!info) {
        CKivoLog::Print(L"CStore::SaveLocalUc", L"null record ignored");
        return 0;
    }
    SaveCorpUC(info->Corp);
    SaveInnerGroupsUC(static_cast<LONG>(info->ColleagueGroup));
    SaveInnerContactUC(static_cast<LONG>(info->ColleagueList));
    SaveExternalGroupUC(static_cast<LONG>(info->ContactorGroup));
    SaveContactUC(static_cast<LONG>(info->ContactorList));
    return 1;
}
