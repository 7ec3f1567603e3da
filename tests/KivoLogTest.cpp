#include <fstream>

#include "TestDb.h"

TEST(KivoLog, HandsEachFormToTheSinkAsOneRecord)
{
    LogCapture log;
    CKivoLog::Print(L"plain");
    CKivoLog::Print(L"CStore::SaveToDisk", L"Begin");
    CKivoLog::Print(L"CStore::SaveToDisk", L"Begin and type = ", 0x80001u);
    CKivoLog::PrintV(L"path = %s, n = %d", L"/tmp/x", 3);
    const auto& r = log.Records();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].text, L"plain");
    EXPECT_EQ(r[1].function, L"CStore::SaveToDisk");
    EXPECT_EQ(r[1].message, L"Begin");
    EXPECT_FALSE(r[1].hasCode);
    EXPECT_TRUE(r[2].hasCode);
    EXPECT_EQ(r[2].code, 0x80001u);
    EXPECT_EQ(r[3].text, L"path = /tmp/x, n = 3");
}

TEST(KivoLog, FileSinkAppendsUtf8Lines)
{
    TempDir dir;
    const std::string path = dir.File("kivo.log");
    ASSERT_TRUE(CKivoLog::OpenFile(path));
    CKivoLog::Print(L"CStore::SaveToDisk", L"\u4e2d", 5);
    CKivoLog::CloseSink();
    CKivoLog::Print(L"after close: nowhere");
    std::ifstream in(path);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_NE(line.find("CStore::SaveToDisk: \xe4\xb8\xad 5"), std::string::npos) << line;
    EXPECT_FALSE(std::getline(in, line));
}
