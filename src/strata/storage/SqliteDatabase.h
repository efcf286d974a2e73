#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace Strata {

// A thin owner of one SQLite connection and its statements. Every call reports failure by its
// result; the message of the last failure is Error().
class SqliteDatabase {
 public:
  SqliteDatabase() = default;
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  bool OpenReadOnly(const std::string& path);
  bool OpenForWriting(const std::string& path);
  // Closes the connection; false when the last writes could not be completed.
  bool Close();

  bool Exec(const char* sql);
  // The single integer a query such as a PRAGMA returns.
  bool QueryInt(const char* sql, std::int64_t* value);

  const std::string& Error() const { return error_; }
  // True when the last failure was a full disk.
  bool DiskFull() const { return diskFull_; }

  // A prepared statement; rows are stepped one by one.
  class Statement {
   public:
    Statement(SqliteDatabase& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return stmt_ != nullptr; }
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, double value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindBlob(int index, const void* data, size_t size);
    // Runs an insert or update and resets the statement for the next one.
    bool Run();
    // The next row; false at the end or on failure (then Failed()).
    bool Step();
    bool Failed() const { return failed_; }

    std::int64_t Int(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;
    std::vector<std::uint8_t> Blob(int column) const;
    // True when the column's value is of the expected storage class.
    bool IsInt(int column) const;
    bool IsReal(int column) const;
    bool IsText(int column) const;
    bool IsBlob(int column) const;

   private:
    SqliteDatabase& db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool failed_ = false;
  };

 private:
  bool Open(const std::string& path, int flags);
  void NoteFailure(int code);

  sqlite3* db_ = nullptr;
  std::string error_;
  bool diskFull_ = false;
};

}  // namespace Strata
