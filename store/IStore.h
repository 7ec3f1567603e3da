// KivoStore's one public entry. Clients call these virtual operations by position, so
// the order of the declarations below is the module's binary interface: never reorder,
// insert or remove a slot. The number before each group is its first slot.
#pragma once

#include <list>
#include <map>
#include <string>

#include <boost/shared_ptr.hpp>

#include "CString.h"
#include "DeptInfo.h"
#include "KivoStoreExport.h"
#include "PlatformTypes.h"

// The save-mask bits by name, the store's log for the client (KivoStoreLog.h), the version.
#include "KivoStoreLog.h"
#include "KivoStoreVersion.h"
#include "SaveMask.h"

// Directory records.
#include "CorpInfo.h"
#include "DeptUserInfo.h"
#include "UserBaseInfo.h"

// Contact-list records.
#include "ContactInfo.h"

// Group, counter and recent-contact records.
#include "Contactor.h"
#include "Group.h"
#include "LocalUcInfo.h"
#include "RecentContactor.h"

// Session records.
#include "QGroupShareFile.h"
#include "SessionDisplayId.h"
#include "SessionInfo.h"

class KIVOSTORE_API IStore {
public:
    // Slot 0. The instance lives in static storage: never delete it.
    virtual ~IStore();

    // The process-wide instance, created on the first call. Make that first call complete
    // on one thread before any other thread calls in; nothing here is synchronised.
    static IStore* GetInstance();

    // 1: departments (memory only; saved under mask 0x1).
    virtual int SaveDeptInfo(const STDeptInfo& info) = 0;
    virtual int LoadDeptInfo(ULONG ulUnused, std::list<boost::shared_ptr<STDeptInfo>>& lstDept) = 0;
    virtual int DeptInfoNoOp(ULONG ulUnused1, ULONG ulUnused2, ULONG ulUnused3) = 0;
    virtual int RemoveDeptInfo(ULONG ulUnused, ULONG ulDeptId) = 0;

