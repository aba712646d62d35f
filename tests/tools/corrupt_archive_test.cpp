// The real lantern-capture on damaged copies of the built archive: every entry the demo
// reads missing in turn, streams cut short, scene streams whose counts lie, and files that
// are no archive at all. A fatal case ends with its message and status 255 before any
// frame is written; a damage the demo plays through ends with status 0 and the frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "archive_listing.h"
#include "compound_file_writer.h"
#include "support/archive_tree.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace {

using Entries = std::vector<ArchiveEntry>;
using Bytes = std::vector<uint8_t>;

const std::vector<std::string> kScenes = {"binary.hrn", "text.hrn",    "stairs.hrn",
                                          "weird.hrn",  "surgery.hrn", "ppl.hrn",
                                          "pitcombo.hrn", "greets.hrn", "end.hrn"};
const std::vector<std::string> kShapes = {"box", "sphere", "cone", "torus", "teapot", "dolphin"};
constexpr char kNotFound[] = "The file could not be found";

// How a case damages the archive: the entry tree, or (for files that are no archive) the
// whole file, which then replaces what the tree would write.
struct Damage {
  std::function<void(Entries&)> entries;
  std::function<Bytes()> file;
};

struct Case {
  std::string label;  // a test name: letters, digits and underscores
  Damage damage;
  int exitStatus;
  std::string message;  // the fatal message, empty for a case the demo plays through
};

// Names a case in test output by its label rather than its bytes.
void PrintTo(const Case& tested, std::ostream* out) { *out << tested.label; }

Bytes& StreamAt(Entries& entries, const std::string& path) {
  ArchiveEntry* entry = FindEntry(entries, path);
  if (entry == nullptr) throw std::runtime_error("no entry " + path);
  return entry->bytes;
}

Damage Missing(const std::string& path) {
  return {[path](Entries& entries) {
            if (!RemoveEntry(entries, path)) throw std::runtime_error("no entry " + path);
          },
          nullptr};
}

Damage CutTo(const std::string& path, size_t length) {
  return {[path, length](Entries& entries) { StreamAt(entries, path).resize(length); }, nullptr};
}

Damage WholeFile(std::function<Bytes()> file) { return {nullptr, std::move(file)}; }

Bytes BuiltArchiveBytes() {
  std::ifstream in(BUILT_ARCHIVE, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void PutLittleEndianU32(Bytes& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

Damage PutU32(const std::string& path, size_t at, uint32_t value) {
  return {[path, at, value](Entries& entries) {
            PutLittleEndianU32(StreamAt(entries, path), at, value);
          },
          nullptr};
}

uint32_t LittleEndianU32At(const Bytes& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= uint32_t{bytes.at(at + i)} << (8 * i);
  return value;
}

// The built archive with its header's count of small-block table sectors set to 0 while
// the table's first sector is still given. The compound-file library warns about it
// through glib's log, ignores the link, and the demo plays on.
Damage NoSmallBlockTableYetALinkToIt() {
  return WholeFile([] {
    Bytes bytes = BuiltArchiveBytes();
    PutLittleEndianU32(bytes, 0x40, 0);
    return bytes;
  });
}

// The built archive whose root directory entry names entry 1 as its left sibling; the
// root has none in a sound file.
Damage RootEntryWithASibling() {
  return WholeFile([] {
    Bytes bytes = BuiltArchiveBytes();
    const uint32_t sectorShift = bytes.at(0x1E) | bytes.at(0x1F) << 8;
    const size_t root = size_t{LittleEndianU32At(bytes, 0x30) + 1u} << sectorShift;
    PutLittleEndianU32(bytes, root + 0x44, 1);
    return bytes;
  });
}

std::string Label(std::string text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return !std::isalnum(c); }, '_');
  return text;
}

// The scene list's material count: after the version, the header and the fog flag, and
// after the fog fields too in a scene with fog.
Damage LyingMaterialCount(const std::string& scene) {
  return {[scene](Entries& entries) {
            Bytes& list = StreamAt(entries, scene + "/.scene");
            const bool fog = list.at(20) != 0 || list.at(21) != 0 || list.at(22) != 0 ||
                             list.at(23) != 0;
            const size_t at = fog ? 48 : 24;
            for (int i = 0; i < 4; ++i) list.at(at + i) = 0x7F;
          },
          nullptr};
}

bool IsPicture(const std::string& name) {
  return name.ends_with(".png") || name.ends_with(".gif");
}

// Applies `change` to every picture at the archive's root.
Damage EveryPicture(std::function<void(Entries&, const std::string&)> change) {
  return {[change](Entries& entries) {
            std::vector<std::string> pictures;
            for (const ArchiveEntry& entry : entries) {
              if (IsPicture(entry.name)) pictures.push_back(entry.name);
            }
            for (const std::string& name : pictures) change(entries, name);
          },
          nullptr};
}

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"empty_file", WholeFile([] { return Bytes{}; }), 255, "Cannot open lantern.dat"},
      {"random_bytes", WholeFile([] {
         std::mt19937 random(7);
         Bytes bytes(64 * 1024);
         for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
         return bytes;
       }),
       255, "Cannot open lantern.dat"},
      {"header_warned_about", NoSmallBlockTableYetALinkToIt(), 0, ""},
      {"root_entry_with_a_sibling", RootEntryWithASibling(), 255, "Cannot open lantern.dat"},
      {"muzik_mp3_missing", Missing("muzik.mp3"), 255,
       (std::string("Cannot open muzik.mp3: ") + kNotFound)},
      {"bwfont_raw_missing", Missing("bwfont.raw"), 255,
       (std::string("Cannot open bwfont.raw: ") + kNotFound)},
      {"bwfont_raw_cut", CutTo("bwfont.raw", 1000), 255,
       "Cannot open bwfont.raw: the entry holds 1000 bytes, not 32768"},
      {"land1_raw_missing", Missing("land1.raw"), 255,
       (std::string("Error loading terrain.: ") + kNotFound)},
      {"land1_raw_cut", CutTo("land1.raw", 100), 255,
       "Error loading terrain.: the entry holds 100 bytes, not 4096"},
      {"dnatex_raw_missing", Missing("dnatex.raw"), 255,
       (std::string("Cannot open dnatex.raw: ") + kNotFound)},
      {"dnatex_raw_cut", CutTo("dnatex.raw", 65535), 255,
       "Cannot open dnatex.raw: the entry holds 65535 bytes, not 65536"},
  };
  for (const std::string& scene : kScenes) {
    cases.push_back({Label(scene) + "_missing", Missing(scene), 255,
                     std::string("Could not open heron storage: ") + kNotFound});
    cases.push_back({Label(scene) + "_list_cut", CutTo(scene + "/.scene", 10), 255,
                     "Could not load heron scene: The stream ends before its record does"});
    cases.push_back({Label(scene) + "_material_count_lies", LyingMaterialCount(scene), 255,
                     "Could not load heron scene: A count in the stream exceeds the bytes left"});
    cases.push_back({Label(scene) + "_version_unknown", PutU32(scene + "/.scene", 0, 2), 255,
                     "Could not load heron scene: The record has a version this program "
                     "cannot read"});
  }
  for (const std::string& shape : kShapes) {
    cases.push_back({Label(shape) + "_missing", Missing(shape), 0, ""});
    cases.push_back({Label(shape) + "_cut", CutTo(shape, 30), 255, "Error loading shape"});
  }
  // A picture that cannot be opened or decoded is logged, and the demo plays on.
  cases.push_back({"every_picture_missing",
                   EveryPicture([](Entries& entries, const std::string& name) {
                     RemoveEntry(entries, name);
                   }),
                   0, ""});
  cases.push_back({"every_picture_cut_in_half",
                   EveryPicture([](Entries& entries, const std::string& name) {
                     Bytes& bytes = StreamAt(entries, name);
                     bytes.resize(bytes.size() / 2);
                   }),
                   0, ""});
  return cases;
}

