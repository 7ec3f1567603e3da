// The binary interface: every slot at its position. On this ABI a pointer to a virtual
// member holds 1 + the byte offset of its vtable entry, and the virtual destructor takes
// two entries, so slot k sits at vtable index k + 1.
#include <cstring>

#include <gtest/gtest.h>

#include "IStore.h"
#include "Store.h"

namespace {

struct SlotEntry {
    int slot;
    const char* name;
    long index;
};

template <typename MemberPointer>
long VtableIndex(MemberPointer member)
{
    static_assert(sizeof(member) == 2 * sizeof(uintptr_t), "Itanium member pointer");
    uintptr_t words[2];
    std::memcpy(words, &member, sizeof(words));
    if ((words[0] & 1) == 0) return -1;  // not virtual
    return static_cast<long>((words[0] - 1) / sizeof(void*));
}

// Every slot of IStore, looked up in class T (IStore itself or CStore).
template <typename T>
std::vector<SlotEntry> InterfaceSlots()
{
#define SLOT(k, name) SlotEntry{k, #name, VtableIndex(&T::name)}
    return {
        SLOT(1, SaveDeptInfo), SLOT(2, LoadDeptInfo), SLOT(3, DeptInfoNoOp), SLOT(4, RemoveDeptInfo),
        SLOT(5, SetGroups), SLOT(6, GetGroups), SLOT(7, UpdateGroup), SLOT(8, RemoveGroup), SLOT(9, GetGroup),
        SLOT(10, SaveDeptUserInfo), SLOT(11, RemoveDeptUserInfo), SLOT(12, DeptUserNoOp),
        SLOT(13, LoadDeptUserInfo), SLOT(14, GetInnerGroups), SLOT(15, SetInnerGroups), SLOT(16, UpdateInnerGroup),
        SLOT(17, RemoveInnerGroup), SLOT(18, GetInnerGroup), SLOT(19, GetInnerContacts), SLOT(20, SetInnerContacts),
        SLOT(21, UpdateInnerContact), SLOT(22, RemoveInnerContact), SLOT(23, GetInnerContact),
        SLOT(24, ModifyUserBaseInfo), SLOT(25, GetUserBaseInfo), SLOT(26, GetUserBaseInfoEx),
        SLOT(27, RemoveBaseUserInfo), SLOT(28, SoftRemoveBaseUserInfo), SLOT(29, GetExistUserIdList),
        SLOT(30, GetAllUserBaseInfoEx), SLOT(31, GetPositionExIdList), SLOT(32, GetExistUserIdListEx),
        SLOT(33, ModifyUserBaseInfoEx), SLOT(34, RemoveBaseUserInfoEx), SLOT(35, SoftRemoveBaseUserInfoEx),
        SLOT(40, SetDataConsistentFlag), SLOT(41, CloseDBFile), SLOT(43, SetDBPath), SLOT(44, LoadSessionList),
        SLOT(45, SaveSessionList), SLOT(46, GetRecentContactors), SLOT(47, UpdateRecentContactor),
        SLOT(48, DeleteRecentContactor), SLOT(49, ClearRecentContactor), SLOT(50, GetQGroupShareFiles),
        SLOT(51, SetQGroupShareFiles), SLOT(52, GetInnerGroupsUC), SLOT(53, SaveInnerGroupsUC),
        SLOT(54, GetInnerContactUC), SLOT(55, SaveInnerContactUC), SLOT(56, GetQGroupFileListUC),
        SLOT(57, SaveQGroupFileListUC), SLOT(58, GetExternalGroupUC), SLOT(59, SaveExternalGroupUC),
        SLOT(60, GetExternalContactUC), SLOT(61, SaveExternalContactUC), SLOT(62, GetExternalContacts),
        SLOT(63, SetExternalContacts), SLOT(64, UpdateExternalContact), SLOT(65, RemoveExternalContact),
        SLOT(66, GetExternalContact), SLOT(67, GetUserQGroupListUC), SLOT(68, SaveUserQGroupListUC),
        SLOT(69, GetUserQGroupList), SLOT(70, SetUserQGroupList), SLOT(71, GetSessionListUC),
        SLOT(72, SaveSessionListUC), SLOT(73, GetUpdateSessionList), SLOT(74, SaveUpdateSessionList),
        SLOT(75, GetCorpUC), SLOT(76, SaveCorpUC), SLOT(77, SaveCorpInfo), SLOT(78, LoadCorpInfo),
        SLOT(79, RemoveCorpInfo), SLOT(80, LoadCorpConfig), SLOT(81, SaveCorpConfig), SLOT(82, LoadLocalUc),
        SLOT(83, SaveLocalUc), SLOT(84, GetLastLiveTime), SLOT(85, SetLastLiveTime),
        SLOT(86, GetFastLoginSessionId), SLOT(87, SetFastLoginSessionId), SLOT(88, GetContactList),
        SLOT(89, SaveContactList), SLOT(90, ClearContactList), SLOT(91, AddContact), SLOT(92, DelContact),
        SLOT(93, ModifyContact), SLOT(94, GetContact), SLOT(95, GetContactUC), SLOT(96, SaveContactUC),
        SLOT(97, GetContactCount), SLOT(98, IsContactExist), SLOT(99, IsContactListStored), SLOT(100, Reset),
        {36, "LoadFromDisk(mask)", VtableIndex(static_cast<int (T::*)(unsigned int)>(&T::LoadFromDisk))},
        {37, "LoadFromDisk()", VtableIndex(static_cast<int (T::*)()>(&T::LoadFromDisk))},
        {38, "SaveToDisk(mask, tx)", VtableIndex(static_cast<int (T::*)(unsigned int, int)>(&T::SaveToDisk))},
        {39, "SaveToDisk()", VtableIndex(static_cast<int (T::*)()>(&T::SaveToDisk))},
        {42, "OpenDBFile()", VtableIndex(static_cast<BOOL (T::*)()>(&T::OpenDBFile))},
    };
#undef SLOT
}

}  // namespace

TEST(SlotPositions, EverySlotSitsAtItsIndexInTheInterfaceAndTheImplementation)
{
    std::vector<SlotEntry> slots = InterfaceSlots<IStore>();
    EXPECT_EQ(slots.size(), 100u);
    for (const SlotEntry& entry : InterfaceSlots<CStore>()) slots.push_back(entry);
    // The implementation's own slots come after the interface's.
    slots.insert(slots.end(), {
        {101, "SaveDeptUserInfoEx", VtableIndex(&CStore::SaveDeptUserInfoEx)},
        {102, "RemoveDeptUserInfoEx", VtableIndex(&CStore::RemoveDeptUserInfoEx)},
        {103, "DeptUserNoOpEx", VtableIndex(&CStore::DeptUserNoOpEx)},
        {104, "LoadDeptUserInfoEx", VtableIndex(&CStore::LoadDeptUserInfoEx)},
        {105, "GetAllUserBaseInfo", VtableIndex(&CStore::GetAllUserBaseInfo)},
    });
    for (const SlotEntry& entry : slots) EXPECT_EQ(entry.index, entry.slot + 1) << "slot " << entry.slot << " " << entry.name;
}
