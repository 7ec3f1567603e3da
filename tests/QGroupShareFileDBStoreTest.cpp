#include "StoreTestSupport.h"

namespace {

STQGroupShareFile File(ULONG group, ULONG clientFileId, const std::wstring& name)
{
    STQGroupShareFile file;
    file.QGroupId = group;
    file.ClientFileId = clientFileId;
    file.FileName = name;
    file.FileMD5Id = L"md5'" + name;
    file.FileAddTime = 3000000000u + clientFileId;
    file.ExtraText1 = L"memory only";
    return file;
}

class QGroupShareFileDBStoreTest : public CStoreTest {
protected:
    void Set(unsigned int group, std::list<STQGroupShareFile> files)
    {
        std::list<STQGroupShareFile*> pointers;
        for (STQGroupShareFile& file : files) pointers.push_back(&file);
        m_store.SetQGroupShareFiles(group, pointers);
    }

    std::vector<std::wstring> Names(unsigned int group)
    {
        std::list<STQGroupShareFile*> files;
        m_store.GetQGroupShareFiles(group, files);
        std::vector<std::wstring> names;
        for (const STQGroupShareFile* f : files) names.push_back(f->FileName + L"|" + f->ExtraText1);
        return names;
    }
};

// Run under AddressSanitizer: the handed-out records are passed back, and the dropped
// duplicate must leave no leak.
TEST_F(QGroupShareFileDBStoreTest, PassingBackTheHandedOutPointersKeepsTheFiles)
{
    Set(7, {File(7, 2, L"b"), File(7, 1, L"a"), File(7, 2, L"b again")});
    EXPECT_EQ((std::vector<std::wstring>{L"a|memory only", L"b|memory only"}), Names(7));

    std::list<STQGroupShareFile*> handed;
    m_store.GetQGroupShareFiles(7, handed);
    handed.push_back(nullptr);
    handed.push_back(handed.front());
    m_store.SetQGroupShareFiles(7, handed);
    EXPECT_TRUE(m_log.Has(L"CQGroupShareFileDBStore::SetQGroupShareFiles", L"null elements ignored"));
    EXPECT_EQ((std::vector<std::wstring>{L"a|memory only", L"b|memory only"}), Names(7));
    EXPECT_TRUE(Names(8).empty());
}

TEST_F(QGroupShareFileDBStoreTest, SaveRewritesHeldGroupsAndLeavesOthersAlone)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into QGroupShareFileInfoPwd values (7, 1, 1, 'old1', 0, 0, 0, '', 1, 0, 0, 0),"
            " (7, 3, 1, 'old3', 0, 0, 0, '', 3, 0, 0, 0), (8, 1, 1, 'other', 0, 0, 0, '', 1, 0, 0, 0),"
            " (9, 1, 1, 'gone', 0, 0, 0, '', 1, 0, 0, 0)");
    Set(7, {File(7, 2, L"it's \U0001F4C4.pdf")});
    Set(9, {});
    ASSERT_EQ(1, m_store.SaveToDisk(0x100, FALSE));

    EXPECT_EQ((Rows{{"7", "2"}, {"8", "1"}}), db.Rows("select QGroupId, ClientFileId from QGroupShareFileInfoPwd order by 1"));
    ASSERT_EQ(1, m_store.LoadFromDisk(0x100));
    EXPECT_EQ((std::vector<std::wstring>{L"it's \U0001F4C4.pdf|"}), Names(7));
    std::list<STQGroupShareFile*> files;
    m_store.GetQGroupShareFiles(7, files);
    EXPECT_EQ(std::make_pair(std::wstring(L"md5'it's \U0001F4C4.pdf"), 3000000002u),
              std::make_pair(files.front()->FileMD5Id, files.front()->FileAddTime));
}

TEST_F(QGroupShareFileDBStoreTest, DuplicateRowPairFailsTheSaveAndLeavesTheTableAsItWas)
{
    // A record keeps its own QGroupId, so two groups can write the same row key.
    Set(8, {File(8, 1, L"first")});
    Set(9, {File(8, 1, L"second")});
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into QGroupShareFileInfoPwd values (9, 1, 1, 'kept', 0, 0, 0, '', 5, 0, 0, 0)");
    for (int inTransaction : {FALSE, TRUE}) {
        EXPECT_EQ(0, m_store.SaveToDisk(0x100, inTransaction));
        EXPECT_EQ("kept", db.Value("select group_concat(FileName) from QGroupShareFileInfoPwd"));
    }
}

}  // namespace
