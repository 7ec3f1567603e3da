// One file shared in a group chat. The two extra texts live in memory only: they are
// never written to the table, so a reload leaves them empty.
#pragma once

#include <string>

#include "PlatformTypes.h"

struct STQGroupShareFile {
    ULONG QGroupId = 0;
    ULONG Cid = 0;
    ULONG Uid = 0;
    std::wstring FileName;
    ULONG FileSize = 0;
    ULONG FileAddTime = 0;
    std::wstring ExtraText1;
    ULONG FileStoreFlag = 0;
    std::wstring FileMD5Id;
    ULONG ClientFileId = 0;  // the key within its group
    ULONG FileInvalidDate = 0;
    ULONG UploadFileStatusFlag = 0;
    ULONG HasPasswordFlag = 0;
    std::wstring ExtraText2;
};
