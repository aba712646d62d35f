#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "archive_listing.h"
#include "contact_sheet.h"
#include "kit/png_encoder.h"
#include "pack_options.h"
#include "resources/archive.h"
#include "resources/image_reader_factory.h"
#include "support/child_process.h"
#include "support/compound_file.h"
#include "support/temp_dir.h"

namespace {

// Every top-level stream the demo opens by name.
const std::vector<std::string> kDemoEntries = {
    "muzik.mp3",     "bwfont.raw",     "dnatex.raw",     "land1.raw",  "box",
    "sphere",        "cone",           "torus",          "teapot",     "dolphin",
    "static2.png",   "ckenv.png",      "darkFlare.png",  "f2back.png", "flare.png",
    "ditp.png",      "clouds.png",     "detail.png",     "terrain.png", "fence.png",
    "vent_shaft.png", "tunnel.png",    "ball.png",       "tetradoom.png", "f01.png",
    "f02.png",       "f03.png",        "f04.png",        "i01.png",    "i02.png",
    "i03.png",       "i04.png",        "i05.png",        "i06.png",    "i07.png",
    "i08.png",       "i09.png",        "i10.png",        "i11.png",    "ckpres.png"};

struct Dimensions {
  uint32_t width = 0, height = 0;
};

// Decodes the picture entry `name` of `root` with the demo's own reader.
std::optional<Dimensions> DecodeEntry(IStorage* root, const std::string& name) {
  IStream* stream = nullptr;
  if (FAILED(OpenArchiveStream(ArchiveEntryName(name).c_str(), root, &stream))) return {};
  std::vector<uint8_t> bytes;
  if (FAILED(ReadWholeStream(stream, bytes, nullptr))) return {};
  ImageReader* reader = nullptr;
  if (FAILED(CreateImageReader(name, &reader))) return {};
  Dimensions size;
  HRESULT result = reader->ReadImage(bytes.data(), bytes.size(), nullptr, &size.width, &size.height);
  std::vector<uint8_t> pixels(size_t{size.width} * size.height * 4);
  if (SUCCEEDED(result)) {
    result = reader->ReadImage(bytes.data(), bytes.size(), pixels.data(), &size.width, &size.height);
  }
  reader->Release();
  if (FAILED(result)) return {};
  return size;
}

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

TEST(BuiltArchiveTest, HoldsEveryEntryTheDemoOpens) {
  const std::optional<ArchiveListing> listing = ListArchive(BUILT_ARCHIVE);
  ASSERT_TRUE(listing.has_value());
  for (const std::string& name : kDemoEntries) {
    EXPECT_NE(std::find(listing->streams.begin(), listing->streams.end(), name),
              listing->streams.end())
        << name;
  }
}

TEST(BuiltArchiveTest, EveryPictureDecodesWithPowerOfTwoSides) {
  const std::optional<ArchiveListing> listing = ListArchive(BUILT_ARCHIVE);
  ASSERT_TRUE(listing.has_value());
  IStorage* root = nullptr;
  ASSERT_EQ(OpenArchive(ArchiveEntryName(BUILT_ARCHIVE).c_str(), &root), S_OK);
  int pictures = 0;
  for (const std::string& name : listing->streams) {
    if (!name.ends_with(".png")) continue;
    ++pictures;
    const std::optional<Dimensions> size = DecodeEntry(root, name);
    ASSERT_TRUE(size.has_value()) << name;
    EXPECT_TRUE(IsPowerOfTwo(size->width) && IsPowerOfTwo(size->height))
        << name << " is " << size->width << "x" << size->height;
  }
  root->Release();
  EXPECT_GE(pictures, 30);
}

TEST(PackToolTest, WritesAnArchiveAndRefusesBadArguments) {
  TempDir directory;
  const ChildResult usage = RunChild(PACK_BINARY, {}, directory.Path().string());
  EXPECT_EQ(usage.exitStatus, 2);
  EXPECT_NE(usage.standardError.find("usage: lantern-pack"), std::string::npos);

  const ChildResult unwritable =
      RunChild(PACK_BINARY, {directory.File("missing/folder/out.dat")}, directory.Path().string());
  EXPECT_EQ(unwritable.exitStatus, 1);
  EXPECT_NE(unwritable.standardError.find("cannot write"), std::string::npos);
}

// Random lines from the tool's words, paths and garbage: every line is either refused
// with a reason or asks for exactly one thing with every path it needs, so that the tool
// never runs with a missing or empty path.
TEST(PackToolTest, AnyLineIsReadIntoOneActionOrRefusedWithAReason) {
  const std::vector<std::string> words{"out.dat",
                                       "sheet.png",
                                       "icon.png",
                                       "--contact-sheet",
                                       "--icon",
                                       "--help",
                                       "-h",
                                       "--version",
                                       "",
                                       "--",
                                       "-",
                                       "--icon=",
                                       "--icon=x.png",
                                       "--contact-sheet=a",
                                       "--bogus",
                                       "-x",
                                       "a b",
                                       "/"};
  std::mt19937 random(20261209);
  for (int trial = 0; trial < 20000; ++trial) {
    std::vector<std::string> line;
    for (size_t count = random() % 6; count > 0; --count) {
      line.push_back(words[random() % words.size()]);
    }
    const PackCommand command = ReadPackCommand(line);
    switch (command.action) {
      case PackCommand::Action::kRefuse:
      case PackCommand::Action::kPrintHelp:
      case PackCommand::Action::kPrintVersion:
        EXPECT_FALSE(command.text.empty());
        break;
      case PackCommand::Action::kPack:
        EXPECT_FALSE(command.archive.empty());
        break;
      case PackCommand::Action::kIcon:
        EXPECT_FALSE(command.picture.empty());
        break;
      case PackCommand::Action::kContactSheet:
        EXPECT_FALSE(command.archive.empty() || command.picture.empty());
        break;
    }
  }
  // What each action reads, in the order the usage gives.
  const PackCommand sheet = ReadPackCommand({"--contact-sheet", "sheet.png", "in.dat"});
  EXPECT_EQ(sheet.action, PackCommand::Action::kContactSheet);
  EXPECT_EQ(sheet.picture, "sheet.png");
  EXPECT_EQ(sheet.archive, "in.dat");
  EXPECT_EQ(ReadPackCommand({""}).action, PackCommand::Action::kRefuse);
  EXPECT_EQ(ReadPackCommand({"--icon", ""}).action, PackCommand::Action::kRefuse);
}

class ContactSheetTest : public testing::Test {
 protected:
  std::string Archive(const CompoundFileBuilder& builder) {
    const std::string path = directory_.File("archive.dat");
    EXPECT_TRUE(builder.Write(path));
    return path;
  }
  TempDir directory_;
};

TEST_F(ContactSheetTest, TilesEveryPictureOfTheArchive) {
  CompoundFileBuilder builder;
  builder.AddStream("wide.png", EncodePng(PixelImage(64, 16, {255, 0, 0, 255}), PngChannels::kRgb));
  builder.AddStream("tall.png", EncodePng(PixelImage(8, 32, {0, 0, 255, 90}), PngChannels::kRgba));
  builder.AddStream("land1.raw", std::vector<uint8_t>(4096, 7));
  builder.AddStorage("scene.hrn");
  std::string error;
  const std::string sheet = directory_.File("sheet.png");
  ASSERT_TRUE(WriteContactSheet(Archive(builder), sheet, error)) << error;

  std::ifstream file(sheet, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  ImageReader* reader = nullptr;
  ASSERT_EQ(CreateImageReader("sheet.png", &reader), S_OK);
  uint32_t width = 0, height = 0;
  EXPECT_EQ(reader->ReadImage(bytes.data(), bytes.size(), nullptr, &width, &height), S_OK);
  std::vector<uint8_t> bgra(size_t{width} * height * 4);
  EXPECT_EQ(reader->ReadImage(bytes.data(), bytes.size(), bgra.data(), &width, &height), S_OK);
  reader->Release();
  // Two tiles fit one row of the sheet.
  EXPECT_GT(width, 2 * 128u);
  EXPECT_GT(height, 128u);
  EXPECT_LT(height, 2 * 260u);
  // The picture without alpha is drawn opaque, not as the nearly clear texels its reader's
  // alpha byte of 1 would give: its tile is solid red.
  size_t red = 0;
  for (size_t i = 0; i < bgra.size(); i += 4) {
    red += bgra[i] == 0 && bgra[i + 1] == 0 && bgra[i + 2] == 255;
  }
  EXPECT_GT(red, 192u * 48u * 9 / 10);
}

TEST_F(ContactSheetTest, NamesWhatItCannotRead) {
  std::string error;
  EXPECT_FALSE(WriteContactSheet(directory_.File("none.dat"), directory_.File("s.png"), error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);

  CompoundFileBuilder broken;
  broken.AddStream("good.png", EncodePng(PixelImage(4, 4), PngChannels::kRgb));
  broken.AddStream("bad.png", std::string("not a picture"));
  EXPECT_FALSE(WriteContactSheet(Archive(broken), directory_.File("s.png"), error));
  EXPECT_EQ(error, "bad.png does not decode");

  CompoundFileBuilder empty;
  empty.AddStream("readme", std::string("x"));
  EXPECT_FALSE(WriteContactSheet(Archive(empty), directory_.File("s.png"), error));
  EXPECT_NE(error.find("holds no textures"), std::string::npos);
}

}  // namespace
