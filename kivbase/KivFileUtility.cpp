#include "KivFileUtility.h"

#include <sys/stat.h>

#include "Utf8.h"

bool CKivFileUtility::IsFileExist(const std::wstring& path, bool* second)
{
    if (second) *second = false;
    if (path.empty()) return false;
    struct stat info {};
    return ::stat(ToUtf8(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
