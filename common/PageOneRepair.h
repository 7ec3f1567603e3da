// Mends, in a scratch copy of a damaged database, the damage that stops SQLite before it
// reads any row: a garbled file header, and a damaged page below the root of sqlite_master
// (the root is page one), which would otherwise hide the schema of every table.
#pragma once

#include <string>

class CPageOneRepair {
public:
    // False when the file cannot be read or written; a file too short to mend is left alone.
    // walBeside: a -wal lies beside the file, so a garbled journal mode is read as WAL.
    static bool Repair(const std::string& path, bool walBeside);
};
