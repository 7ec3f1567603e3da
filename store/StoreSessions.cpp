// CStore: the forwarders of the session and group-chat slots.
#include "FastLoginDataDBStore.h"
#include "QGroupFileListUCDBStore.h"
#include "QGroupShareFileDBStore.h"
#include "SessionListDBStore.h"
#include "Store.h"
#include "UpdateSessionListDBStore.h"
#include "UserQGroupListDBStore.h"

void CStore::LoadSessionList(std::list<STSessionInfo>& lstSession)
{
    m_pSessionListDBStore->LoadSessionList(lstSession);
}

void CStore::SaveSessionList(const std::list<STSessionInfo>& lstSession)
{
    m_pSessionListDBStore->SaveSessionList(lstSession);
}

void CStore::GetQGroupShareFiles(unsigned int qGroupId, std::list<STQGroupShareFile*>& lstFiles)
{
    m_pQGroupShareFileDBStore->GetQGroupShareFiles(qGroupId, lstFiles);
}

void CStore::SetQGroupShareFiles(unsigned int qGroupId, const std::list<STQGroupShareFile*>& lstFiles)
{
    m_pQGroupShareFileDBStore->SetQGroupShareFiles(qGroupId, lstFiles);
}

void CStore::GetQGroupFileListUC(unsigned int qGroupId, int* pUC)
{
    m_pQGroupFileListUCDBStore->GetQGroupFileListUC(qGroupId, pUC);
}

void CStore::SaveQGroupFileListUC(unsigned int qGroupId, int uc)
{
    m_pQGroupFileListUCDBStore->SaveQGroupFileListUC(qGroupId, uc);
}

int CStore::GetUserQGroupList(std::list<int>& lstIds)
{
    return m_pUserQGroupListDBStore->GetUserQGroupList(lstIds);
}

int CStore::SetUserQGroupList(const std::list<int>& lstIds)
{
    return m_pUserQGroupListDBStore->SetUserQGroupList(lstIds);
}

int CStore::GetUpdateSessionList(std::list<STSessionDisplayId*>& lst)
{
    return m_pUpdateSessionListDBStore->GetUpdateSessionList(lst);
}

int CStore::SaveUpdateSessionList(std::list<STSessionDisplayId*> lst)
{
    return m_pUpdateSessionListDBStore->save(std::move(lst));
}

int CStore::GetLastLiveTime(unsigned int* pTime)
{
    return m_pFastLoginDataDBStore->GetLastLiveTime(pTime);
}

int CStore::SetLastLiveTime(const unsigned int* pTime, bool bSaveNow)
{
    if (bSaveNow) EnsureOpen();
    return m_pFastLoginDataDBStore->SetLastLiveTime(pTime, bSaveNow);
}

int CStore::GetFastLoginSessionId(std::wstring& strId)
{
    return m_pFastLoginDataDBStore->GetFastLoginSessionId(strId);
}

int CStore::SetFastLoginSessionId(const std::wstring& strId, bool bSaveNow)
{
    if (bSaveNow) EnsureOpen();
    return m_pFastLoginDataDBStore->SetFastLoginSessionId(strId, bSaveNow);
}
