// The second set of directory users, keyed by Uid, in table UserBaseInfoEx. It behaves
// as CUserBaseInfoDBStore except that a pending user's row is deleted and then inserted;
// the position ids (slot 31) are read from this set only.
#pragma once

#include "UserBaseInfoDBStore.h"

class CUserPositionExInfoDBStore : public CUserBaseInfoDBStore {
public:
    explicit CUserPositionExInfoDBStore(CDbSQLite* pDbSQLite);
};
