#include "strata/storage/SqliteDatabase.h"

#include <sqlite3.h>

namespace Strata {

SqliteDatabase::~SqliteDatabase() {
  Close();
}

bool SqliteDatabase::Open(const std::string& path, int flags) {
  Close();
  const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    error_ = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    return false;
  }
  sqlite3_extended_result_codes(db_, 1);
  return true;
}

bool SqliteDatabase::OpenReadOnly(const std::string& path) {
  return Open(path, SQLITE_OPEN_READONLY);
}

bool SqliteDatabase::OpenForWriting(const std::string& path) {
  return Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

bool SqliteDatabase::Close() {
  if (db_ == nullptr) {
    return true;
  }
  const int rc = sqlite3_close(db_);
  db_ = nullptr;
  if (rc != SQLITE_OK) {
    error_ = sqlite3_errstr(rc);
    return false;
  }
  return true;
}

void SqliteDatabase::NoteFailure(int code) {
  error_ = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
  diskFull_ = (code & 0xFF) == SQLITE_FULL;
}

bool SqliteDatabase::Exec(const char* sql) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    NoteFailure(rc);
    return false;
  }
  return true;
}

bool SqliteDatabase::QueryInt(const char* sql, std::int64_t* value) {
  Statement s(*this, sql);
  if (!s.Step() || !s.IsInt(0)) {
    if (!s.Failed()) {
      error_ = "no value";
    }
    return false;
  }
  *value = s.Int(0);
  return true;
}

SqliteDatabase::Statement::Statement(SqliteDatabase& db, const char* sql) : db_(db) {
  const int rc = sqlite3_prepare_v2(db.db_, sql, -1, &stmt_, nullptr);
  if (rc != SQLITE_OK) {
    db_.NoteFailure(rc);
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    failed_ = true;
  }
}

SqliteDatabase::Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

SqliteDatabase::Statement& SqliteDatabase::Statement::Bind(int index, std::int64_t value) {
  if (stmt_ != nullptr) {
    sqlite3_bind_int64(stmt_, index, value);
  }
  return *this;
}

SqliteDatabase::Statement& SqliteDatabase::Statement::Bind(int index, double value) {
  if (stmt_ != nullptr) {
    sqlite3_bind_double(stmt_, index, value);
  }
  return *this;
}

SqliteDatabase::Statement& SqliteDatabase::Statement::Bind(int index, std::string_view text) {
  if (stmt_ != nullptr) {
    sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  }
  return *this;
}

SqliteDatabase::Statement& SqliteDatabase::Statement::BindBlob(int index, const void* data,
                                                               size_t size) {
  if (stmt_ != nullptr) {
    // A zero-length blob still has to be a blob, not NULL.
    static const char kEmpty = 0;
    sqlite3_bind_blob64(stmt_, index, size > 0 ? data : &kEmpty, size, SQLITE_TRANSIENT);
  }
  return *this;
}

bool SqliteDatabase::Statement::Run() {
  if (stmt_ == nullptr) {
    return false;
  }
  const int rc = sqlite3_step(stmt_);
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  if (rc != SQLITE_DONE) {
    db_.NoteFailure(rc);
    failed_ = true;
    return false;
  }
  return true;
}

bool SqliteDatabase::Statement::Step() {
  if (stmt_ == nullptr || failed_) {
    return false;
  }
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) {
    return true;
  }
  if (rc != SQLITE_DONE) {
    db_.NoteFailure(rc);
    failed_ = true;
  }
  return false;
}

std::int64_t SqliteDatabase::Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

double SqliteDatabase::Statement::Real(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string SqliteDatabase::Statement::Text(int column) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  const int n = sqlite3_column_bytes(stmt_, column);
  return p != nullptr ? std::string(p, static_cast<size_t>(n)) : std::string();
}

std::vector<std::uint8_t> SqliteDatabase::Statement::Blob(int column) const {
  const auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
  const int n = sqlite3_column_bytes(stmt_, column);
  return p != nullptr ? std::vector<std::uint8_t>(p, p + n) : std::vector<std::uint8_t>();
}

bool SqliteDatabase::Statement::IsInt(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_INTEGER;
}

bool SqliteDatabase::Statement::IsReal(int column) const {
  const int type = sqlite3_column_type(stmt_, column);
  return type == SQLITE_FLOAT || type == SQLITE_INTEGER;
}

bool SqliteDatabase::Statement::IsText(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_TEXT;
}

bool SqliteDatabase::Statement::IsBlob(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_BLOB;
}

}  // namespace Strata
