// Opening the file a support engineer was given, for reading only: it stays byte for
// byte as it was, and nothing appears beside it.
#pragma once

#include <string>

#include "DbSQLite.h"

// True when open; else prints why to stderr ("kivostore: FILE: ...") and returns false.
bool OpenForReading(const std::string& path, CDbSQLite& db);

bool IsRegularFile(const std::string& path);

// What the store would do with a file SQLite reports as damaged when it opens it.
extern const char kRecoveredAtNextOpen[];

// Prints "kivostore: FILE: problem" to stderr; returns 1, the exit code of a file problem.
int FileError(const std::string& path, const std::string& problem);
