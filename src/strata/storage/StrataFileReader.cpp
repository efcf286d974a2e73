#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "strata/storage/RowChecksum.h"
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

// Runs to the end of a statement's rows, refusing the file when SQLite could not read them.
void Finish(SqliteDatabase& db, const SqliteDatabase::Statement& s) {
  if (s.Failed()) {
    Damaged(db.Error());
  }
}

// The format version; refuses one this program cannot read.
std::int64_t CheckFormat(SqliteDatabase& db) {
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
  return version;
}

// How the reader checks each record against the checksum stored with it (from format 2 on) and
// each table against the number of records it had when it was written.
class Checks {
 public:
  explicit Checks(bool on) : on_(on) {}
  bool On() const { return on_; }
  // The columns to select after a table's own: its checksum, when the format has one.
  const char* Column() const { return on_ ? ", crc" : ""; }

  // Refuses the file when the record's values do not give its stored checksum.
  void Verify(const SqliteDatabase::Statement& s, int column, const RowChecksum& sum,
              const std::string& what) const {
    if (on_ && (!s.IsInt(column) || s.Int(column) != sum.Value())) {
      Damaged(what + " do not match their checksum");
    }
  }

  void ReadContents(SqliteDatabase& db) {
    if (!on_) {
      return;
    }
    SqliteDatabase::Statement s(db, "SELECT name, records, crc FROM contents ORDER BY name");
    while (s.Step()) {
      if (!s.IsText(0) || !s.IsInt(1)) {
        Damaged("the record of its contents is not valid");
      }
      const std::string name = s.Text(0);
      Verify(s, 2, RowChecksum().Add(name).Add(s.Int(1)), "the record of its contents");
      records_.emplace_back(name, s.Int(1));
    }
    Finish(db, s);
  }

  // Refuses the file when a table holds fewer or more records than were written.
  void Count(const std::string& table, std::int64_t read, const std::string& what) const {
    if (!on_) {
      return;
    }
    for (const auto& [name, records] : records_) {
      if (name == table) {
        if (records != read) {
          Damaged(what + ": " + std::to_string(read) + " of " + std::to_string(records) +
                  " records can be read");
        }
        return;
      }
    }
    Damaged("the record of its contents does not list the " + table);
  }

 private:
  bool on_;
  std::vector<std::pair<std::string, std::int64_t>> records_;
};

std::uint32_t Word(std::int64_t v, const char* what) {
  if (v < 0 || v > std::numeric_limits<std::uint32_t>::max()) {
    Damaged(std::string("a ") + what + " is out of range");
  }
  return static_cast<std::uint32_t>(v);
}

void ReadChannels(SqliteDatabase& db, Recording& rec, const Checks& checks) {
  SqliteDatabase::Statement s(
      db,
      (std::string("SELECT id, title") + checks.Column() + " FROM channels ORDER BY id").c_str());
  while (s.Step()) {
    if (s.Int(0) != rec.ChannelCount() || !s.IsText(1)) {
      Damaged("the channel list is not complete");
    }
    const std::string title = s.Text(1);
    checks.Verify(s, 2, RowChecksum().Add(s.Int(0)).Add(title),
                  "the title and number of channel " + std::to_string(s.Int(0) + 1));
    rec.AddChannel(title);
  }
  Finish(db, s);
  checks.Count("channels", rec.ChannelCount(), "the channel list");
}

std::vector<std::int64_t> ReadBlocks(SqliteDatabase& db, Recording& rec, const Checks& checks) {
  std::vector<std::int64_t> ticks;
  SqliteDatabase::Statement s(db, (std::string("SELECT id, interval, start_time, ticks") +
                                   checks.Column() + " FROM blocks ORDER BY id")
                                      .c_str());
  while (s.Step()) {
    if (s.Int(0) != rec.BlockCount() || !s.IsReal(1) || !s.IsReal(2) || !s.IsInt(3)) {
      Damaged("the block list is not complete");
    }
    checks.Verify(s, 4, RowChecksum().Add(s.Int(0)).Add(s.Real(1)).Add(s.Real(2)).Add(s.Int(3)),
                  "the timing and length of block " + std::to_string(s.Int(0) + 1));
    rec.AddBlock(s.Real(1), 0, s.Real(2));
    ticks.push_back(Word(s.Int(3), "block length"));
  }
  Finish(db, s);
  checks.Count("blocks", rec.BlockCount(), "the block list");
  return ticks;
}