    // 5: outer contact groups.
    virtual int SetGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup) = 0;
    virtual int GetGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup) = 0;
    virtual int UpdateGroup(boost::shared_ptr<STGroup> pGroup) = 0;
    virtual int RemoveGroup(unsigned int gid) = 0;
    virtual int GetGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup) = 0;

    // 10: department members.
    virtual int SaveDeptUserInfo(const STDeptUserInfo& info) = 0;
    virtual int RemoveDeptUserInfo(ULONG ulDeptId) = 0;
    virtual int DeptUserNoOp(ULONG ulUnused) = 0;
    virtual int LoadDeptUserInfo(ULONG ulDeptId, STDeptUserInfo& info) = 0;

    // 14: inner contact groups and inner contacts.
    virtual int GetInnerGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup) = 0;
    virtual int SetInnerGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup) = 0;
    virtual int UpdateInnerGroup(boost::shared_ptr<STGroup> pGroup) = 0;
    virtual int RemoveInnerGroup(unsigned int gid) = 0;
    virtual int GetInnerGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup) = 0;
    virtual int GetInnerContacts(std::list<boost::shared_ptr<STContactor>>& lstContact) = 0;
    virtual int SetInnerContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact) = 0;
    virtual int UpdateInnerContact(boost::shared_ptr<STContactor> pContact) = 0;
    virtual int RemoveInnerContact(unsigned int uid) = 0;
    virtual int GetInnerContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact) = 0;

    // 24: users.
    virtual int ModifyUserBaseInfo(const std::list<STUserBaseInfo>& lstUserInfo) = 0;
    virtual int GetUserBaseInfo(ULONG ulUid, STUserBaseInfo& info) = 0;
    virtual int GetUserBaseInfoEx(ULONG ulUid, STUserBaseInfo& info) = 0;
    virtual int RemoveBaseUserInfo(ULONG ulUid) = 0;
    virtual int SoftRemoveBaseUserInfo(ULONG ulUid) = 0;
    virtual int GetExistUserIdList(std::list<STUserId>& lstUserId) = 0;
    virtual int GetAllUserBaseInfoEx(std::list<STUserBaseInfo>& lstUserInfo) = 0;
    virtual int GetPositionExIdList(std::list<int>& lstId) = 0;
    virtual int GetExistUserIdListEx(std::list<STUserId>& lstUserId) = 0;
    virtual int ModifyUserBaseInfoEx(const std::list<STUserBaseInfo>& lstUserInfo) = 0;
    virtual int RemoveBaseUserInfoEx(ULONG ulUid) = 0;
    virtual int SoftRemoveBaseUserInfoEx(ULONG ulUid) = 0;

    // 36: bulk load and save, consistent flags, the database file.
    virtual int LoadFromDisk(unsigned int mask) = 0;
    virtual int LoadFromDisk() = 0;
    virtual int SaveToDisk(unsigned int mask, int bInTransaction) = 0;
    virtual int SaveToDisk() = 0;
    virtual int SetDataConsistentFlag(unsigned int mask, bool bConsistent) = 0;
    virtual void CloseDBFile() = 0;
    virtual BOOL OpenDBFile() = 0;
    virtual void SetDBPath(const CString& strPath) = 0;

    // 44: session list.
    virtual void LoadSessionList(std::list<STSessionInfo>& lstSession) = 0;
    virtual void SaveSessionList(const std::list<STSessionInfo>& lstSession) = 0;

    // 46: recent contacts.
    virtual void GetRecentContactors(std::list<STRecentContactor>& lstRecent) = 0;
    virtual void UpdateRecentContactor(int recentId, int type, int time) = 0;
    virtual void DeleteRecentContactor(int recentId, int type) = 0;
    virtual void ClearRecentContactor() = 0;

    // 50: group-chat shared files.
    // The pointers handed out stay owned by the store: never delete them. They stay valid
    // until the next SetQGroupShareFiles of that group, the next load of the store or Reset.
    virtual void GetQGroupShareFiles(unsigned int qGroupId, std::list<STQGroupShareFile*>& lstFiles) = 0;
    // Stores copies; the pointers handed out above may be passed back.
    virtual void SetQGroupShareFiles(unsigned int qGroupId, const std::list<STQGroupShareFile*>& lstFiles) = 0;

    // 52: inner update counters.
    virtual int GetInnerGroupsUC(LONG* pUC) = 0;
    virtual int SaveInnerGroupsUC(LONG uc) = 0;
    virtual int GetInnerContactUC(LONG* pUC) = 0;
    virtual int SaveInnerContactUC(LONG uc) = 0;

    // 56: group-chat file-list counters.
    virtual void GetQGroupFileListUC(unsigned int qGroupId, int* pUC) = 0;
    virtual void SaveQGroupFileListUC(unsigned int qGroupId, int uc) = 0;

    // 58: external counters and external contacts.
    virtual int GetExternalGroupUC(LONG* pUC) = 0;
    virtual int SaveExternalGroupUC(LONG uc) = 0;
    virtual int GetExternalContactUC(LONG* pUC) = 0;
    virtual int SaveExternalContactUC(LONG uc) = 0;
    virtual int GetExternalContacts(std::list<boost::shared_ptr<STContactor>>& lstContact) = 0;
    virtual int SetExternalContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact) = 0;
    virtual int UpdateExternalContact(boost::shared_ptr<STContactor> pContact) = 0;
    virtual int RemoveExternalContact(unsigned int uid) = 0;
    virtual int GetExternalContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact) = 0;
    virtual int GetUserQGroupListUC(LONG* pUC) = 0;
    virtual int SaveUserQGroupListUC(LONG uc) = 0;

    // 69: group-chat list.
    virtual int GetUserQGroupList(std::list<int>& lstIds) = 0;
    virtual int SetUserQGroupList(const std::list<int>& lstIds) = 0;

    // 71: session-list counter.
    virtual int GetSessionListUC(LONG* pUC) = 0;
    virtual int SaveSessionListUC(LONG uc) = 0;

    // 73: session display ids.
    // The pointers handed out stay owned by the store: never delete them. They stay valid
    // until the next SaveUpdateSessionList, the next load of the store or Reset.
    virtual int GetUpdateSessionList(std::list<STSessionDisplayId*>& lst) = 0;
    // Stores copies; the pointers handed out above may be passed back.
    virtual int SaveUpdateSessionList(std::list<STSessionDisplayId*> lst) = 0;

    // 75: corporation.
    virtual int GetCorpUC(LONG* pUC) = 0;
    virtual int SaveCorpUC(ULONG ulUC) = 0;
    virtual int SaveCorpInfo(const STCorpInfo& corpInfo) = 0;
    virtual int LoadCorpInfo(const ULONG& ulCorpId, STCorpInfo& corpInfo) = 0;
    virtual int RemoveCorpInfo(const ULONG& ulCorpId) = 0;
    virtual int LoadCorpConfig(const ULONG& ulCorpId, std::wstring& strConfig) = 0;
    virtual int SaveCorpConfig(const ULONG& ulCorpId, const std::wstring& strConfig) = 0;

    // 82: local update counters.
    virtual int LoadLocalUc(LocalUcInfo* info) = 0;
    virtual int SaveLocalUc(const LocalUcInfo* info) = 0;

    // 84: fast login data.
    virtual int GetLastLiveTime(unsigned int* pTime) = 0;
    // With bSaveNow the row is updated at once, even before the consistent flag is set.
    virtual int SetLastLiveTime(const unsigned int* pTime, bool bSaveNow) = 0;
    virtual int GetFastLoginSessionId(std::wstring& strId) = 0;
    virtual int SetFastLoginSessionId(const std::wstring& strId, bool bSaveNow) = 0;

    // 88: contact lists.
    virtual void GetContactList(std::map<ULONG, STContactInfo>& mapContact, bool bStranger) = 0;
    virtual void SaveContactList(const std::map<ULONG, STContactInfo>& mapContact, bool bStranger) = 0;
    virtual void ClearContactList(bool bStranger) = 0;
    virtual void AddContact(const STContactInfo& contact, bool bStranger) = 0;
    virtual int DelContact(ULONG uid, bool bStranger) = 0;
    virtual void ModifyContact(ULONG uid, const STContactInfo& contact, bool bStranger) = 0;
    virtual void GetContact(ULONG uid, STContactInfo& contact, bool bStranger) = 0;

    // 95: contact counter.
    virtual int GetContactUC(LONG* pUC) = 0;
    virtual int SaveContactUC(LONG uc) = 0;

    // 97: contact lists.
    virtual int GetContactCount(bool bStranger) = 0;
    virtual int IsContactExist(ULONG uid, bool bStranger) = 0;
    virtual int IsContactListStored() = 0;

    // 100: destroys and re-creates every table store and the wrapper; keeps the path.
    virtual int Reset() = 0;

protected:
    IStore();

public:
    IStore(const IStore& other);
    IStore& operator=(const IStore& other);
};
