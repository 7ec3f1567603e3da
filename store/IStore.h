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
#include "ContactInfo.h"

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

    // 14: inner contact groups and inner contacts.

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

    // 50: group-chat shared files.

    // 52: inner update counters.

    // 56: group-chat file-list counters.

    // 58: external counters and external contacts.

    // 69: group-chat list.

    // 71: session-list counter.

    // 73: session display ids.

    // 75: corporation.

    // 82: local update counters.

    // 84: fast login data.

    // 88: contact lists.
    virtual void GetContactList(std::map<ULONG, STContactInfo>& mapContact, bool bStranger) = 0;
    virtual void SaveContactList(const std::map<ULONG, STContactInfo>& mapContact, bool bStranger) = 0;
    virtual void ClearContactList(bool bStranger) = 0;
    virtual void AddContact(const STContactInfo& contact, bool bStranger) = 0;
    virtual int DelContact(ULONG uid, bool bStranger) = 0;
    virtual void ModifyContact(ULONG uid, const STContactInfo& contact, bool bStranger) = 0;
    virtual void GetContact(ULONG uid, STContactInfo& contact, bool bStranger) = 0;

    // 95: contact counter.

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
