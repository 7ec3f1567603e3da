#include "Schema.h"

#include "MiscFuncs.h"
#include "Utf8.h"

const std::vector<TableSchema>& CSchema::Tables()
{
    static const std::vector<TableSchema> tables = {
        {L"CorpInfo", L"create table CorpInfo(Cid int,Account varchar(100),Name varchar(100),CnName varchar(100),Domain varchar(100),State int,LicenseNum int,userCard int, logoType int, EnName varchar(200), Nation varchar(100), Provience varchar(100), City varchar(100), Country varchar(100), Address varchar(100), Type int, Description varchar(100), zipCode int, Tel varchar(50), Fax varchar(100), Contactor varchar(100), Email varchar(100),Website varchar(100),Capital int, EmployeeNum int, PcNum int, regDate int, Slogn varchar(300), config varchar(20000), maxUser int, CorpUc int)"},
        {L"DeptInfo", L"create table DeptInfo(Cid int,Did int,Name varchar(100),PDid int,UC int,FirstChild int,NextSibling int,Desp varchar(200),Fax varchar(100),HideDeptList varchar(100),Addr varchar(100),Tel varchar(50),Website varchar(100),FirstChildUser int, PartialFlag int default 0,primary key(Cid,Did))",
         // Departments are deleted by Did alone, which the (Cid, Did) key cannot serve.
         L"create index if not exists DeptInfo_Did on DeptInfo(Did)"},
        {L"CorpUC", L"create table CorpUC(CorpUC int, primary key(CorpUC))"},
        {L"DeptUserInfo", L"create table DeptUserInfo (Did int, Uid int, NextSiblingUid int, primary key(Did,Uid))"},
        {L"DeptUserInfoEx", L"create table DeptUserInfoEx (Did int, Uid int, NextSiblingUid int, primary key(Did,Uid))"},
        {L"UserBaseInfo", L"create table UserBaseInfo (Uid int primary key,Cid int,CorpAccount varchar(100),Account varchar(100),Name varchar(100),Gender int, PartialFlag int default 0, ExistFlag int default 1, PositionEx varchar(100), ActiveState int default 1)"},
        {L"UserBaseInfoEx", L"create table UserBaseInfoEx (Uid int primary key,Cid int,CorpAccount varchar(100),Account varchar(100),Name varchar(100),Gender int, PartialFlag int default 0, ExistFlag int default 1, PositionEx varchar(100), ActiveState int default 1)"},
        {L"UserQGroupListUC", L"create table UserQGroupListUC(UserQGroupListUC int,primary key(UserQGroupListUC))"},
        {L"UserQGroupId", L"create table UserQGroupId(UserQGroupId int,primary key(UserQGroupId))"},
        {L"UserSessionListUC", L"create table UserSessionListUC(SessionListUC int,primary key(SessionListUC))"},
        {L"UpdateSessionlistId", L"create table UpdateSessionlistId(SessionId int,DisplayId int,primary key(SessionId,DisplayId))"},
        {L"SessionList", L"create table SessionList(SessionId int,RoomId int,Title varchar(100),Cid int,Uid int,CreateSource int, Transfer varchar(100),primary key(SessionId))"},
        {L"RecentContact", L"create table RecentContact(type int,recentId int, time int,primary key(type,recentId))"},
        {L"QGroupShareFileInfoPwd", L"create table QGroupShareFileInfoPwd (QGroupId int,Cid int,Uid int,FileName varchar(200),FileSize int,FileAddTime int,FileStoreFlag int,FileMD5Id varchar(200),ClientFileId int,FileInvalidDate int,UploadFileStatusFlag int,HasPasswordFlag int,primary key(QGroupId,ClientFileId))"},
        {L"QGroupFileListUC_PWD", L"create table QGroupFileListUC_PWD(QGroupId int,QGroupFileListUC int,primary key(QGroupId))"},
        {L"Fast_Login_Data", L"create table Fast_Login_Data(Uid int, LastLiveTime int, SessionId varchar(100),primary key(Uid))"},
        {L"ContactListInfo", L"create table ContactListInfo(uid int,contactinfo varchar(2000),primary key(uid))"},
        {L"StrangerContactListInfo", L"create table StrangerContactListInfo(uid int,contactinfo varchar(2000),primary key(uid))"},
        {L"ContactUC", L"create table ContactUC(ContactUC int,UpdateTime varchar(100),primary key(ContactUC))"},
        // Tables the group, contact-list and counter stores use; keyed as their stores key
        // them in memory, so a file never holds rows a load would have to drop.
        {L"InnerGroupInfo", L"create table InnerGroupInfo(Gid int,Name varchar(100),primary key(Gid))"},
        {L"OuterGroupInfo", L"create table OuterGroupInfo(Gid int,Name varchar(100),primary key(Gid))"},
        {L"InnerContactListInfo", L"create table InnerContactListInfo(Gid int,Cid int,Uid int,Flag int,primary key(Uid))"},
        {L"ExternalContactListInfo", L"create table ExternalContactListInfo(Gid int,Cid int,Uid int,Flag int,primary key(Uid))"},
        {L"InnerGroupUC", L"create table InnerGroupUC(InnerGroupUC int,primary key(InnerGroupUC))"},
        {L"InnerContactUC", L"create table InnerContactUC(InnerContactUC int,primary key(InnerContactUC))"},
        {L"ExternalGroupUC", L"create table ExternalGroupUC(ExternalGroupUC int,primary key(ExternalGroupUC))"},
        {L"ExternalContactUC", L"create table ExternalContactUC(ExternalContactUC int,primary key(ExternalContactUC))"},
    };
    return tables;
}

