// The bits of the 32-bit save mask: each names one table store (two for the user and the
// department-member bits) for LoadFromDisk(mask), SaveToDisk(mask, bInTransaction) and
// SetDataConsistentFlag(mask, bConsistent). Named after the tables they reach; masked
// loads and saves visit the stores in the order below, whatever the order of the bits.
#pragma once

namespace KivoSaveMask {

// Directory. kCorpInfo's load reads CorpUC too; kCorpUC saves the counter and loads nothing.
constexpr unsigned int kCorpInfo = 0x80000;
constexpr unsigned int kCorpUC = 0x100000;
constexpr unsigned int kDeptInfo = 0x1;
constexpr unsigned int kDeptUserInfo = 0x2;  // DeptUserInfo and DeptUserInfoEx
constexpr unsigned int kUserBaseInfo = 0x4;  // UserBaseInfo and UserBaseInfoEx

// Groups, contacts and recents.
constexpr unsigned int kOuterGroupInfo = 0x8;
constexpr unsigned int kInnerGroupInfo = 0x10;
constexpr unsigned int kInnerContactListInfo = 0x20;
constexpr unsigned int kSessionList = 0x40;
constexpr unsigned int kRecentContact = 0x80;
constexpr unsigned int kQGroupShareFileInfoPwd = 0x100;
constexpr unsigned int kQGroupFileListUC = 0x4000;
constexpr unsigned int kInnerGroupUC = 0x200;
constexpr unsigned int kInnerContactUC = 0x400;
constexpr unsigned int kExternalGroupUC = 0x800;
constexpr unsigned int kExternalContactUC = 0x1000;
constexpr unsigned int kExternalContactListInfo = 0x2000;
constexpr unsigned int kUserQGroupListUC = 0x8000;
constexpr unsigned int kUserQGroupId = 0x10000;
constexpr unsigned int kUserSessionListUC = 0x20000;
constexpr unsigned int kUpdateSessionlistId = 0x40000;
constexpr unsigned int kFastLoginData = 0x200000;

// Contact lists and their counter: outside SaveToDisk() (slot 39), inside every mask below.
constexpr unsigned int kContactListInfo = 0x400000;
constexpr unsigned int kStrangerContactListInfo = 0x1000000;
constexpr unsigned int kContactUC = 0x800000;

// Every store. SaveToDisk(kAllStores, ...) saves the contact lists and both counters that
// SaveToDisk() leaves out.
constexpr unsigned int kAllStores = 0x1FFFFFF;

}  // namespace KivoSaveMask
