#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "strata/storage/RowChecksum.h"
#include "strata/storage/SqliteDatabase.h"
#include "strata/storage/StrataFile.h"
#include "tessel/support/MemoryStream.h"

namespace Strata {
namespace {

static_assert(std::endian::native == std::endian::little,
              "samples are stored as little-endian floats, copied as they lie in memory");

// Extensions number their streams from 0; the host asks until one has no stream.
constexpr std::int32_t kMaxStreamsPerChild = 16;

// Every record carries the checksum of its values (RowChecksum, in the order of the columns);
// "contents" holds the number of records of each table, so that a lost record shows too.
constexpr const char* kSchema = R"(
  CREATE TABLE channels(id INTEGER PRIMARY KEY, title TEXT NOT NULL, crc INTEGER NOT NULL);
  CREATE TABLE blocks(id INTEGER PRIMARY KEY, interval REAL NOT NULL, start_time REAL NOT NULL,
                      ticks INTEGER NOT NULL, crc INTEGER NOT NULL);
  CREATE TABLE samples(block INTEGER NOT NULL, channel INTEGER NOT NULL, units TEXT NOT NULL,
                       data BLOB NOT NULL, crc INTEGER NOT NULL, PRIMARY KEY(block, channel));
  CREATE TABLE comments(id INTEGER PRIMARY KEY, channel INTEGER NOT NULL, block INTEGER NOT NULL,
                        tick INTEGER NOT NULL, text TEXT NOT NULL, crc INTEGER NOT NULL);
  CREATE TABLE children(id INTEGER PRIMARY KEY, class TEXT NOT NULL, crc INTEGER NOT NULL);
  CREATE TABLE streams(child INTEGER NOT NULL, stream_index INTEGER NOT NULL,
                       kind INTEGER NOT NULL, data BLOB NOT NULL, crc INTEGER NOT NULL,
                       PRIMARY KEY(child, stream_index, kind));
  CREATE TABLE contents(name TEXT PRIMARY KEY, records INTEGER NOT NULL, crc INTEGER NOT NULL);
)";

std::string ErrnoText() {
  return std::strerror(errno);
}

const ChildDocumentClass* ClassOf(Tessel::IChildDocument* child,
                                  const std::vector<ChildDocumentClass>& classes) {
  for (const auto& c : classes) {
    if (c.isInstance && c.isInstance(child)) {
      return &c;
    }
  }
  return nullptr;
}

// Each child's streams, written into memory before the file is touched.
std::string CollectChildren(ChartDocument& chart, const std::vector<ChildDocumentClass>& classes,
                            std::vector<StoredChild>* out,
                            std::vector<Ref<Tessel::IPersistStream>>* persist) {
  for (const auto& child : chart.Children()) {
    const ChildDocumentClass* cls = ClassOf(child.get(), classes);
    if (cls == nullptr) {
      return "it holds an extension document of a class that cannot be saved";
    }
    StoredChild stored{cls->name, {}};
    for (std::int32_t index = 0; index < kMaxStreamsPerChild; ++index) {
      Tessel::IPersistStream* p = nullptr;
      if (child->GetPersistObject(index, Tessel::kStreamKindState, &p) != Tessel::kOk ||
          p == nullptr) {
        break;
      }
      Ref<Tessel::IPersistStream> object = Tessel::Adopt(p);
      auto stream = Tessel::MakeRef<Kor::MemoryStream>();
      if (object->Save(stream.get(), false) != Tessel::kOk) {
        return "the state of its \"" + cls->name + "\" could not be written";
      }
      stored.streams.push_back({index, Tessel::kStreamKindState, stream->Bytes()});
      persist->push_back(object);
    }
    out->push_back(std::move(stored));
  }
  return {};
}

// The number of records written to each table, for the "contents" table.
struct RecordCounts {
  std::int64_t channels = 0;
  std::int64_t blocks = 0;
  std::int64_t samples = 0;
  std::int64_t comments = 0;
  std::int64_t children = 0;
  std::int64_t streams = 0;
};

bool WriteRecording(SqliteDatabase& db, const Recording& rec, RecordCounts& counts) {
  SqliteDatabase::Statement channel(db, "INSERT INTO channels VALUES(?, ?, ?)");
  for (std::int32_t c = 0; c < rec.ChannelCount(); ++c) {
    const std::string& title = rec.ChannelAt(c).title;
    const std::int64_t crc = RowChecksum().Add(std::int64_t{c}).Add(title).Value();
    if (!channel.Bind(1, std::int64_t{c}).Bind(2, title).Bind(3, crc).Run()) {
      return false;
    }
    ++counts.channels;
  }
  SqliteDatabase::Statement block(db, "INSERT INTO blocks VALUES(?, ?, ?, ?, ?)");
  SqliteDatabase::Statement samples(db, "INSERT INTO samples VALUES(?, ?, ?, ?, ?)");
  for (std::int32_t b = 0; b < rec.BlockCount(); ++b) {
    const Block& blk = rec.BlockAt(b);
    const std::int64_t ticks = blk.Ticks();
    const std::int64_t crc =
        RowChecksum().Add(std::int64_t{b}).Add(blk.interval).Add(blk.startTime).Add(ticks).Value();
    if (!block.Bind(1, std::int64_t{b})
             .Bind(2, blk.interval)
             .Bind(3, blk.startTime)
             .Bind(4, ticks)
             .Bind(5, crc)
             .Run()) {
      return false;
    }
    ++counts.blocks;
    for (size_t c = 0; c < blk.samples.size(); ++c) {
      const auto& s = blk.samples[c];
      const std::string units = c < blk.units.size() ? blk.units[c] : std::string();
      const std::int64_t sum = RowChecksum()
                                   .Add(std::int64_t{b})
                                   .Add(static_cast<std::int64_t>(c))
                                   .Add(units)
                                   .Add(s.data(), s.size() * sizeof(float))
                                   .Value();
      if (!samples.Bind(1, std::int64_t{b})
               .Bind(2, static_cast<std::int64_t>(c))
               .Bind(3, units)
               .BindBlob(4, s.data(), s.size() * sizeof(float))
               .Bind(5, sum)
               .Run()) {
        return false;
      }
      ++counts.samples;
    }
  }
  SqliteDatabase::Statement comment(db, "INSERT INTO comments VALUES(?, ?, ?, ?, ?, ?)");
  for (const Comment& c : rec.Comments()) {
    const std::int64_t order = counts.comments;
    const std::int64_t crc = RowChecksum()
                                 .Add(order)
                                 .Add(std::int64_t{c.channel})
                                 .Add(std::int64_t{c.position.Block()})
                                 .Add(std::int64_t{c.position.Tick()})
                                 .Add(c.text)
                                 .Value();
    if (!comment.Bind(1, order)
             .Bind(2, std::int64_t{c.channel})
             .Bind(3, std::int64_t{c.position.Block()})
             .Bind(4, std::int64_t{c.position.Tick()})
             .Bind(5, c.text)
             .Bind(6, crc)
             .Run()) {
      return false;
    }
    ++counts.comments;
  }
  return true;
}

bool WriteChildren(SqliteDatabase& db, const std::vector<StoredChild>& children,
                   RecordCounts& counts) {
  SqliteDatabase::Statement child(db, "INSERT INTO children VALUES(?, ?, ?)");
  SqliteDatabase::Statement stream(db, "INSERT INTO streams VALUES(?, ?, ?, ?, ?)");
  for (size_t i = 0; i < children.size(); ++i) {
    const auto id = static_cast<std::int64_t>(i);
    const std::int64_t crc = RowChecksum().Add(id).Add(children[i].className).Value();
    if (!child.Bind(1, id).Bind(2, children[i].className).Bind(3, crc).Run()) {
      return false;
    }
    ++counts.children;
    for (const StoredStream& s : children[i].streams) {
      const std::int64_t sum = RowChecksum()
                                   .Add(id)
                                   .Add(std::int64_t{s.index})
                                   .Add(std::int64_t{s.kind})
                                   .Add(s.bytes.data(), s.bytes.size())
                                   .Value();
      if (!stream.Bind(1, id)
               .Bind(2, std::int64_t{s.index})
               .Bind(3, std::int64_t{s.kind})
               .BindBlob(4, s.bytes.data(), s.bytes.size())
               .Bind(5, sum)
               .Run()) {
        return false;
      }
      ++counts.streams;
    }
  }
  return true;
}

bool WriteContents(SqliteDatabase& db, const RecordCounts& counts) {
  SqliteDatabase::Statement row(db, "INSERT INTO contents VALUES(?, ?, ?)");
  for (const auto& [name, records] : {std::pair{"channels", counts.channels},
                                      {"blocks", counts.blocks},
                                      {"samples", counts.samples},
                                      {"comments", counts.comments},
                                      {"children", counts.children},
                                      {"streams", counts.streams}}) {
    const std::int64_t crc = RowChecksum().Add(std::string_view(name)).Add(records).Value();
    if (!row.Bind(1, std::string_view(name)).Bind(2, records).Bind(3, crc).Run()) {
      return false;
    }
  }
  return true;
}

std::string WriteDatabase(const std::string& temp, const Recording& rec,
                          const std::vector<StoredChild>& children) {
  SqliteDatabase db;
  RecordCounts counts;
  // No journal and no syncing inside SQLite: the file is new and nobody else sees it until it is
  // complete, flushed and renamed into place.
  const std::string pragmas =
      "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
      "PRAGMA application_id=" +
      std::to_string(kStrataApplicationId) +
      "; PRAGMA user_version=" + std::to_string(kStrataFormatVersion) + ";";
  const bool ok = db.OpenForWriting(temp) && db.Exec(pragmas.c_str()) && db.Exec("BEGIN") &&
                  db.Exec(kSchema) && WriteRecording(db, rec, counts) &&
                  WriteChildren(db, children, counts) && WriteContents(db, counts) &&
                  db.Exec("COMMIT");
  if (!ok) {
    return db.DiskFull() ? "the disk is full" : "writing failed (" + db.Error() + ")";
  }
  if (!db.Close()) {
    return "writing failed (" + db.Error() + ")";
  }
  return {};
}

bool SyncFile(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0) {
    return false;
  }
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

// A new, empty file beside the target, with the target's permissions when it exists.
std::string MakeTempFile(const std::filesystem::path& target, std::string* temp) {
  const std::filesystem::path dir =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string pattern = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    return "no file can be created in the folder \"" + dir.string() + "\" (" + ErrnoText() + ")";
  }
  struct stat st {};
  ::fchmod(fd, ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
  ::close(fd);
  *temp = pattern;
  return {};
}

std::string WriteAndReplace(const std::string& path, const Recording& rec,
                            const std::vector<StoredChild>& children) {
  std::string temp;
  if (std::string reason = MakeTempFile(path, &temp); !reason.empty()) {
    return reason;
  }
  std::string reason = WriteDatabase(temp, rec, children);
  if (reason.empty() && !SyncFile(temp, O_RDWR)) {
    reason = "the file could not be flushed to disk (" + ErrnoText() + ")";
  }
  if (reason.empty() && ::rename(temp.c_str(), path.c_str()) != 0) {
    reason = "the old file could not be replaced (" + ErrnoText() + ")";
  }
  if (!reason.empty()) {
    ::unlink(temp.c_str());
    return reason;
  }
  // Makes the rename itself durable. A folder that cannot be synced (some network file systems)
  // still holds the complete new file, so this is not a failure of the save.
  const std::filesystem::path target(path);
  SyncFile(target.has_parent_path() ? target.parent_path().string() : ".", O_RDONLY | O_DIRECTORY);
  return {};
}

}  // namespace

std::string StrataFile::SaveError(const std::string& path, const std::string& reason) {
  return "Cannot save \"" + path + "\": " + reason + ".";
}

std::string StrataFile::OpenError(const std::string& path, const std::string& reason) {
  return "Cannot open \"" + path + "\": " + reason + ".";
}

std::string StrataFile::Save(const std::string& path, ChartDocument& chart,
                             const std::vector<ChildDocumentClass>& classes,
                             std::int32_t saveMode) {
  if (Tessel::Failed(chart.PrepareSave(saveMode, Tessel::kFormatStrata))) {
    return SaveError(path, "the save was cancelled");
  }
  std::vector<StoredChild> children;
  std::vector<Ref<Tessel::IPersistStream>> persist;
  if (std::string reason = CollectChildren(chart, classes, &children, &persist); !reason.empty()) {
    return SaveError(path, reason);
  }
  if (std::string reason = WriteAndReplace(path, chart.Data(), children); !reason.empty()) {
    return SaveError(path, reason);
  }
  // Only a save that reached the disk makes the extensions' state clean.
  for (const auto& object : persist) {
    auto scratch = Tessel::MakeRef<Kor::MemoryStream>();
    object->Save(scratch.get(), true);
  }
  return {};
}

}  // namespace Strata
