// One contact list of the signed-in user, keyed by contact id, in table ContactListInfo
// (or, for the stranger list, StrangerContactListInfo): one row per contact holding the
// whole record as JSON text. SaveToDisk rewrites the table while the consistent flag is
// set; add, delete and modify also write their one row at once, whatever the flag. A row
// that could not be written stays pending until a later write or save gets it in.
#pragma once

#include <map>
#include <string>

#include "ContactInfo.h"
#include "DbSQLite.h"

class CContactListDBStore {
public:
    explicit CContactListDBStore(CDbSQLite* pDbSQLite);

    void SetTableName(const std::wstring& strTableName) { m_strTableName = strTableName; }
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }
    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    // Writes the pending rows in a transaction of their own: 1 once none is left.
    int WritePendingRows();
    // Drops the pending rows once the caller's transaction that rewrote the table committed.
    void ForgetPending() { m_mapPendingRow.clear(); }

    void GetContactList(std::map<ULONG, STContactInfo>& mapContact) const;
    void SaveContactList(const std::map<ULONG, STContactInfo>& mapContact);
    void ClearContactList();
    void AddContact(const STContactInfo& contact);
    int DelContact(ULONG uid);
    void ModifyContact(ULONG uid, const STContactInfo& contact);
    void GetContact(ULONG uid, STContactInfo& contact) const;
    int GetContactCount() const;
    int IsContactExist(ULONG uid) const;
    int IsContactListStored();

    int DBAddContact(const STContactInfo& contact, ULONG uid);
    int DBDelContact(ULONG uid);
    int DBModifyContact(const STContactInfo& contact, ULONG uid);

    // 1 when text holds both ContactorBaseInfo and ContactorExtInfo objects, else 0.
    static int JsonStringToContactInfo(const std::wstring& text, STContactInfo& contact);
    static void ContactInfoToJsonString(const STContactInfo& contact, std::wstring& text);

private:
    // A row write of the slots, by the row's uid. Update writes only a row already there.
    struct PendingRow {
        enum Kind { Replace, Update, Delete } kind;
        STContactInfo contact;
    };
    int WriteRowNow(ULONG uid, PendingRow row);
    int WritePending(const wchar_t* tag);
    CString RowStatement(ULONG uid, const PendingRow& row) const;
    void Hold(ULONG uid, const PendingRow& row);
    void DropOtherHolders(ULONG keptKey, ULONG uid);

    bool m_bConsistent = false;
    std::wstring m_strTableName;
    std::map<ULONG, STContactInfo> m_mapContact;
    // Some record may be held under a key other than its own uid; until one is, a row
    // write need not look through every record for another holder of its uid.
    bool m_keysMayDiffer = false;
    // Accepted changes whose row write failed: held in memory, owed to the table.
    std::map<ULONG, PendingRow> m_mapPendingRow;
    CDbSQLite* m_pDbSQLite;  // not owned
};
