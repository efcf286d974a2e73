#include <gtest/gtest.h>

#include <sstream>

#include "StreamBytes.h"
#include "support/TestData.h"
#include "tessel/host/Status.h"
#include "tessel/support/BinaryReader.h"
#include "tessel/support/BinaryWriter.h"
#include "tessel/support/MemoryStream.h"

namespace Tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Testing::StreamBytes;

template <class Write>
Bytes Written(Write write) {
  auto stream = MakeRef<Kor::MemoryStream>();
  Kor::BinaryWriter out(stream.get());
  write(out);
  EXPECT_FALSE(out.Failed());
  return stream->Bytes();
}

// The framework error code a read throws, 0 when it throws nothing.
template <class Read>
std::uint32_t ErrorOf(Read read) {
  try {
    read();
  } catch (const FrameworkError& e) {
    return e.Code();
  }
  return 0;
}

// Integers, flags, doubles, positions and ASCII strings are pinned by the default document's
// bytes; text outside ASCII is pinned here. A string is a tag, the length in UTF-16 units and its
// negation, then the units: "é" is one unit, "𝄞" (outside the basic plane) two.
TEST(BinaryWriterTest, StringsAreWrittenAsUtf16Units) {
  EXPECT_EQ(Written([](auto& o) { o.WriteString("A\xC3\xA9\xF0\x9D\x84\x9E"); }),
            (Bytes{0x01, 0,    0,   0x80, 4,    0, 0,    0,    0xFC, 0xFF,
                   0xFF, 0xFF, 'A', 0,    0xE9, 0, 0x34, 0xD8, 0x1E, 0xDD}));
}

TEST(BinaryWriterTest, AfterAShortWriteNothingMoreIsWritten) {
  auto stream = MakeRef<Kor::MemoryStream>();
  stream->SetCapacity(6);
  Kor::BinaryWriter out(stream.get());
  out.WriteInt32(7);
  out.WriteInt32(8);  // only two of its bytes fit
  EXPECT_TRUE(out.Failed());
  stream->SetCapacity(100);
  out.WriteInt32(9);
  EXPECT_EQ(stream->Bytes(), (Bytes{7, 0, 0, 0, 8, 0}));
}

TEST(BinaryReaderTest, ReadsBackWhatTheWriterWrote) {
  boost::dynamic_bitset<std::uint32_t> set(70);
  set.set(1).set(69);
  auto stream = MakeRef<Kor::MemoryStream>(Written([&](auto& o) {
    o.WriteInt32(-123456);
    o.WriteFlag(false);
    o.WriteDouble(-0.1);
    o.WriteTickPosition(TickPosition(0xFFFFFFFF, 7));
    o.WriteString("Dose \xC2\xB5g/kg \xF0\x9D\x84\x9E");
    o.WriteBitSet(set);
  }));
  Kor::BinaryReader in(stream.get());
  in.SetFormatLevel(20);
  std::int32_t i = 0;
  bool flag = true;
  double d = 0.0;
  TickPosition p;
  std::string s;
  boost::dynamic_bitset<std::uint32_t> readSet;
  EXPECT_TRUE(in.ReadInt32(i) && in.ReadFlag(flag) && in.ReadDouble(d) && in.ReadTickPosition(p) &&
              in.ReadString(s) && in.ReadBitSet(readSet));
  EXPECT_EQ(i, -123456);
  EXPECT_FALSE(flag);
  EXPECT_EQ(d, -0.1);
  EXPECT_EQ(p, TickPosition(0xFFFFFFFF, 7));
  EXPECT_EQ(s, "Dose \xC2\xB5g/kg \xF0\x9D\x84\x9E");
  EXPECT_EQ(readSet, set);
}

TEST(BinaryReaderTest, AfterAShortReadEveryLaterReadIsSkipped) {
  // Six bytes: one int32, then a short one; the two bytes left must not be read as data later.
  auto stream = StreamBytes().Int(-7).Raw({0x22, 0x33}).Stream();
  Kor::BinaryReader in(stream.get());
  bool a = false;  // any non-zero flag is true
  std::int32_t b = -1;
  EXPECT_TRUE(in.ReadFlag(a) && a);
  EXPECT_FALSE(in.ReadInt32(b));
  EXPECT_EQ(b, -1);
  EXPECT_TRUE(in.Failed());
  std::string s = "kept";
  EXPECT_FALSE(in.ReadString(s));
  EXPECT_EQ(s, "kept");
}

