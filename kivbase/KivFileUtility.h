// File helpers of KivBase.
#pragma once

#include <string>

class CKivFileUtility {
public:
    // True when a file exists at path; the second, optional out-parameter is unused here.
    static bool IsFileExist(const std::wstring& path, bool* second = nullptr);
};
