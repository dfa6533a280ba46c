#include "engine/ArchiveDb.h"

#include <gtest/gtest.h>

#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

using test::Bytes;
using test::RawRecord;

std::vector<uint8_t> Payload(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

class ArchiveDbTest : public ::testing::Test {
 protected:
  TArchiveDb Open(const std::vector<uint8_t>& bytes) {
    return TArchiveDb(dir_.Write("a.zbx", bytes), TOpenModes::opReadOnly);
  }
  test::TempDir dir_;
};

// "\xD8\xE0\xF0" is CP1251 for the word Shar, "\xF8\xE0\xF0" the same with a small first letter.
const std::string kCyrillicKey = "\xD8\xE0\xF0";

TEST_F(ArchiveDbTest, ListsAndReadsRecordsByKey) {
  TArchiveDb db = Open(test::BuildArchive({{"particles", 7, Payload("spark template")},
                                           {kCyrillicKey, 1, Payload("ball")},
                                           {"Back.png", 3, Payload(std::string(5000, 'x'))}}));
  ASSERT_TRUE(db.EnsureOpen());
  ASSERT_EQ(db.RecordCount(), 3);
  EXPECT_EQ(db.RecordKey(0), "particles");
  EXPECT_EQ(db.RecordType(0), 7);
  EXPECT_EQ(db.RecordType(1), 1);
  EXPECT_EQ(db.Entry(2)->UnpackedSize, 5000u);
  EXPECT_LT(db.Entry(2)->StoredSize, 100u);

  TMemoryStream stream;
  ASSERT_TRUE(db.ReadRecord("PARTICLES", stream));  // A-Z fold
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "spark template");
  EXPECT_EQ(db.IndexOfKey("back.PNG"), 2);
  EXPECT_EQ(db.IndexOfKey(kCyrillicKey), 1);
  EXPECT_EQ(db.IndexOfKey("\xF8\xE0\xF0"), -1);  // Cyrillic letters are not folded
  EXPECT_EQ(db.IndexOfKey("\xD8\xC0\xD0"), -1);
  EXPECT_EQ(db.IndexOfKey("particle"), -1);
  EXPECT_FALSE(db.ReadRecord("missing", stream));
}

TEST_F(ArchiveDbTest, OutOfRangeIndicesGiveTheDefaults) {
  TArchiveDb db = Open(test::BuildArchive({{"one", 1, Payload("x")}}));
  ASSERT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordKey(-1), "[invalid-record-#]");
  EXPECT_EQ(db.RecordKey(1), "[invalid-record-#]");
  EXPECT_EQ(db.RecordType(-1), 0);
  EXPECT_EQ(db.RecordType(1), 0);
  EXPECT_EQ(db.Entry(1), nullptr);
}

TEST_F(ArchiveDbTest, ReadWritesAtTheStreamPositionAndOnlyOnSuccess) {
  TArchiveDb db = Open(test::BuildArchive({{"a", 1, Payload("XYZ")}}));
  TMemoryStream stream;
  stream.Write("0123456", 7);
  stream.SetPosition(2);
  ASSERT_TRUE(db.ReadRecord("a", stream));
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "01XYZ56");
  EXPECT_EQ(stream.Position(), 5u);
}

TEST_F(ArchiveDbTest, RejectsBadRecordsButKeepsTheOthersReadable) {
  RawRecord wrongDigest{"digest", 1, Payload("hello")};
  wrongDigest.digest = test::Md5(Payload("hellp"));
  RawRecord longer{"longer", 1, Payload("hello")};
  longer.unpackedSize = 6;
  RawRecord shorter{"shorter", 1, Payload("hello")};
  shorter.unpackedSize = 4;
  RawRecord empty{"empty", 1, {}};
  RawRecord garbage{"garbage", 1, Payload("hello")};
  garbage.stored = Payload("not a zlib stream");
  RawRecord truncated{"truncated", 1, Payload(std::string(300, 'q') + "tail")};
  truncated.stored = test::Deflate(truncated.data);
  truncated.stored->resize(truncated.stored->size() - 3);
  TArchiveDb db = Open(test::BuildArchive({wrongDigest, longer, shorter, empty, garbage, truncated,
                                           {"good", 1, Payload("fine")}}));
  ASSERT_TRUE(db.EnsureOpen());
  for (const char* key : {"digest", "longer", "shorter", "empty", "garbage", "truncated"}) {
    TMemoryStream stream;
    EXPECT_FALSE(db.ReadRecord(key, stream)) << key;
    EXPECT_EQ(stream.Size(), 0u) << key;
  }
  TMemoryStream stream;
  EXPECT_TRUE(db.ReadRecord("good", stream));
}

