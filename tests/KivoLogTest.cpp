#include <fstream>

#include "TestDb.h"

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