class CorruptArchive : public testing::TestWithParam<Case> {
 protected:
  ChildResult RunOn(const Damage& damage) {
    const std::string archive = directory_.File("lantern.dat");
    if (damage.file) {
      const Bytes bytes = damage.file();
      std::ofstream(archive, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    } else {
      std::optional<Entries> entries = ReadArchiveTree(BUILT_ARCHIVE);
      if (!entries) throw std::runtime_error("cannot read the built archive");
      damage.entries(*entries);
      if (!WriteCompoundFile(archive, *entries)) throw std::runtime_error("cannot write");
    }
    return RunChild(CAPTURE_BINARY, {"--jump", "--at", "0", "--out", "frames"}, directory_.Path());
  }

  bool FramesWritten() const {
    const std::filesystem::path frames = directory_.Path() / "frames";
    return std::filesystem::exists(frames) && !std::filesystem::is_empty(frames);
  }

  TempDir directory_;
};

TEST_P(CorruptArchive, EndsAsTheDamageDemands) {
  const Case& damaged = GetParam();
  const ChildResult result = RunOn(damaged.damage);
  EXPECT_EQ(result.exitStatus, damaged.exitStatus) << result.standardError;
  if (damaged.exitStatus == 0) {
    EXPECT_TRUE(FramesWritten());
    return;
  }
  if (!damaged.message.empty()) {
    EXPECT_EQ(result.standardError, "lantern-capture: " + damaged.message + "\n");
  }
  EXPECT_FALSE(FramesWritten());
  // Nothing but the archive and the empty frame folder is left behind.
  for (const auto& entry : std::filesystem::directory_iterator(directory_.Path())) {
    const std::string name = entry.path().filename();
    EXPECT_TRUE(name == "lantern.dat" || name == "frames") << name;
  }
}

// The matrix names every entry of the built archive, so that an entry added to the demo
// gets its cases too.
TEST(CorruptArchiveMatrix, CoversEveryEntryOfTheArchive) {
  const std::optional<ArchiveListing> listing = ListArchive(BUILT_ARCHIVE);
  ASSERT_TRUE(listing.has_value());
  const std::vector<Case> cases = Cases();
  const auto covered = [&](const std::string& name) {
    return IsPicture(name) || std::any_of(cases.begin(), cases.end(), [&](const Case& c) {
             return c.label == Label(name) + "_missing";
           });
  };
  for (const std::string& name : listing->streams) EXPECT_TRUE(covered(name)) << name;
  for (const std::string& name : listing->storages) EXPECT_TRUE(covered(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Matrix, CorruptArchive, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& tested) { return tested.param.label; });

}  // namespace