const std::vector<ColumnUpgrade>& CSchema::Upgrades()
{
    static const std::vector<ColumnUpgrade> upgrades = {
        {L"DeptInfo", L"PartialFlag", L"int default 0"},
        {L"UserBaseInfo", L"PartialFlag", L"int default 0"},
        {L"UserBaseInfo", L"ExistFlag", L"int default 1"},
        {L"UserBaseInfo", L"PositionEx", L"varchar"},
        {L"UserBaseInfo", L"ActiveState", L"int default 1"},
        {L"UserBaseInfoEx", L"PartialFlag", L"int default 0"},
        {L"UserBaseInfoEx", L"ExistFlag", L"int default 1"},
        {L"UserBaseInfoEx", L"PositionEx", L"varchar"},
        {L"UserBaseInfoEx", L"ActiveState", L"int default 1"},
        {L"SessionList", L"CreateSource", L"int default 0"},
        {L"SessionList", L"Transfer", L"varchar"},
        {L"ContactUC", L"UpdateTime", L"varchar"},
    };
    return upgrades;
}

const std::vector<CounterColumn>& CSchema::Counters()
{
    static const std::vector<CounterColumn> counters = {
        {L"CorpUC", L"CorpUC"},
        {L"UserQGroupListUC", L"UserQGroupListUC"},
        {L"UserSessionListUC", L"SessionListUC"},
        {L"QGroupFileListUC_PWD", L"QGroupFileListUC"},
        {L"ContactUC", L"ContactUC"},
        {L"InnerGroupUC", L"InnerGroupUC"},
        {L"InnerContactUC", L"InnerContactUC"},
        {L"ExternalGroupUC", L"ExternalGroupUC"},
        {L"ExternalContactUC", L"ExternalContactUC"},
    };
    return counters;
}

std::vector<std::string> CSchema::CounterResets()
{
    std::vector<std::string> resets;
    for (const CounterColumn& counter : Counters()) {
        resets.push_back(ToUtf8(std::wstring(L"update or replace ") + counter.table + L" set " + counter.column +
                                L" = 0"));
    }
    return resets;
}

CString CSchema::MasterRowQuery(const wchar_t* table)
{
    CString query;
    query.Format(L"SELECT * FROM sqlite_master where type='table' and name='%s'",
                 CMiscFuncs::Convert2SqlParam(table).GetString());
    return query;
}

bool CSchema::CreateTextHasColumn(const std::wstring& createSql, const wchar_t* column)
{
    return createSql.find(column) != std::wstring::npos;
}