// Records are inflated into room taken as their bytes come out: records well past the first room,
// read onto a stream's end and over its middle, come back whole, and only at exactly their size.
TEST_F(ArchiveDbTest, LargeRecordsInflateWholeAndOnlyToTheirSize) {
  std::string varied;
  for (uint32_t i = 0; varied.size() < 300'000; ++i) varied += static_cast<char>((i * 2654435761u) >> 24);
  const std::vector<uint8_t> big = Payload(varied);
  RawRecord longer{"longer", 1, big};
  longer.unpackedSize = static_cast<uint32_t>(big.size() + 1);
  RawRecord shorter{"shorter", 1, big};
  shorter.unpackedSize = static_cast<uint32_t>(big.size() - 1);
  RawRecord cut{"cut", 1, big};
  cut.stored = test::Deflate(big);
  cut.stored->resize(cut.stored->size() / 2);
  TArchiveDb db = Open(test::BuildArchive({{"big", 1, big}, longer, shorter, cut}));
  ASSERT_TRUE(db.EnsureOpen());

  TMemoryStream appended;
  appended.Write("ab", 2);
  ASSERT_TRUE(db.ReadRecord("big", appended));
  EXPECT_EQ(std::string(appended.Bytes().begin() + 2, appended.Bytes().end()), varied);
  TMemoryStream over;
  over.Write("ab", 2);
  over.SetPosition(1);
  ASSERT_TRUE(db.ReadRecord("big", over));
  EXPECT_EQ(over.Size(), big.size() + 1);
  EXPECT_EQ(std::string(over.Bytes().begin() + 1, over.Bytes().end()), varied);

  for (const char* key : {"longer", "shorter", "cut"}) {
    TMemoryStream stream;
    stream.Write("ab", 2);
    EXPECT_FALSE(db.ReadRecord(key, stream)) << key;
    EXPECT_EQ(stream.Size(), 2u) << key;
  }
}

TEST_F(ArchiveDbTest, AnEmptyArchiveHasNoRecords) {
  TArchiveDb db = Open(Bytes().Raw("ZBDB").U32(0).U32(12).data);
  EXPECT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordCount(), 0);
  TMemoryStream stream;
  EXPECT_FALSE(db.ReadRecord("anything", stream));
}

