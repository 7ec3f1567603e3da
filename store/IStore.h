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
#include "CorpInfo.h"
#include "DeptUserInfo.h"
#include "UserBaseInfo.h"

// Contact-list records.

// Group, counter and recent-contact records.

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

    // 10: department members.
    virtual int SaveDeptUserInfo(const STDeptUserInfo& info) = 0;
    virtual int RemoveDeptUserInfo(ULONG ulDeptId) = 0;
    virtual int DeptUserNoOp(ULONG ulUnused) = 0;
    virtual int LoadDeptUserInfo(ULONG ulDeptId, STDeptUserInfo& info) = 0;

    // 14: inner contact groups and inner contacts.

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

    // 46: recent contacts.

    // 50: group-chat shared files.

    // 52: inner update counters.

    // 56: group-chat file-list counters.

    // 58: external counters and external contacts.

    // 69: group-chat list.

    // 71: session-list counter.

    // 73: session display ids.

    // 75: corporation.
    virtual int GetCorpUC(LONG* pUC) = 0;
    virtual int SaveCorpUC(ULONG ulUC) = 0;
    virtual int SaveCorpInfo(const STCorpInfo& corpInfo) = 0;
    virtual int LoadCorpInfo(const ULONG& ulCorpId, STCorpInfo& corpInfo) = 0;
    virtual int RemoveCorpInfo(const ULONG& ulCorpId) = 0;
    virtual int LoadCorpConfig(const ULONG& ulCorpId, std::wstring& strConfig) = 0;
    virtual int SaveCorpConfig(const ULONG& ulCorpId, const std::wstring& strConfig) = 0;

    // 82: local update counters.

    // 84: fast login data.

    // 88: contact lists.

    // 95: contact counter.

    // 97: contact lists.

    // 100: destroys and re-creates every table store and the wrapper; keeps the path.
    virtual int Reset() = 0;

protected:
    IStore();

public:
    IStore(const IStore& other);
    IStore& operator=(const IStore& other);
};