void ReadSamples(SqliteDatabase& db, Recording& rec, const std::vector<std::int64_t>& ticks,
                 const Checks& checks) {
  SqliteDatabase::Statement s(db, (std::string("SELECT block, channel, units, data") +
                                   checks.Column() + " FROM samples ORDER BY block, channel")
                                      .c_str());
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
    const std::string units = s.Text(2);
    checks.Verify(s, 4, RowChecksum().Add(b).Add(c).Add(units).Add(bytes.data(), bytes.size()),
                  "the samples and units of block " + std::to_string(b + 1) + " of channel " +
                      std::to_string(c + 1) + " (\"" +
                      rec.ChannelAt(static_cast<std::int32_t>(c)).title + "\")");
    Block& block = rec.BlockAt(static_cast<std::int32_t>(b));
    auto& samples = block.samples[static_cast<size_t>(c)];
    samples.resize(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), bytes.size());
    block.units[static_cast<size_t>(c)] = units;
    ++next;
  }
  Finish(db, s);
  if (next != channels * rec.BlockCount()) {
    Damaged("the samples of some blocks are missing");
  }
  checks.Count("samples", next, "the samples");
}

void ReadComments(SqliteDatabase& db, Recording& rec, const Checks& checks) {
  SqliteDatabase::Statement s(db, (std::string("SELECT channel, block, tick, text, id") +
                                   checks.Column() + " FROM comments ORDER BY id")
                                      .c_str());
  std::int64_t read = 0;
  while (s.Step()) {
    if (!s.IsInt(0) || !s.IsText(3) || s.Int(0) < -1 || s.Int(0) >= rec.ChannelCount()) {
      Damaged("a comment is not valid");
    }
    const std::string text = s.Text(3);
    checks.Verify(s, 5,
                  RowChecksum().Add(s.Int(4)).Add(s.Int(0)).Add(s.Int(1)).Add(s.Int(2)).Add(text),
                  "the text and place of comment " + std::to_string(read + 1));
    const TickPosition at(Word(s.Int(1), "comment position"), Word(s.Int(2), "comment position"));
    rec.AddComment(static_cast<std::int32_t>(s.Int(0)), at, text);
    ++read;
  }
  Finish(db, s);
  checks.Count("comments", read, "the comments");
}

void ReadChildren(SqliteDatabase& db, std::vector<StoredChild>& children, const Checks& checks) {
  SqliteDatabase::Statement c(
      db,
      (std::string("SELECT id, class") + checks.Column() + " FROM children ORDER BY id").c_str());
  while (c.Step()) {
    if (c.Int(0) != static_cast<std::int64_t>(children.size()) || !c.IsText(1)) {
      Damaged("the list of extension documents is not complete");
    }
    const std::string name = c.Text(1);
    checks.Verify(
        c, 2, RowChecksum().Add(c.Int(0)).Add(name),
        "the class and number of extension document " + std::to_string(children.size() + 1));
    children.push_back(StoredChild{name, {}});
  }
  Finish(db, c);
  checks.Count("children", static_cast<std::int64_t>(children.size()),
               "the list of extension documents");
  SqliteDatabase::Statement s(
      db, (std::string("SELECT child, stream_index, kind, data") + checks.Column() +
           " FROM streams ORDER BY child, stream_index, kind")
              .c_str());
  std::int64_t read = 0;
  while (s.Step()) {
    const std::int64_t child = s.Int(0);
    if (child < 0 || child >= static_cast<std::int64_t>(children.size()) || !s.IsBlob(3)) {
      Damaged("a stream belongs to no extension document");
    }
    const auto index = static_cast<std::int32_t>(Word(s.Int(1), "stream index"));
    const auto kind = static_cast<std::int32_t>(Word(s.Int(2), "stream kind"));
    std::vector<std::uint8_t> bytes = s.Blob(3);
    StoredChild& owner = children[static_cast<size_t>(child)];
    checks.Verify(
        s, 4, RowChecksum().Add(child).Add(s.Int(1)).Add(s.Int(2)).Add(bytes.data(), bytes.size()),
        "the state of its \"" + owner.className + "\" (stream " + std::to_string(index) + ")");
    owner.streams.push_back({index, kind, std::move(bytes)});
    ++read;
  }
  Finish(db, s);
  checks.Count("streams", read, "the extension documents' states");
}

void ReadAll(const std::string& path, StrataFileContents* out) {
  CheckFile(path);
  SqliteDatabase db;
  if (!db.OpenReadOnly(path)) {
    Damaged(db.Error());
  }
  Checks checks(CheckFormat(db) >= kFirstCheckedFormat);
  checks.ReadContents(db);
  StrataFileContents contents;
  ReadChannels(db, contents.recording, checks);
  const std::vector<std::int64_t> ticks = ReadBlocks(db, contents.recording, checks);
  ReadSamples(db, contents.recording, ticks, checks);
  ReadComments(db, contents.recording, checks);
  if (const std::string fault = contents.recording.Validate(); !fault.empty()) {
    Damaged(fault);
  }
  ReadChildren(db, contents.children, checks);
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
