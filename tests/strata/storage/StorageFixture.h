#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "cli/LinkedModule.h"
#include "strata/storage/StrataFile.h"
#include "support/TempFiles.h"
#include "support/TestRecording.h"
#include "tessel/document/Document.h"

namespace Testing {

inline std::vector<Strata::ChildDocumentClass> Classes() {
  return Cli::DocumentClasses();
}

// The Tessel Document among a chart's children.
inline Tessel::Document* TesselOf(Strata::ChartDocument& chart) {
  for (const auto& child : chart.Children()) {
    if (auto* doc = dynamic_cast<Tessel::Document*>(child.get())) {
      return doc;
    }
  }
  return nullptr;
}

// Runs SQL on a file directly, the way a damaged or foreign file would come to be.
inline void Patch(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error != nullptr ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

// Turns a saved document into one of format 1, written before records carried checksums: how
// the tests reach the checks that come after them with values patched by hand.
inline const std::string kAsFormatOne =
    "DROP TABLE contents; PRAGMA user_version=1; ALTER TABLE channels DROP COLUMN crc; "
    "ALTER TABLE blocks DROP COLUMN crc; ALTER TABLE samples DROP COLUMN crc; "
    "ALTER TABLE comments DROP COLUMN crc; ALTER TABLE children DROP COLUMN crc; "
    "ALTER TABLE streams DROP COLUMN crc; ";

}  // namespace Testing
