// The one implementation of IStore: owns the database wrapper and every table store,
// keeps the database path and schema state, and loads and saves table stores selected
// by a 32-bit save mask (the mask table in StoreMaskTable.cpp).
#pragma once

#include <memory>
#include <vector>

#include "DbSQLite.h"
#include "IStore.h"

class CDeptInfoDBStore;

class CStore : public IStore {
public:
    // One row of the mask table: a bit, a table store's save and load, and its
    // consistent flag. Rows are visited in table order; a bit may have several rows.
    struct MaskRow {
        ULONG bit;
        const wchar_t* table;
        int (*save)(CStore&, int bInTransaction);  // null: the bit saves nothing here
        int (*load)(CStore&);                      // null: the bit loads nothing here
        void (*setFlag)(CStore&, bool);            // null: the store has no consistent flag
        // Forgets what a save under the caller's transaction wrote, once that committed.
        void (*forget)(CStore&);
        bool allSave;
        bool allLoad;
    };
    static const std::vector<MaskRow>& MaskTable();

    CStore();
    ~CStore() override;
    CStore(const CStore&) = delete;
    CStore& operator=(const CStore&) = delete;

    // 1: departments.
    int SaveDeptInfo(const STDeptInfo& info) override;
    int LoadDeptInfo(ULONG ulUnused, std::list<boost::shared_ptr<STDeptInfo>>& lstDept) override;
    int DeptInfoNoOp(ULONG ulUnused1, ULONG ulUnused2, ULONG ulUnused3) override;
    int RemoveDeptInfo(ULONG ulUnused, ULONG ulDeptId) override;

    // 5: outer contact groups.

    // 10: department members.

    // 14: inner contact groups and inner contacts.

    // 24: users.

    // 36: bulk load and save, consistent flags, the database file.
    int LoadFromDisk(unsigned int mask) override;
    int LoadFromDisk() override;
    int SaveToDisk(unsigned int mask, int bInTransaction) override;
    int SaveToDisk() override;
    int SetDataConsistentFlag(unsigned int mask, bool bConsistent) override;
    void CloseDBFile() override;
    BOOL OpenDBFile() override;
    void SetDBPath(const CString& strPath) override;

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
    void GetContactList(std::map<ULONG, STContactInfo>& mapContact, bool bStranger) override;
    void SaveContactList(const std::map<ULONG, STContactInfo>& mapContact, bool bStranger) override;
    void ClearContactList(bool bStranger) override;
    void AddContact(const STContactInfo& contact, bool bStranger) override;
    int DelContact(ULONG uid, bool bStranger) override;
    void ModifyContact(ULONG uid, const STContactInfo& contact, bool bStranger) override;
    void GetContact(ULONG uid, STContactInfo& contact, bool bStranger) override;

    // 95: contact counter.

    // 97: contact lists.
    int GetContactCount(bool bStranger) override;
    int IsContactExist(ULONG uid, bool bStranger) override;
    int IsContactListStored() override;

    // 100
    int Reset() override;

    // 101: slots of CStore alone, after the inherited ones.

private:
    void CreateMembers();
    void DestroyMembers();
    BOOL OpenDBFile(const wchar_t* path);
    BOOL IsTableCreated();
    unsigned int CreateTable();
    BOOL AddColumn(const CDbSQLite::ResultTable& master, const wchar_t* column, const wchar_t* type,
                   const wchar_t* table);
    int LoadRows(bool (*selected)(const MaskRow&, unsigned int), unsigned int mask);

    // Table stores, in creation order.
    // corporation

    std::unique_ptr<CDeptInfoDBStore> m_pDeptInfoDBStore;

    // department membership, user base info, user position

    // outer group, inner group, inner contact list

    // session list

    // recent contacts

    // group-chat shared files

    // InnerGroupUC, InnerContactUC counters

    // group-chat file-list counters

    // ExternalGroupUC, ExternalContactUC counters, external contact list, UserQGroupListUC counter

    // user group-chat list

    // UserSessionListUC counter

    // session display ids, fast login data

    // contact list, stranger contact list
    std::unique_ptr<class CContactListDBStore> m_pContactListDBStore;
    std::unique_ptr<class CContactListDBStore> m_pStrangerContactListDBStore;
    CContactListDBStore& ContactList(bool bStranger);

    // ContactUC counter

    CString m_strDBPath;
    std::unique_ptr<CDbSQLite> m_pDbSQLite;
    BOOL m_bTableCreated = FALSE;
    unsigned int m_nTableCount = 0;
};
