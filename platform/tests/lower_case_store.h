// A user file as version 1 of the store left it: names folded to lower case
// (ASCII here), and two pairs of names that version 1 kept apart but the
// current folding joins: the keys Ґ and ґ under HKCU\Software\Old (each
// holding "which" = "first" / "second", in that order of writing) and the
// values Ѡ = "first" and ѡ = "second" in HKCU\Software\Old\Data, beside
// MixedCase = "x".
#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>

#include "platform/posix/advapi32_posix.h"

namespace zs::platform::testsupport {

inline void makeLowerCaseStore(const std::string& folder) {
  {
    posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder));
    HKEY key = 0;
    api.RegCreateKeyA(kHkeyCurrentUser, "Software\\Old\\Data", &key);
    api.RegSetValueExA(key, "MixedCase", 0, kRegSz, reinterpret_cast<const BYTE*>("x"), 1);
    api.RegCloseKey(key);
  }
  const std::string file = folder + "/user.db";
  sqlite3* db = nullptr;
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) throw std::runtime_error("open " + file);
  // Ґ is D2 90, ґ D2 91, Ѡ D1 A0, ѡ D1 A1 in UTF-8.
  const char* text = R"sql(
    UPDATE keys SET folded = CAST(lower(name) AS BLOB);
    UPDATE vals SET folded = CAST(lower(name) AS BLOB);
    INSERT INTO keys(parent, name, folded)
      SELECT id, X'D290', X'D290' FROM keys WHERE name = CAST('Old' AS BLOB);
    INSERT INTO keys(parent, name, folded)
      SELECT id, X'D291', X'D291' FROM keys WHERE name = CAST('Old' AS BLOB);
    INSERT INTO vals(key, folded, seq, name, type, data)
      SELECT id, CAST('which' AS BLOB), 1, CAST('which' AS BLOB), 1, CAST('first' AS BLOB)
      FROM keys WHERE name = X'D290';
    INSERT INTO vals(key, folded, seq, name, type, data)
      SELECT id, CAST('which' AS BLOB), 1, CAST('which' AS BLOB), 1, CAST('second' AS BLOB)
      FROM keys WHERE name = X'D291';
    INSERT INTO vals(key, folded, seq, name, type, data)
      SELECT id, X'D1A0', 10, X'D1A0', 1, CAST('first' AS BLOB)
      FROM keys WHERE name = CAST('Data' AS BLOB);
    INSERT INTO vals(key, folded, seq, name, type, data)
      SELECT id, X'D1A1', 11, X'D1A1', 1, CAST('second' AS BLOB)
      FROM keys WHERE name = CAST('Data' AS BLOB);
    PRAGMA user_version = 1;
    PRAGMA wal_checkpoint(TRUNCATE);
  )sql";
  // The -wal and -shm files stay, as the store leaves them.
  int persist = 1;
  sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
  const int rc = sqlite3_exec(db, text, nullptr, nullptr, nullptr);
  const std::string message = sqlite3_errmsg(db);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(message);
}

}  // namespace zs::platform::testsupport