TEST_F(ArchiveDbTest, BrokenTablesFailCleanlyAndLeaveNoEntries) {
  const std::vector<uint8_t> good = test::BuildArchive({{"alpha", 1, Payload("a")}, {"beta", 1, Payload("b")}});
  const uint32_t table = static_cast<uint32_t>(good[8] | good[9] << 8);
  auto patch32 = [](std::vector<uint8_t> bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
    return bytes;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const std::vector<Case> cases = {
      {"short header", std::vector<uint8_t>(good.begin(), good.begin() + 10)},
      {"truncated table", std::vector<uint8_t>(good.begin(), good.end() - 3)},
      {"table past the end", patch32(good, 8, 1u << 30)},
      {"count beyond the table", patch32(good, 4, 3)},
      {"count of four billion", patch32(good, 4, 0xFFFFFFFFu)},
      {"key length of four gigabytes", patch32(good, table, 0xFFFFFFFFu)},
      {"record offset past the end", patch32(good, table + 4 + 5, 1u << 31)},
      {"record header cut by the end", patch32(good, table + 4 + 5, static_cast<uint32_t>(good.size() - 20))},
  };
  for (const Case& c : cases) {
    TArchiveDb db = Open(c.bytes);
    EXPECT_FALSE(db.EnsureOpen()) << c.name;
    EXPECT_EQ(db.RecordCount(), 0) << c.name;
    TMemoryStream stream;
    EXPECT_FALSE(db.ReadRecord("alpha", stream)) << c.name;
  }
}

TEST_F(ArchiveDbTest, AStoredSizeBeyondTheFileIsAFailureNotARead) {
  RawRecord big{"big", 1, Payload("abc")};
  std::vector<uint8_t> bytes = test::BuildArchive({big});
  // The stored size sits at record offset 12 + 6.
  bytes[18] = 0xFF;
  bytes[19] = 0xFF;
  bytes[20] = 0xFF;
  bytes[21] = 0x7F;
  TArchiveDb db = Open(bytes);
  ASSERT_TRUE(db.EnsureOpen());
  TMemoryStream stream;
  EXPECT_FALSE(db.ReadRecord("big", stream));
  // An unpacked size no zlib stream of that length could reach.
  bytes = test::BuildArchive({big});
  bytes[14] = 0xFF;
  bytes[15] = 0xFF;
  bytes[16] = 0xFF;
  bytes[17] = 0xFF;
  db = Open(bytes);
  EXPECT_FALSE(db.ReadRecord("big", stream));
}

TEST_F(ArchiveDbTest, OpenModes) {
  const auto path = dir_.Path() / "new.zbx";
  TArchiveDb readOnly(path, TOpenModes::opReadOnly);
  EXPECT_FALSE(readOnly.EnsureOpen());

  TArchiveDb update(path, TOpenModes::opUpdate);
  ASSERT_TRUE(update.EnsureOpen());  // missing: created
  EXPECT_EQ(std::filesystem::file_size(path), 12u);
  EXPECT_EQ(update.FileSize(), 12u);
  EXPECT_TRUE(readOnly.EnsureOpen());
  EXPECT_EQ(readOnly.RecordCount(), 0);

  dir_.Write("full.zbx", test::BuildArchive({{"keep", 1, Payload("k")}}));
  TArchiveDb existing(dir_.Path() / "full.zbx", TOpenModes::opUpdate);
  ASSERT_TRUE(existing.EnsureOpen());  // present: read, not replaced
  EXPECT_EQ(existing.RecordCount(), 1);

  TArchiveDb overwrite(dir_.Path() / "full.zbx", TOpenModes::opOverwrite);
  ASSERT_TRUE(overwrite.EnsureOpen());
  EXPECT_EQ(overwrite.RecordCount(), 0);
  EXPECT_EQ(std::filesystem::file_size(dir_.Path() / "full.zbx"), 12u);
}

TEST_F(ArchiveDbTest, ANewFileNameReopens) {
  const auto first = dir_.Write("1.zbx", test::BuildArchive({{"one", 1, Payload("1")}}));
  const auto second = dir_.Write("2.zbx", test::BuildArchive({{"two", 1, Payload("2")}, {"x", 1, Payload("3")}}));
  TArchiveDb db(first, TOpenModes::opReadOnly);
  ASSERT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordCount(), 1);
  db.SetFileName(second);
  EXPECT_FALSE(db.Opened());
  ASSERT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordCount(), 2);
  EXPECT_EQ(db.RecordKey(0), "two");
}

TEST_F(ArchiveDbTest, AFileChangedBetweenReadsIsReadByItsNewTable) {
  TArchiveDb db = Open(test::BuildArchive({{"one", 1, Payload("first")}}));
  TMemoryStream stream;
  ASSERT_TRUE(db.ReadRecord("one", stream));
  // Replaced under the same name (a new file), then rewritten in place with another size.
  std::filesystem::remove(db.FileName());
  dir_.Write("a.zbx", test::BuildArchive({{"two", 1, Payload("second")}, {"one", 1, Payload("again")}}));
  stream.Clear();
  ASSERT_TRUE(db.ReadRecord("one", stream));
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "again");
  EXPECT_EQ(db.RecordCount(), 2);
  dir_.Write("a.zbx", test::BuildArchive({{"three", 1, Payload("3")}}));
  stream.Clear();
  EXPECT_FALSE(db.ReadRecord("one", stream));
  EXPECT_EQ(db.RecordKey(0), "three");
}

}  // namespace
}  // namespace zb
