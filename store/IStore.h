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

// Directory records.

// Contact-list records.

// Group, counter and recent-contact records.
#include "Contactor.h"
#include "Group.h"
#include "LocalUcInfo.h"
#include "RecentContactor.h"

// Session records.

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

    // 46: recent contacts.
    virtual void GetRecentContactors(std::list<STRecentContactor>& lstRecent) = 0;
    virtual void UpdateRecentContactor(int recentId, int type, int time) = 0;
    virtual void DeleteRecentContactor(int recentId, int type) = 0;
    virtual void ClearRecentContactor() = 0;

    // 50: group-chat shared files.

    // 52: inner update counters.
    virtual int GetInnerGroupsUC(LONG* pUC) = 0;
    virtual int SaveInnerGroupsUC(LONG uc) = 0;
    virtual int GetInnerContactUC(LONG* pUC) = 0;
    virtual int SaveInnerContactUC(LONG uc) = 0;

    // 56: group-chat file-list counters.

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

    // 71: session-list counter.
    virtual int GetSessionListUC(LONG* pUC) = 0;
    virtual int SaveSessionListUC(LONG uc) = 0;

    // 73: session display ids.

    // 75: corporation.

    // 82: local update counters.

    // 84: fast login data.

    // 88: contact lists.

    // 95: contact counter.
    virtual int GetContactUC(LONG* pUC) = 0;
    virtual int SaveContactUC(LONG uc) = 0;

    // 97: contact lists.

    // 100: destroys and re-creates every table store and the wrapper; keeps the path.
    virtual int Reset() = 0;

protected:
    IStore();

public:
    IStore(const IStore& other);
    IStore& operator=(const IStore& other);
};
