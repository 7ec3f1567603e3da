// What happens to a database file that SQLite reports as damaged: the file and its -wal,
// -shm and -journal are moved aside unchanged, to "<name>.damaged-<UTC time>", and a new
// file (0600) gets every row SQLite can still read from them. The damaged copy is never
// written: the rows are read from a scratch copy that is removed at the end.
#pragma once

#include <string>
#include <vector>

class CDbRecovery {
public:
    struct TableRows {
        std::string table;
        size_t rows = 0;       // copied into the new file
        size_t stretches = 0;  // unreadable stretches stepped over
    };
    struct Result {
        bool ok = false;
        std::string damagedCopy;  // where the damaged file went (RecoverInPlace)
        std::vector<TableRows> tables;
        std::string error;  // why it failed
    };

    // afterCopy: statements run in the new file once the rows are in; one that fails (its
    // table was not recovered) is passed over.
    explicit CDbRecovery(std::vector<std::string> afterCopy) : m_afterCopy(std::move(afterCopy)) {}

    // Moves path and its side files aside and builds the new file at path. On failure the
    // damaged copy stays aside and nothing is at path.
    Result RecoverInPlace(const std::string& path) const;
    // Builds out, which must not exist, from source, which is only read.
    Result RecoverInto(const std::string& source, const std::string& out) const;

    // "<path>.damaged-20261207T101500" for that moment, in UTC.
    static std::string DamagedName(const std::string& path, long long unixTime);
    static const char* const kSideSuffixes[3];  // -wal, -shm, -journal

private:
    bool Build(const std::string& source, const std::string& target, Result& result) const;

    std::vector<std::string> m_afterCopy;
};
