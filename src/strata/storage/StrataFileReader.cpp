#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "strata/storage/SqliteDatabase.h"
#include "strata/storage/StrataFile.h"
#include "tessel/support/MemoryStream.h"

namespace Strata {
namespace {

constexpr char kSqliteMagic[16] = "SQLite format 3";  // with its terminating zero: 16 bytes

// Why a file was refused; the caller puts it into "Cannot open ...".
struct Refusal {
  std::string reason;
};

[[noreturn]] void Refuse(std::string reason) {
  throw Refusal{std::move(reason)};
}

[[noreturn]] void Damaged(const std::string& what) {
  Refuse("it is damaged (" + what + ")");
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// SQLite reads the pages missing from a cut file as zeros, which could pass for samples; the
// size the header records shows the cut before any page is read.
void CheckLength(const std::uint8_t* header, std::uint64_t fileSize) {
  const std::uint32_t rawPageSize = static_cast<std::uint32_t>(header[16]) << 8 | header[17];
  const std::uint64_t pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
  const std::uint32_t pages = BigEndian32(header + 28);
  const bool sizeValid = BigEndian32(header + 92) == BigEndian32(header + 24) && pages > 0;
  if (!sizeValid) {
    Damaged("its header does not record its size");
  }
  if (fileSize < pageSize * pages) {
    Damaged("the file ends after " + std::to_string(fileSize) + " of its " +
            std::to_string(pageSize * pages) + " bytes");
  }
}

void CheckFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    if (errno == ENOENT) {
      Refuse("the file does not exist");
    }
    Refuse(std::string("the file cannot be read (") + std::strerror(errno) + ")");
  }
  struct stat st {};
  std::uint8_t header[100] = {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const ssize_t n = regular ? ::read(fd, header, sizeof header) : 0;
  ::close(fd);
  if (!regular) {
    Refuse("it is not a file");
  }
  if (n < static_cast<ssize_t>(sizeof kSqliteMagic) ||
      std::memcmp(header, kSqliteMagic, sizeof kSqliteMagic) != 0) {
    Refuse("it is not a Strata document");
  }
  if (n != static_cast<ssize_t>(sizeof header)) {
    Damaged("the file ends inside its header");
  }
  CheckLength(header, static_cast<std::uint64_t>(st.st_size));
}

void CheckFormat(SqliteDatabase& db) {
  std::int64_t id = 0;
  std::int64_t version = 0;
  if (!db.QueryInt("PRAGMA application_id", &id) || !db.QueryInt("PRAGMA user_version", &version)) {
    Damaged(db.Error());
  }
  if (id != kStrataApplicationId) {
    Refuse("it is not a Strata document");
  }
  if (version > kStrataFormatVersion) {
    Refuse("it was written in format " + std::to_string(version) +
           " by a newer version of Strata; this version reads formats up to " +
           std::to_string(kStrataFormatVersion));
  }
  if (version < 1) {
    Refuse("it has no valid format version (" + std::to_string(version) + ")");
  }
}

// Runs to the end of a statement's rows, refusing the file when SQLite could not read them.
void Finish(SqliteDatabase& db, const SqliteDatabase::Statement& s) {
  if (s.Failed()) {
    Damaged(db.Error());
  }
}

std::uint32_t Word(std::int64_t v, const char* what) {
  if (v < 0 || v > std::numeric_limits<std::uint32_t>::max()) {
    Damaged(std::string("a ") + what + " is out of range");
  }
  return static_cast<std::uint32_t>(v);
}

void ReadChannels(SqliteDatabase& db, Recording& rec) {
  SqliteDatabase::Statement s(db, "SELECT id, title FROM channels ORDER BY id");
  while (s.Step()) {
    if (s.Int(0) != rec.ChannelCount() || !s.IsText(1)) {
      Damaged("the channel list is not complete");
    }
    rec.AddChannel(s.Text(1));
  }
  Finish(db, s);
}

std::vector<std::int64_t> ReadBlocks(SqliteDatabase& db, Recording& rec) {
  std::vector<std::int64_t> ticks;
  SqliteDatabase::Statement s(db, "SELECT id, interval, start_time, ticks FROM blocks ORDER BY id");
  while (s.Step()) {
    if (s.Int(0) != rec.BlockCount() || !s.IsReal(1) || !s.IsReal(2) || !s.IsInt(3)) {
      Damaged("the block list is not complete");
    }
    rec.AddBlock(s.Real(1), 0, s.Real(2));
    ticks.push_back(Word(s.Int(3), "block length"));
  }
  Finish(db, s);
  return ticks;
}

void ReadSamples(SqliteDatabase& db, Recording& rec, const std::vector<std::int64_t>& ticks) {
  SqliteDatabase::Statement s(
      db, "SELECT block, channel, units, data FROM samples ORDER BY block, channel");
  const auto channels = static_cast<std::int64_t>(rec.ChannelCount());
  std::int64_t next = 0;  // block * channels + channel of the row expected next
  while (s.Step()) {
    const std::int64_t b = s.Int(0);
    const std::int64_t c = s.Int(1);
    if (channels == 0 || b != next / channels || c != next % channels || b >= rec.BlockCount() ||
        !s.IsText(2) || !s.IsBlob(3)) {
      Damaged("the samples are not one series per block and channel");
    }
    const std::vector<std::uint8_t> bytes = s.Blob(3);
    const auto expected = static_cast<std::uint64_t>(ticks[static_cast<size_t>(b)]) * sizeof(float);
    if (bytes.size() != expected) {
      Damaged("block " + std::to_string(b + 1) + " of channel " + std::to_string(c + 1) +
              " holds " + std::to_string(bytes.size()) + " bytes of samples where " +
              std::to_string(expected) + " are expected");
    }
    Block& block = rec.BlockAt(static_cast<std::int32_t>(b));
    auto& samples = block.samples[static_cast<size_t>(c)];
    samples.resize(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), bytes.size());
    block.units[static_cast<size_t>(c)] = s.Text(2);
    ++next;
  }
  Finish(db, s);
  if (next != channels * rec.BlockCount()) {
    Damaged("the samples of some blocks are missing");
  }
}

void ReadComments(SqliteDatabase& db, Recording& rec) {
  SqliteDatabase::Statement s(db, "SELECT channel, block, tick, text FROM comments ORDER BY id");
  while (s.Step()) {
    if (!s.IsInt(0) || !s.IsText(3) || s.Int(0) < -1 || s.Int(0) >= rec.ChannelCount()) {
      Damaged("a comment is not valid");
    }
    const TickPosition at(Word(s.Int(1), "comment position"), Word(s.Int(2), "comment position"));
    rec.AddComment(static_cast<std::int32_t>(s.Int(0)), at, s.Text(3));
  }
  Finish(db, s);
}

void ReadChildren(SqliteDatabase& db, std::vector<StoredChild>& children) {
  SqliteDatabase::Statement c(db, "SELECT id, class FROM children ORDER BY id");
  while (c.Step()) {
    if (c.Int(0) != static_cast<std::int64_t>(children.size()) || !c.IsText(1)) {
      Damaged("the list of extension documents is not complete");
    }
    children.push_back(StoredChild{c.Text(1), {}});
  }
  Finish(db, c);
  SqliteDatabase::Statement s(
      db, "SELECT child, stream_index, kind, data FROM streams ORDER BY child, stream_index, kind");
  while (s.Step()) {
    const std::int64_t child = s.Int(0);
    if (child < 0 || child >= static_cast<std::int64_t>(children.size()) || !s.IsBlob(3)) {
      Damaged("a stream belongs to no extension document");
    }
    const auto index = static_cast<std::int32_t>(Word(s.Int(1), "stream index"));
    const auto kind = static_cast<std::int32_t>(Word(s.Int(2), "stream kind"));
    children[static_cast<size_t>(child)].streams.push_back({index, kind, s.Blob(3)});
  }
  Finish(db, s);
}

void ReadAll(const std::string& path, StrataFileContents* out) {
  CheckFile(path);
  SqliteDatabase db;
  if (!db.OpenReadOnly(path)) {
    Damaged(db.Error());
  }
  CheckFormat(db);
  StrataFileContents contents;
  ReadChannels(db, contents.recording);
  const std::vector<std::int64_t> ticks = ReadBlocks(db, contents.recording);
  ReadSamples(db, contents.recording, ticks);
  ReadComments(db, contents.recording);
  if (const std::string fault = contents.recording.Validate(); !fault.empty()) {
    Damaged(fault);
  }
  ReadChildren(db, contents.children);
  *out = std::move(contents);
}

// Creates, loads and initialises one extension document; "" or the reason it failed.
std::string OpenChild(ChartDocument& chart, const StoredChild& stored,
                      const std::vector<ChildDocumentClass>& classes) {
  const ChildDocumentClass* cls = nullptr;
  for (const auto& c : classes) {
    if (c.name == stored.className) {
      cls = &c;
    }
  }
  if (cls == nullptr || !cls->create) {
    return "it holds a \"" + stored.className + "\" document that this program cannot open";
  }
  Ref<Tessel::IChildDocument> child = cls->create(chart);
  if (!child) {
    return "its \"" + stored.className + "\" document could not be created";
  }
  for (const StoredStream& s : stored.streams) {
    Tessel::IPersistStream* p = nullptr;
    const bool has = child->GetPersistObject(s.index, s.kind, &p) == Tessel::kOk && p != nullptr;
    Ref<Tessel::IPersistStream> object = Tessel::Adopt(p);
    auto stream = Tessel::MakeRef<Kor::MemoryStream>(s.bytes);
    if (!has || Tessel::Failed(object->Load(stream.get()))) {
      const std::string fault = has ? object->LoadFault() : "";
      child->Close();
      return "the state of its \"" + stored.className + "\" cannot be read (stream " +
             std::to_string(s.index) + (fault.empty() ? "" : ": " + fault) + ")";
    }
  }
  if (Tessel::Failed(chart.AttachChild(child))) {
    return "its \"" + stored.className + "\" document could not be initialised";
  }
  return {};
}

}  // namespace

std::string StrataFile::Read(const std::string& path, StrataFileContents* contents) {
  try {
    ReadAll(path, contents);
  } catch (const Refusal& r) {
    return OpenError(path, r.reason);
  } catch (const std::bad_alloc&) {
    return OpenError(path, "there is not enough memory to hold its recording");
  }
  return {};
}

StrataFile::Opened StrataFile::Open(const std::string& path, Ref<Host> host,
                                    const std::vector<ChildDocumentClass>& classes) {
  StrataFileContents contents;
  if (std::string error = Read(path, &contents); !error.empty()) {
    return {nullptr, error};
  }
  auto chart = Tessel::MakeRef<ChartDocument>(std::move(host), std::move(contents.recording));
  for (const StoredChild& stored : contents.children) {
    if (std::string reason = OpenChild(*chart, stored, classes); !reason.empty()) {
      chart->Close();
      return {nullptr, OpenError(path, reason)};
    }
  }
  return {chart, {}};
}

}  // namespace Strata
