// CStore: the slots of the corporation, department-member and user stores.
#include "CorpDBStore.h"
#include "DeptUserDBStore.h"
#include "Store.h"
#include "UserBaseInfoDBStore.h"
#include "UserPositionExInfoDBStore.h"

int CStore::SaveDeptUserInfo(const STDeptUserInfo& info)
{
    return m_pDeptUserDBStore->SaveDeptUserInfo(DeptUserSet::Base, info);
}

int CStore::RemoveDeptUserInfo(ULONG ulDeptId)
{
    return m_pDeptUserDBStore->RemoveDeptUserInfo(DeptUserSet::Base, ulDeptId);
}

int CStore::DeptUserNoOp(ULONG)
{
    return 1;
}

int CStore::LoadDeptUserInfo(ULONG ulDeptId, STDeptUserInfo& info)
{
    return m_pDeptUserDBStore->LoadDeptUserInfo(DeptUserSet::Base, ulDeptId, info);
}

int CStore::ModifyUserBaseInfo(const std::list<STUserBaseInfo>& lstUserInfo)
{
    return m_pUserBaseInfoDBStore->ModifyUserBaseInfo(lstUserInfo);
}

int CStore::GetUserBaseInfo(ULONG ulUid, STUserBaseInfo& info)
{
    return m_pUserBaseInfoDBStore->GetUserBaseInfo(ulUid, info);
}

int CStore::GetUserBaseInfoEx(ULONG ulUid, STUserBaseInfo& info)
{
    return m_pUserPositionExInfoDBStore->GetUserBaseInfo(ulUid, info);
}

int CStore::RemoveBaseUserInfo(ULONG ulUid)
{
    return m_pUserBaseInfoDBStore->RemoveBaseUserInfo(ulUid);
}

int CStore::SoftRemoveBaseUserInfo(ULONG ulUid)
{
    return m_pUserBaseInfoDBStore->SoftRemoveBaseUserInfo(ulUid);
}

int CStore::GetExistUserIdList(std::list<STUserId>& lstUserId)
{
    return m_pUserBaseInfoDBStore->GetExistUserIdList(lstUserId);
}

int CStore::GetAllUserBaseInfoEx(std::list<STUserBaseInfo>& lstUserInfo)
{
    return m_pUserPositionExInfoDBStore->GetAllUserBaseInfo(lstUserInfo);
}

int CStore::GetPositionExIdList(std::list<int>& lstId)
{
    return m_pUserPositionExInfoDBStore->GetPositionExIdList(lstId);
}

int CStore::GetExistUserIdListEx(std::list<STUserId>& lstUserId)
{
    return m_pUserPositionExInfoDBStore->GetExistUserIdList(lstUserId);
}

int CStore::ModifyUserBaseInfoEx(const std::list<STUserBaseInfo>& lstUserInfo)
{
    return m_pUserPositionExInfoDBStore->ModifyUserBaseInfo(lstUserInfo);
}

int CStore::RemoveBaseUserInfoEx(ULONG ulUid)
{
    return m_pUserPositionExInfoDBStore->RemoveBaseUserInfo(ulUid);
}

int CStore::SoftRemoveBaseUserInfoEx(ULONG ulUid)
{
    return m_pUserPositionExInfoDBStore->SoftRemoveBaseUserInfo(ulUid);
}

int CStore::GetCorpUC(LONG* pUC)
{
    return m_pCorpDBStore->GetCorpUC(pUC);
}

int CStore::SaveCorpUC(ULONG ulUC)
{
    return m_pCorpDBStore->SaveCorpUC(ulUC);
}

int CStore::SaveCorpInfo(const STCorpInfo& corpInfo)
{
    return m_pCorpDBStore->SaveCorpInfo(corpInfo);
}

int CStore::LoadCorpInfo(const ULONG& ulCorpId, STCorpInfo& corpInfo)
{
    return m_pCorpDBStore->LoadCorpInfo(ulCorpId, corpInfo);
}

int CStore::RemoveCorpInfo(const ULONG& ulCorpId)
{
    return m_pCorpDBStore->RemoveCorpInfo(ulCorpId);
}

int CStore::LoadCorpConfig(const ULONG& ulCorpId, std::wstring& strConfig)
{
    return m_pCorpDBStore->LoadCorpConfig(ulCorpId, strConfig);
}

int CStore::SaveCorpConfig(const ULONG& ulCorpId, const std::wstring& strConfig)
{
    return m_pCorpDBStore->SaveCorpConfig(ulCorpId, strConfig);
}

int CStore::SaveDeptUserInfoEx(const STDeptUserInfo& info)
{
    return m_pDeptUserDBStore->SaveDeptUserInfo(DeptUserSet::Ex, info);
}

int CStore::RemoveDeptUserInfoEx(ULONG ulDeptId)
{
    return m_pDeptUserDBStore->RemoveDeptUserInfo(DeptUserSet::Ex, ulDeptId);
}

int CStore::DeptUserNoOpEx(ULONG)
{
    return 1;
}

int CStore::LoadDeptUserInfoEx(ULONG ulDeptId, STDeptUserInfo& info)
{
    return m_pDeptUserDBStore->LoadDeptUserInfo(DeptUserSet::Ex, ulDeptId, info);
}

int CStore::GetAllUserBaseInfo(std::list<STUserBaseInfo>& lstUserInfo)
{
    return m_pUserBaseInfoDBStore->GetAllUserBaseInfo(lstUserInfo);
}