TEST(BinaryReaderTest, HeaderGivesTheFormatLevel) {
  struct Case {
    Bytes head;
    int level;
    std::int32_t firstValue;  // the int32 read after the header
  };
  const Case cases[] = {
      {{0xAA, 0xAA, 0x14, 0x55, 8, 0, 0, 0}, 20, 8},
      {{0xAA, 0xAA, 0x05, 0x55, 8, 0, 0, 0}, 5, 8},
      // Not a header: level 1 and the same four bytes are the first value.
      {{0x03, 0, 0, 0, 9, 0, 0, 0}, 1, 3},
      {{0xAA, 0xAB, 0x14, 0x55, 9, 0, 0, 0}, 1, 0x5514ABAA},
  };
  for (const Case& c : cases) {
    auto stream = MakeRef<Kor::MemoryStream>(c.head);
    Kor::BinaryReader in(stream.get());
    EXPECT_EQ(in.ReadHeader(), c.level);
    std::int32_t v = 0;
    EXPECT_TRUE(in.ReadInt32(v));
    EXPECT_EQ(v, c.firstValue);
  }
}

// Old streams count a string in bytes of the Windows-1252 code page (0x80 the euro sign, 0xE9 é,
// 0x81 undefined and kept as U+0081), up to 64000 of them; a tagged string without the top bit
// of its tag is such a string too.
TEST(BinaryReaderTest, AnsiStringsAreWindows1252) {
  const struct {
    int level;
    StreamBytes bytes;
    std::string text;
  } cases[] = {
      {5, StreamBytes().Ansi({'m', 0x80, 0xE9, 0x81}), "m\xE2\x82\xAC\xC3\xA9\xC2\x81"},
      {5, StreamBytes().Ansi({}), ""},
      {20, StreamBytes().Int(1).Int(2).Int(-2).Raw({0xB5, 'g'}), "\xC2\xB5g"},
      {9, StreamBytes().Ansi(std::vector<std::uint8_t>(64000, 'x')), std::string(64000, 'x')},
  };
  for (const auto& c : cases) {
    auto stream = c.bytes.Stream();
    Kor::BinaryReader in(stream.get());
    in.SetFormatLevel(c.level);
    std::string s = "old";
    EXPECT_TRUE(in.ReadString(s));
    EXPECT_EQ(s, c.text);
  }
}

// A malformed string or bit set is a format error; a string cut short, even one announcing 2^31
// characters, is a failed read. Either way the string keeps its old value.
TEST(BinaryReaderTest, MalformedOrShortStringsAndBitSets) {
  for (const Testing::DataRow& c : Testing::DataTable("persist/malformed-strings.txt")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    StreamBytes bytes;
    std::istringstream words(c[4]);
    for (std::string w; words >> w;) {
      if (w[0] == 'x') {
        bytes.Raw({static_cast<std::uint8_t>(std::stoul(w.substr(1), nullptr, 16))});
      } else {
        bytes.Int(std::stoll(w, nullptr, 0));
      }
    }
    auto stream = bytes.Stream();
    Kor::BinaryReader in(stream.get());
    in.SetFormatLevel(c.Int(1));
    std::string s = "old";
    boost::dynamic_bitset<std::uint32_t> set;
    bool read = true;
    const std::uint32_t code =
        ErrorOf([&] { read = c[2] == "bitset" ? in.ReadBitSet(set) : in.ReadString(s); });
    EXPECT_EQ(code, c[3] == "string"    ? kErrStringFormat
                    : c[3] == "version" ? kErrStreamVersion
                                        : 0u);
    if (code == 0) {
      EXPECT_FALSE(read);
      EXPECT_TRUE(in.Failed());
    }
    EXPECT_EQ(s, "old");
  }
}

TEST(BinaryReaderTest, OldBitSetIsTheFirst32BitsOfAnEmptiedSet) {
  auto stream = StreamBytes().Int(0x80000005u).Stream();
  Kor::BinaryReader in(stream.get());
  boost::dynamic_bitset<std::uint32_t> set(64);
  set.set(40);
  EXPECT_TRUE(in.ReadOldBitSet(set));
  ASSERT_EQ(set.size(), 32u);
  EXPECT_EQ(set.count(), 3u);
  EXPECT_TRUE(set.test(0) && set.test(2) && set.test(31));
}

}  // namespace
}  // namespace Tessel
