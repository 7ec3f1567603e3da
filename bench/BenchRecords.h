// The records the store benchmarks hand to IStore, the files they load from, and the raw
// baselines that write and read the same rows: the same statements as the store sends,
// prepared once with bound values, and read back into the same record types.
#pragma once

#include <sqlite3.h>

#include <list>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ContactInfo.h"
#include "DeptInfo.h"
#include "DeptUserInfo.h"
#include "UserBaseInfo.h"

class IStore;

namespace bench {

const int kDepartments = 10000;
const int kManyDepartments = 50000;
const int kMembersPerDepartment = 10;
const int kContacts = 5000;

const unsigned int kUserMask = 0x4;
const unsigned int kDirectoryMask = 0x1 | 0x2;
const unsigned int kContactMask = 0x400000;

// In ascending id order, the order the store's maps write them in.
const std::list<STUserBaseInfo>& SampleUsers(int count = kUserRows);
STUserBaseInfo SampleUser(int index);  // the index-th of every sample
const std::vector<STDeptInfo>& SampleDepartments();
const std::vector<STDeptInfo>& ManyDepartments();
const std::vector<STDeptUserInfo>& SampleMembers();
const std::map<ULONG, STContactInfo>& SampleContacts();

// Hands the store the first count sample users, in both user stores.
void FillUsers(IStore& store, int count);

// Files written once per run through the store, read by both sides of the load cases.
const std::string& UserFile(int count = kUserRows);
const std::string& DirectoryFile();
const std::string& ContactFile();

// Raw saves of the whole sample inside the caller's transaction: the store's statements,
// with the values and types its texts bind.
void RawSaveUsers(sqlite3* db, int count);
// The statements of one changed user's save (both user tables), prepared once for the
// connection, as a client that keeps its statements would.
class RawOneUserSave {
public:
    explicit RawOneUserSave(sqlite3* db);
    void Save(const STUserBaseInfo& user);

private:
    RawStatement m_replace;
    RawStatement m_remove;
    RawStatement m_insert;
};
void RawSaveDirectory(sqlite3* db);
void RawSaveDepartments(sqlite3* db, const std::vector<STDeptInfo>& departments);
// The statements of one changed department's save, prepared once for the connection.
class RawOneDepartmentSave {
public:
    explicit RawOneDepartmentSave(sqlite3* db);
    void Save(const STDeptInfo& department);

private:
    RawStatement m_remove;
    RawStatement m_insert;
};
void RawSaveContacts(sqlite3* db);

// Raw reads into the records the store holds, keyed as the store keys them.
struct RawUsers {
    std::map<ULONG, STUserBaseInfo> base;
    std::map<ULONG, STUserBaseInfo> ex;
};
void RawLoadUsers(sqlite3* db, RawUsers& users);

struct RawDirectory {
    std::map<ULONG, STDeptInfo> departments;
    std::map<ULONG, STDeptUserInfo> members;
    std::map<ULONG, STDeptUserInfo> membersEx;
};
void RawLoadDirectory(sqlite3* db, RawDirectory& directory);

void RawLoadContacts(sqlite3* db, std::map<ULONG, STContactInfo>& contacts);

// The contact's JSON text built straight with nlohmann, as a raw client would.
std::string RawContactJson(const STContactInfo& contact);

}  // namespace bench
