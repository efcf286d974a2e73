#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "strata/storage/SqliteDatabase.h"
#include "strata/storage/StrataFile.h"
#include "tessel/support/MemoryStream.h"

namespace Strata {
namespace {

static_assert(std::endian::native == std::endian::little,
              "samples are stored as little-endian floats, copied as they lie in memory");

// Extensions number their streams from 0; the host asks until one has no stream.
constexpr std::int32_t kMaxStreamsPerChild = 16;

constexpr const char* kSchema = R"(
  CREATE TABLE channels(id INTEGER PRIMARY KEY, title TEXT NOT NULL);
  CREATE TABLE blocks(id INTEGER PRIMARY KEY, interval REAL NOT NULL, start_time REAL NOT NULL,
                      ticks INTEGER NOT NULL);
  CREATE TABLE samples(block INTEGER NOT NULL, channel INTEGER NOT NULL, units TEXT NOT NULL,
                       data BLOB NOT NULL, PRIMARY KEY(block, channel));
  CREATE TABLE comments(id INTEGER PRIMARY KEY, channel INTEGER NOT NULL, block INTEGER NOT NULL,
                        tick INTEGER NOT NULL, text TEXT NOT NULL);
  CREATE TABLE children(id INTEGER PRIMARY KEY, class TEXT NOT NULL);
  CREATE TABLE streams(child INTEGER NOT NULL, stream_index INTEGER NOT NULL,
                       kind INTEGER NOT NULL, data BLOB NOT NULL,
                       PRIMARY KEY(child, stream_index, kind));
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

bool WriteRecording(SqliteDatabase& db, const Recording& rec) {
  SqliteDatabase::Statement channel(db, "INSERT INTO channels VALUES(?, ?)");
  for (std::int32_t c = 0; c < rec.ChannelCount(); ++c) {
    if (!channel.Bind(1, std::int64_t{c}).Bind(2, rec.ChannelAt(c).title).Run()) {
      return false;
    }
  }
  SqliteDatabase::Statement block(db, "INSERT INTO blocks VALUES(?, ?, ?, ?)");
  SqliteDatabase::Statement samples(db, "INSERT INTO samples VALUES(?, ?, ?, ?)");
  for (std::int32_t b = 0; b < rec.BlockCount(); ++b) {
    const Block& blk = rec.BlockAt(b);
    if (!block.Bind(1, std::int64_t{b})
             .Bind(2, blk.interval)
             .Bind(3, blk.startTime)
             .Bind(4, std::int64_t{blk.Ticks()})
             .Run()) {
      return false;
    }
    for (size_t c = 0; c < blk.samples.size(); ++c) {
      const auto& s = blk.samples[c];
      if (!samples.Bind(1, std::int64_t{b})
               .Bind(2, static_cast<std::int64_t>(c))
               .Bind(3, c < blk.units.size() ? blk.units[c] : std::string())
               .BindBlob(4, s.data(), s.size() * sizeof(float))
               .Run()) {
        return false;
      }
    }
  }
  SqliteDatabase::Statement comment(db, "INSERT INTO comments VALUES(?, ?, ?, ?, ?)");
  std::int64_t order = 0;
  for (const Comment& c : rec.Comments()) {
    if (!comment.Bind(1, order++)
             .Bind(2, std::int64_t{c.channel})
             .Bind(3, std::int64_t{c.position.Block()})
             .Bind(4, std::int64_t{c.position.Tick()})
             .Bind(5, c.text)
             .Run()) {
      return false;
    }
  }
  return true;
}

bool WriteChildren(SqliteDatabase& db, const std::vector<StoredChild>& children) {
  SqliteDatabase::Statement child(db, "INSERT INTO children VALUES(?, ?)");
  SqliteDatabase::Statement stream(db, "INSERT INTO streams VALUES(?, ?, ?, ?)");
  for (size_t i = 0; i < children.size(); ++i) {
    if (!child.Bind(1, static_cast<std::int64_t>(i)).Bind(2, children[i].className).Run()) {
      return false;
    }
    for (const StoredStream& s : children[i].streams) {
      if (!stream.Bind(1, static_cast<std::int64_t>(i))
               .Bind(2, std::int64_t{s.index})
               .Bind(3, std::int64_t{s.kind})
               .BindBlob(4, s.bytes.data(), s.bytes.size())
               .Run()) {
        return false;
      }
    }
  }
  return true;
}

std::string WriteDatabase(const std::string& temp, const Recording& rec,
                          const std::vector<StoredChild>& children) {
  SqliteDatabase db;
  // No journal and no syncing inside SQLite: the file is new and nobody else sees it until it is
  // complete, flushed and renamed into place.
  const std::string pragmas =
      "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
      "PRAGMA application_id=" +
      std::to_string(kStrataApplicationId) +
      "; PRAGMA user_version=" + std::to_string(kStrataFormatVersion) + ";";
  const bool ok = db.OpenForWriting(temp) && db.Exec(pragmas.c_str()) && db.Exec("BEGIN") &&
                  db.Exec(kSchema) && WriteRecording(db, rec) && WriteChildren(db, children) &&
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
