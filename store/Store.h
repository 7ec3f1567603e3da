// The one implementation of IStore: owns the database wrapper and every table store,
// keeps the database path and schema state, and loads and saves table stores selected
// by a 32-bit save mask (the mask table in StoreMaskTable.cpp).
#pragma once

#include <memory>
#include <vector>

#include "DbSQLite.h"
#include "IStore.h"

class CDeptInfoDBStore;
struct TableSchema;

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
    int SetGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup) override;
    int GetGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup) override;
    int UpdateGroup(boost::shared_ptr<STGroup> pGroup) override;
    int RemoveGroup(unsigned int gid) override;
    int GetGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup) override;

    // 10: department members.
    int SaveDeptUserInfo(const STDeptUserInfo& info) override;
    int RemoveDeptUserInfo(ULONG ulDeptId) override;
    int DeptUserNoOp(ULONG ulUnused) override;
    int LoadDeptUserInfo(ULONG ulDeptId, STDeptUserInfo& info) override;

    // 14: inner contact groups and inner contacts.
    int GetInnerGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup) override;
    int SetInnerGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup) override;
    int UpdateInnerGroup(boost::shared_ptr<STGroup> pGroup) override;
    int RemoveInnerGroup(unsigned int gid) override;
    int GetInnerGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup) override;
    int GetInnerContacts(std::list<boost::shared_ptr<STContactor>>& lstContact) override;
    int SetInnerContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact) override;
    int UpdateInnerContact(boost::shared_ptr<STContactor> pContact) override;
    int RemoveInnerContact(unsigned int uid) override;
    int GetInnerContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact) override;

    // 24: users.
    int ModifyUserBaseInfo(const std::list<STUserBaseInfo>& lstUserInfo) override;
    int GetUserBaseInfo(ULONG ulUid, STUserBaseInfo& info) override;
    int GetUserBaseInfoEx(ULONG ulUid, STUserBaseInfo& info) override;
    int RemoveBaseUserInfo(ULONG ulUid) override;
    int SoftRemoveBaseUserInfo(ULONG ulUid) override;
    int GetExistUserIdList(std::list<STUserId>& lstUserId) override;
    int GetAllUserBaseInfoEx(std::list<STUserBaseInfo>& lstUserInfo) override;
    int GetPositionExIdList(std::list<int>& lstId) override;
    int GetExistUserIdListEx(std::list<STUserId>& lstUserId) override;
    int ModifyUserBaseInfoEx(const std::list<STUserBaseInfo>& lstUserInfo) override;
    int RemoveBaseUserInfoEx(ULONG ulUid) override;
    int SoftRemoveBaseUserInfoEx(ULONG ulUid) override;

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
    void LoadSessionList(std::list<STSessionInfo>& lstSession) override;
    void SaveSessionList(const std::list<STSessionInfo>& lstSession) override;

    // 46: recent contacts.
    void GetRecentContactors(std::list<STRecentContactor>& lstRecent) override;
    void UpdateRecentContactor(int recentId, int type, int time) override;
    void DeleteRecentContactor(int recentId, int type) override;
    void ClearRecentContactor() override;

    // 50: group-chat shared files.
    void GetQGroupShareFiles(unsigned int qGroupId, std::list<STQGroupShareFile*>& lstFiles) override;
    void SetQGroupShareFiles(unsigned int qGroupId, const std::list<STQGroupShareFile*>& lstFiles) override;

    // 52: inner update counters.
    int GetInnerGroupsUC(LONG* pUC) override;
    int SaveInnerGroupsUC(LONG uc) override;
    int GetInnerContactUC(LONG* pUC) override;
    int SaveInnerContactUC(LONG uc) override;

    // 56: group-chat file-list counters.
    void GetQGroupFileListUC(unsigned int qGroupId, int* pUC) override;
    void SaveQGroupFileListUC(unsigned int qGroupId, int uc) override;

    // 58: external counters and external contacts.
    int GetExternalGroupUC(LONG* pUC) override;
    int SaveExternalGroupUC(LONG uc) override;
    int GetExternalContactUC(LONG* pUC) override;
    int SaveExternalContactUC(LONG uc) override;
    int GetExternalContacts(std::list<boost::shared_ptr<STContactor>>& lstContact) override;
    int SetExternalContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact) override;
    int UpdateExternalContact(boost::shared_ptr<STContactor> pContact) override;
    int RemoveExternalContact(unsigned int uid) override;
    int GetExternalContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact) override;
    int GetUserQGroupListUC(LONG* pUC) override;
    int SaveUserQGroupListUC(LONG uc) override;

    // 69: group-chat list.
    int GetUserQGroupList(std::list<int>& lstIds) override;
    int SetUserQGroupList(const std::list<int>& lstIds) override;

    // 71: session-list counter.
    int GetSessionListUC(LONG* pUC) override;
    int SaveSessionListUC(LONG uc) override;

    // 73: session display ids.
    int GetUpdateSessionList(std::list<STSessionDisplayId*>& lst) override;
    int SaveUpdateSessionList(std::list<STSessionDisplayId*> lst) override;

    // 75: corporation.
    int GetCorpUC(LONG* pUC) override;
    int SaveCorpUC(ULONG ulUC) override;
    int SaveCorpInfo(const STCorpInfo& corpInfo) override;
    int LoadCorpInfo(const ULONG& ulCorpId, STCorpInfo& corpInfo) override;
    int RemoveCorpInfo(const ULONG& ulCorpId) override;
    int LoadCorpConfig(const ULONG& ulCorpId, std::wstring& strConfig) override;
    int SaveCorpConfig(const ULONG& ulCorpId, const std::wstring& strConfig) override;

    // 82: local update counters.
    int LoadLocalUc(LocalUcInfo* info) override;
    int SaveLocalUc(const LocalUcInfo* info) override;

    // 84: fast login data.
    int GetLastLiveTime(unsigned int* pTime) override;
    int SetLastLiveTime(const unsigned int* pTime, bool bSaveNow) override;
    int GetFastLoginSessionId(std::wstring& strId) override;
    int SetFastLoginSessionId(const std::wstring& strId, bool bSaveNow) override;

    // 88: contact lists.
    void GetContactList(std::map<ULONG, STContactInfo>& mapContact, bool bStranger) override;
    void SaveContactList(const std::map<ULONG, STContactInfo>& mapContact, bool bStranger) override;
    void ClearContactList(bool bStranger) override;
    void AddContact(const STContactInfo& contact, bool bStranger) override;
    int DelContact(ULONG uid, bool bStranger) override;
    void ModifyContact(ULONG uid, const STContactInfo& contact, bool bStranger) override;
    void GetContact(ULONG uid, STContactInfo& contact, bool bStranger) override;

    // 95: contact counter.
    int GetContactUC(LONG* pUC) override;
    int SaveContactUC(LONG uc) override;

    // 97: contact lists.
    int GetContactCount(bool bStranger) override;
    int IsContactExist(ULONG uid, bool bStranger) override;
    int IsContactListStored() override;

    // 100
    int Reset() override;

    // 101: slots of CStore alone, after the inherited ones.
    virtual int SaveDeptUserInfoEx(const STDeptUserInfo& info);
    virtual int RemoveDeptUserInfoEx(ULONG ulDeptId);
    virtual int DeptUserNoOpEx(ULONG ulUnused);
    virtual int LoadDeptUserInfoEx(ULONG ulDeptId, STDeptUserInfo& info);
    virtual int GetAllUserBaseInfo(std::list<STUserBaseInfo>& lstUserInfo);

