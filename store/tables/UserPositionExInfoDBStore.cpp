#include "UserPositionExInfoDBStore.h"

namespace {

const UserStoreTexts kTexts = {
    L"CUserPositionExInfoDBStore",
    L"CUserPositionExInfoDBStore::LoadFromDisk",
    L"CUserPositionExInfoDBStore::SaveToDisk",
    L"select * from UserBaseInfoEx",
    L"delete from UserBaseInfoEx where Uid=%d",
    L"delete from UserBaseInfoEx (m_mapDeleteInfo) error",
    L"delete from UserBaseInfoEx where Uid=%d ",
    L"delete from UserBaseInfoEx error",
    L"insert into UserBaseInfoEx (Uid,Cid,CorpAccount,Account,Name,Gender, PartialFlag, ExistFlag, PositionEx, "
    L"ActiveState) values (%d,%d,'%s','%s','%s',%d, %d, %d, '%s', %d)",
    L"insert into UserBaseInfoEx error",
    L"CUserPositionExInfoDBStore::SaveToDisk, user count to delete: %u",
    L"CUserPositionExInfoDBStore::SaveToDisk, user count: %u",
    L"CUserPositionExInfoDBStore::SaveToDisk, invalid user infor, existFlag>1 but corpAccount(or Name, account) is "
    L"empty. Uid: %u",
    L"CUserPositionExInfoDBStore::ModifyUserBaseInfo, modified users count: %u",
    L"CUserPositionExInfoDBStore::ModifyUserBaseInfo(ls), invalid user infor,Uid: %u, CorpAccount: %s, Name: %s, "
    L"Account: %s",
    L"CUserPositionExInfoDBStore::ModifyUserBaseInfo(list<STUserBaseInfo>), user exist,  modify user flag from 1 to "
    L"0, cid: %u, uid: %u",
    L"CUserPositionExInfoDBStore::ModifyUserBaseInfo(list<STUserBaseInfo>), User not exist originally,  modify user "
    L"flag from 1 to 0, cid: %u, uid: %u",
    L"CUserPositionExInfoDBStore::ModifyUserBaseInfo(list<STUserBaseInfo>), user detail info: corpAccount: %s, "
    L"account: %s, name: %s",
    L"CUserPositionExInfoDBStore::SoftRemoveBaseUserInfo(ULONG), modify user flag from 1 to 0, cid: %u, uid: %u",
    L"CUserPositionExInfoDBStore::SoftRemoveBaseUserInfo(ULONG), user detail info: corpAccount: %s, account: %s, "
    L"name: %s",
};

}  // namespace

CUserPositionExInfoDBStore::CUserPositionExInfoDBStore(CDbSQLite* pDbSQLite)
    : CUserBaseInfoDBStore(pDbSQLite, kTexts)
{
}
