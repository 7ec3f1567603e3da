// One contact list of the signed-in user, keyed by contact id, in table ContactListInfo
// (or, for the stranger list, StrangerContactListInfo): one row per contact holding the
// whole record as JSON text. SaveToDisk rewrites the table while the consistent flag is
// set; add, delete and modify also write their one row at once, whatever the flag.
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
    int WriteRowNow(const wchar_t* tag, const CString& sql, const wchar_t* failText);
    void DropOtherHolders(ULONG keptKey, ULONG uid);

    bool m_bConsistent = false;
    std::wstring m_strTableName;
    std::map<ULONG, STContactInfo> m_mapContact;
    CDbSQLite* m_pDbSQLite;  // not owned
};
