// The layout of a store file: its tables, the versions this code reads, and
// the checks that tell a store from a damaged or foreign file before
// anything is written to it.
//
// Version 1 stored names folded to lower case by a table of the store's own;
// version 2 stores them folded by foldName (platform/posix/utf8_fold.h), the
// folding of Collection keys. The tables are the same in both.
#pragma once

#include <sqlite3.h>

namespace zs::platform::posix::schema {

inline constexpr int kCurrentVersion = 2;
inline constexpr int kLowerCaseVersion = 1;

enum class FileState {
  New,        // no tables and no version: an empty file to set up
  Current,    // a store of this version
  LowerCase,  // a version-1 store: its names are to be folded again
  Damaged,    // unreadable, failing quick_check, of another version or schema
};

// Reads a store file without writing to it: the header, the version, the
// tables (compared with the store's own) and PRAGMA quick_check. SQLite
// failures other than damage (busy, I/O) are thrown as sqlite::SqliteError.
FileState inspect(sqlite3* db);

// Creates the tables and the three tree roots in a new file, in one
// transaction; nothing when another connection did it first.
void create(sqlite3* db);

// Folds every name of a version-1 file again and sets version 2, in one
// transaction; nothing when another connection did it first. Names that fold
// alike only under the new folding all stay: the first written keeps the
// folded form, each later one that form with "\0" and a number appended, so
// it is listed and, once those before it are deleted, found by its name.
void refold(sqlite3* db);

}  // namespace zs::platform::posix::schema