private:
    void CreateMembers();
    void DestroyMembers();
    // Every operation that touches the file calls this first, and nothing else decides
    // which file is open: the connection is kept only while it is to the very file
    // m_strDBPath names now (device and inode, so another spelling or a link keeps it);
    // after an account switch, a masked save's close, or the file's removal or replacement,
    // the path is opened again, schema step included. FALSE when it cannot be opened; the
    // connection is then closed, so nothing reaches a previous file.
    BOOL EnsureOpen();
    BOOL OpenDBFile(const wchar_t* path);
    // 0 when the file is open with its schema ensured, else the open's code.
    LONG OpenWithSchema(const wchar_t* path);
    void ParkDBFile();
    // Moves a damaged file aside and builds a new one from what can be read of it.
    bool RecoverDamagedFile(const wchar_t* path);
    BOOL IsTableCreated();
    unsigned int CreateTable();
    BOOL AddColumn(const CDbSQLite::ResultTable& master, const wchar_t* column, const wchar_t* type,
                   const wchar_t* table);
    void AddIndex(const TableSchema& table);
    int LoadRows(bool (*selected)(const MaskRow&, unsigned int), unsigned int mask);
    bool WritePendingRows();
    void SettlePendingRows(const CString& strNextPath);

    // Table stores, in creation order.
    // corporation
    std::unique_ptr<class CCorpDBStore> m_pCorpDBStore;

    std::unique_ptr<CDeptInfoDBStore> m_pDeptInfoDBStore;

    // department membership, user base info, user position
    std::unique_ptr<class CDeptUserDBStore> m_pDeptUserDBStore;
    std::unique_ptr<class CUserBaseInfoDBStore> m_pUserBaseInfoDBStore;
    std::unique_ptr<class CUserPositionExInfoDBStore> m_pUserPositionExInfoDBStore;

    // outer group, inner group, inner contact list
    std::unique_ptr<class CGroupDBStore> m_pGroupDBStore;
    std::unique_ptr<class CInnerGroupDBStore> m_pInnerGroupDBStore;
    std::unique_ptr<class CInnerContactListDBStore> m_pInnerContactListDBStore;

    // session list
    std::unique_ptr<class CSessionListDBStore> m_pSessionListDBStore;

    // recent contacts
    std::unique_ptr<class CRecentContactorDBStore> m_pRecentContactorDBStore;

    // group-chat shared files
    std::unique_ptr<class CQGroupShareFileDBStore> m_pQGroupShareFileDBStore;

    // InnerGroupUC, InnerContactUC counters
    std::unique_ptr<class CInnerGroupUCDBStore> m_pInnerGroupUCDBStore;
    std::unique_ptr<class CInnerContactUCDBStore> m_pInnerContactUCDBStore;

    // group-chat file-list counters
    std::unique_ptr<class CQGroupFileListUCDBStore> m_pQGroupFileListUCDBStore;

    // ExternalGroupUC, ExternalContactUC counters, external contact list, UserQGroupListUC counter
    std::unique_ptr<class CExternalGroupUCDBStore> m_pExternalGroupUCDBStore;
    std::unique_ptr<class CExternalContactUCDBStore> m_pExternalContactUCDBStore;
    std::unique_ptr<class CExternalContactListDBStore> m_pExternalContactListDBStore;
    std::unique_ptr<class CUserQGroupListUCDBStore> m_pUserQGroupListUCDBStore;

    // user group-chat list
    std::unique_ptr<class CUserQGroupListDBStore> m_pUserQGroupListDBStore;

    // UserSessionListUC counter
    std::unique_ptr<class CGetSessionListUCDBStore> m_pGetSessionListUCDBStore;

    // session display ids, fast login data
    std::unique_ptr<class CUpdateSessionListDBStore> m_pUpdateSessionListDBStore;
    std::unique_ptr<class CFastLoginDataDBStore> m_pFastLoginDataDBStore;

    // contact list, stranger contact list
    std::unique_ptr<class CContactListDBStore> m_pContactListDBStore;
    std::unique_ptr<class CContactListDBStore> m_pStrangerContactListDBStore;
    CContactListDBStore& ContactList(bool bStranger);

    // ContactUC counter
    std::unique_ptr<class CContactUCDBStore> m_pContactUCDBStore;

    CString m_strDBPath;
    std::unique_ptr<CDbSQLite> m_pDbSQLite;
    BOOL m_bTableCreated = FALSE;
    unsigned int m_nTableCount = 0;
    CDbSQLite::FileId m_schemaFile;  // the file m_nTableCount was counted in
};
