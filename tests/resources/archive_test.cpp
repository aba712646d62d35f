#include "resources/archive.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-input-stdio.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "resources/compound_storage.h"
#include "support/compound_file.h"
#include "support/temp_dir.h"

namespace {

// Bytes that differ from one offset to the next, so that a shifted or reordered read shows.
std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 31 + i / 256);
  return bytes;
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> FileBytes(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  std::ofstream(fileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Opens the archive `fileName`, walks down the storages named in `path` (releasing each
// parent as soon as its child is open) and reads the stream at its end whole. Returns the
// first failure.
HRESULT ReadArchiveEntry(const std::string& fileName, std::string_view path,
                         std::vector<uint8_t>& bytes) {
  IStorage* storage = nullptr;
  HRESULT result = OpenArchive(ArchiveEntryName(fileName).c_str(), &storage);
  size_t start = 0;
  for (size_t slash = path.find('/'); SUCCEEDED(result) && slash != std::string_view::npos;
       start = slash + 1, slash = path.find('/', start)) {
    IStorage* inner = nullptr;
    result = OpenArchiveStorage(ArchiveEntryName(path.substr(start, slash - start)).c_str(),
                                storage, &inner);
    SafeRelease(storage);
    storage = inner;
  }
  IStream* stream = nullptr;
  if (SUCCEEDED(result)) {
    result = OpenArchiveStream(ArchiveEntryName(path.substr(start)).c_str(), storage, &stream);
  }
  if (SUCCEEDED(result)) result = ReadWholeStream(stream, bytes, nullptr);
  SafeRelease(storage);
  return result;
}

// Works on a sample archive: a small stream, one in the big-block area (4096 bytes and
// more), an empty stream, nested storages and an empty storage.
class ArchiveTest : public testing::Test {
 protected:
  void SetUp() override {
    CompoundFileBuilder builder;
    builder.AddStream("small", Bytes("small stream"));
    builder.AddStream("big", Pattern(10000));
    builder.AddStream("empty", std::vector<uint8_t>{});
    builder.AddStream("outer/inner/leaf", Pattern(300));
    builder.AddStream("outer/sibling", Bytes("beside inner"));
    builder.AddStorage("hollow");
    ASSERT_TRUE(builder.Write(archive_));
    ASSERT_EQ(OpenArchive(ArchiveEntryName(archive_).c_str(), &root_), S_OK);
  }
  void TearDown() override { SafeRelease(root_); }

  TempDir directory_;
  const std::string archive_ = directory_.File("sample.cf");
  IStorage* root_ = nullptr;
};

TEST_F(ArchiveTest, StreamsReadBackByteForByte) {
  std::vector<uint8_t> bytes;
  ASSERT_EQ(ReadArchiveEntry(archive_, "small", bytes), S_OK);
  EXPECT_EQ(bytes, Bytes("small stream"));
  ASSERT_EQ(ReadArchiveEntry(archive_, "big", bytes), S_OK);
  EXPECT_EQ(bytes, Pattern(10000));
  ASSERT_EQ(ReadArchiveEntry(archive_, "outer/inner/leaf", bytes), S_OK);
  EXPECT_EQ(bytes, Pattern(300));
  ASSERT_EQ(ReadArchiveEntry(archive_, "outer/sibling", bytes), S_OK);
  EXPECT_EQ(bytes, Bytes("beside inner"));
}

TEST_F(ArchiveTest, ReadWholeStreamReportsTheBytesAndReleasesTheStream) {
  IStream* stream = nullptr;
  ASSERT_EQ(OpenArchiveStream(u"big", root_, &stream), S_OK);
  stream->AddRef();
  std::vector<uint8_t> buffer;
  uint32_t bytesRead = 0;
  EXPECT_EQ(ReadWholeStream(stream, buffer, &bytesRead), S_OK);
  EXPECT_EQ(bytesRead, 10000u);
  EXPECT_EQ(stream->Release(), 0u);

  ASSERT_EQ(OpenArchiveStream(u"empty", root_, &stream), S_OK);
  buffer = Bytes("stale");
  EXPECT_EQ(ReadWholeStream(stream, buffer, &bytesRead), S_OK);
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(bytesRead, 0u);
}

TEST_F(ArchiveTest, ReadContinuesFromThePositionAndStopsAtTheEnd) {
  IStream* stream = nullptr;
  ASSERT_EQ(OpenArchiveStream(u"small", root_, &stream), S_OK);
  STATSTG stat{};
  EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize, 12u);
  char buffer[16] = {};
  ULONG read = 0;
  EXPECT_EQ(stream->Read(buffer, 6, &read), S_OK);
  EXPECT_EQ(std::string_view(buffer, read), "small ");
  EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
  EXPECT_EQ(std::string_view(buffer, read), "stream");
  EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
  EXPECT_EQ(read, 0u);
  stream->Release();
}

TEST_F(ArchiveTest, MissingEntriesAndEntriesOfTheWrongKindAreNotFound) {
  std::vector<uint8_t> bytes;
  for (const char* path : {"absent", "absent/small", "outer", "small/small", "outer/small",
                           "hollow/small"}) {
    EXPECT_EQ(ReadArchiveEntry(archive_, path, bytes), STG_E_FILENOTFOUND) << path;
  }
  // Entries are found one storage at a time: a path is no name. A failed open clears the
  // handle it was given.
  IStream* stream = nullptr;
  EXPECT_EQ(OpenArchiveStream(u"outer/sibling", root_, &stream), STG_E_FILENOTFOUND);
  EXPECT_EQ(stream, nullptr);
  IStorage* storage = root_;
  EXPECT_EQ(OpenArchiveStorage(u"big", root_, &storage), STG_E_FILENOTFOUND);
  EXPECT_EQ(storage, nullptr);
}

TEST_F(ArchiveTest, InvalidArgumentsAreRefused) {
  IStorage* storage = nullptr;
  IStream* stream = nullptr;
  EXPECT_EQ(OpenArchive(nullptr, &storage), E_INVALIDARG);
  EXPECT_EQ(OpenArchive(ArchiveEntryName(archive_).c_str(), nullptr), E_POINTER);
  EXPECT_EQ(OpenArchiveStream(u"small", nullptr, &stream), E_INVALIDARG);
  EXPECT_EQ(OpenArchiveStorage(u"outer", nullptr, &storage), E_INVALIDARG);
  EXPECT_EQ(OpenArchiveStream(u"small", root_, nullptr), E_POINTER);
  EXPECT_EQ(OpenArchiveStorage(u"outer", root_, nullptr), E_POINTER);
  EXPECT_EQ(OpenArchiveStream(nullptr, root_, &stream), E_INVALIDARG);
  EXPECT_EQ(OpenArchiveStorage(nullptr, root_, &storage), E_INVALIDARG);
  const char16_t unpairedSurrogate[] = {u's', 0xD800, 0};
  EXPECT_EQ(OpenArchiveStream(unpairedSurrogate, root_, &stream), E_INVALIDARG);
  std::vector<uint8_t> buffer;
  EXPECT_EQ(ReadWholeStream(nullptr, buffer, nullptr), E_POINTER);
}

TEST_F(ArchiveTest, FilesThatAreNoArchivesFailAndLeaveNoHandle) {
  IStorage* storage = root_;
  EXPECT_EQ(OpenArchive(ArchiveEntryName(directory_.File("missing.cf")).c_str(), &storage),
            STG_E_FILENOTFOUND);
  EXPECT_EQ(storage, nullptr);

  WriteFileBytes(directory_.File("text.cf"), Bytes("just some text, not a compound file"));
  WriteFileBytes(directory_.File("zeros.cf"), std::vector<uint8_t>(4096));
  WriteFileBytes(directory_.File("empty.cf"), {});
  for (const char* name : {"text.cf", "zeros.cf", "empty.cf"}) {
    storage = root_;
    EXPECT_EQ(OpenArchive(ArchiveEntryName(directory_.File(name)).c_str(), &storage),
              STG_E_INVALIDHEADER)
        << name;
    EXPECT_EQ(storage, nullptr);
  }
}

TEST_F(ArchiveTest, ArchiveCutAnywhereFailsWithoutCrashing) {
  const std::vector<uint8_t> whole = FileBytes(archive_);
  for (size_t length = 0; length < whole.size(); length += 500) {
    WriteFileBytes(directory_.File("cut.cf"), {whole.begin(), whole.begin() + long(length)});
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(FAILED(ReadArchiveEntry(directory_.File("cut.cf"), "big", bytes))) << length;
  }
}

// libgsf follows a stream's chain of blocks only as it reads, so a chain cut short in the
// allocation table shows as a failing read.
TEST_F(ArchiveTest, BrokenBlockChainIsAReadFaultAndTheStreamIsStillReleased) {
  // The allocation table's entry for the first block of "big" becomes end-of-chain. The
  // header names the table's sector at byte 0x4C, the directory entry the first block at
  // byte 116; fields are little-endian, as on the host.
  std::vector<uint8_t> file = FileBytes(archive_);
  const std::vector<uint8_t> name = {'b', 0, 'i', 0, 'g', 0, 0, 0};
  const auto entry = size_t(std::search(file.begin(), file.end(), name.begin(), name.end()) -
                            file.begin());
  ASSERT_LT(entry, file.size());
  uint32_t tableSector = 0, firstBlock = 0;
  std::memcpy(&tableSector, &file[0x4C], 4);
  std::memcpy(&firstBlock, &file[entry + 116], 4);
  const uint32_t endOfChain = 0xFFFFFFFE;
  std::memcpy(&file[512 * (tableSector + 1) + 4 * firstBlock], &endOfChain, 4);
  WriteFileBytes(directory_.File("broken.cf"), file);

  IStorage* broken = nullptr;
  ASSERT_EQ(OpenArchive(ArchiveEntryName(directory_.File("broken.cf")).c_str(), &broken), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(OpenArchiveStream(u"big", broken, &stream), S_OK);
  stream->AddRef();
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadWholeStream(stream, bytes, nullptr), STG_E_READFAULT);
  EXPECT_EQ(stream->Release(), 0u);
  broken->Release();
}

// libgsf itself drops directory entries larger than the file, so the storage's own bound is
// checked by telling it the archive is smaller than it really is.
TEST_F(ArchiveTest, StreamLargerThanTheArchiveIsRefused) {
  GObjectPtr<GsfInput> file(gsf_input_stdio_new(archive_.c_str(), nullptr));
  GObjectPtr<GsfInfile> directory(gsf_infile_msole_new(file.get(), nullptr));
  ASSERT_TRUE(directory);
  IStorage* storage = new CompoundStorage(std::move(directory), 9999);
  IStream* stream = nullptr;
  EXPECT_EQ(storage->OpenStream(u"big", STGM_READ, &stream), STG_E_INVALIDHEADER);
  EXPECT_EQ(storage->OpenStream(u"small", STGM_READ, &stream), S_OK);
  SafeRelease(stream);
  storage->Release();
}

TEST_F(ArchiveTest, SameArchiveOpensTwiceAtOnce) {
  IStorage* second = nullptr;
  ASSERT_EQ(OpenArchive(ArchiveEntryName(archive_).c_str(), &second), S_OK);
  for (IStorage* root : {root_, second}) {
    IStream* stream = nullptr;
    ASSERT_EQ(OpenArchiveStream(u"big", root, &stream), S_OK);
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeStream(stream, bytes, nullptr), S_OK);
    EXPECT_EQ(bytes, Pattern(10000));
  }
  second->Release();
}

TEST_F(ArchiveTest, StreamStaysReadableAfterItsStoragesAreReleased) {
  IStorage* outer = nullptr;
  ASSERT_EQ(OpenArchiveStorage(u"outer", root_, &outer), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(OpenArchiveStream(u"sibling", outer, &stream), S_OK);
  SafeRelease(root_);
  outer->Release();
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadWholeStream(stream, bytes, nullptr), S_OK);
  EXPECT_EQ(bytes, Bytes("beside inner"));
}

TEST_F(ArchiveTest, NonAsciiNamesRoundTrip) {
  CompoundFileBuilder builder;
  builder.AddStream("grüße/データ", Bytes("umlaut and kana"));
  ASSERT_TRUE(builder.Write(directory_.File("名前.cf")));
  std::vector<uint8_t> bytes;
  ASSERT_EQ(ReadArchiveEntry(directory_.File("名前.cf"), "grüße/データ", bytes), S_OK);
  EXPECT_EQ(bytes, Bytes("umlaut and kana"));
}

TEST(ArchiveEntryNameTest, ConvertsUtf8ToUtf16) {
  EXPECT_EQ(ArchiveEntryName("Scene1"), u"Scene1");
  EXPECT_EQ(ArchiveEntryName("ä"), u"\u00E4");
  EXPECT_EQ(ArchiveEntryName("中"), u"\u4E2D");
  EXPECT_EQ(ArchiveEntryName("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(ArchiveEntryNameTest, ReplacesEachInvalidByteAndEndsAtAZeroByte) {
  EXPECT_EQ(ArchiveEntryName("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(ArchiveEntryName("a\xE4\xB8"), u"a\uFFFD\uFFFD");
  EXPECT_EQ(ArchiveEntryName("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(ArchiveEntryName(std::string_view("ab\0cd", 5)), u"ab");
}

}  // namespace
