#include "contact_sheet.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

#include "archive_listing.h"
#include "kit/png_encoder.h"
#include "kit/text_raster.h"
#include "resources/archive.h"
#include "resources/image_reader_factory.h"

namespace {

constexpr int kTile = 192;
constexpr int kLabelHeight = 36;
constexpr int kGap = 12;
constexpr int kColumns = 6;

struct DecodedTexture {
  std::string name;
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> bgra;  // the readers' layout: blue, green, red, alpha
};

bool IsPicture(const std::string& name) {
  if (name.size() < 3) return false;
  ImageReader* reader = nullptr;
  const bool known = SUCCEEDED(CreateImageReader(name, &reader));
  SafeRelease(reader);
  return known;
}

std::optional<DecodedTexture> Decode(IStorage* root, const std::string& name) {
  IStream* stream = nullptr;
  if (FAILED(OpenArchiveStream(ArchiveEntryName(name).c_str(), root, &stream))) {
    return std::nullopt;
  }
  std::vector<uint8_t> bytes;
  if (FAILED(ReadWholeStream(stream, bytes, nullptr))) return std::nullopt;
  ImageReader* reader = nullptr;
  if (FAILED(CreateImageReader(name, &reader))) return std::nullopt;
  DecodedTexture texture;
  texture.name = name;
  HRESULT result =
      reader->ReadImage(bytes.data(), bytes.size(), nullptr, &texture.width, &texture.height);
  if (SUCCEEDED(result)) {
    texture.bgra.resize(size_t{texture.width} * texture.height * 4);
    result = reader->ReadImage(bytes.data(), bytes.size(), texture.bgra.data(), &texture.width,
                               &texture.height);
  }
  reader->Release();
  if (FAILED(result)) return std::nullopt;
  // The readers mark a picture without alpha by the alpha byte 1 in every pixel: it is
  // shown opaque, as the texture formats without alpha draw it.
  bool withoutAlpha = true;
  for (size_t i = 3; i < texture.bgra.size() && withoutAlpha; i += 4) {
    withoutAlpha = texture.bgra[i] == 1;
  }
  if (withoutAlpha) {
    for (size_t i = 3; i < texture.bgra.size(); i += 4) texture.bgra[i] = 255;
  }
  return texture;
}

Colour Chequer(int x, int y) {
  const bool light = ((x / 8) + (y / 8)) % 2 == 0;
  return light ? Colour{0.42f, 0.42f, 0.45f} : Colour{0.30f, 0.30f, 0.33f};
}

// Draws the texture scaled (aspect kept) into the tile whose top left is (left, top).
void DrawTile(PixelImage& sheet, const DecodedTexture& texture, int left, int top) {
  const float scale = std::min(static_cast<float>(kTile) / texture.width,
                               static_cast<float>(kTile) / texture.height);
  const int drawnWidth = std::max(1, static_cast<int>(texture.width * scale));
  const int drawnHeight = std::max(1, static_cast<int>(texture.height * scale));
  const int x0 = left + (kTile - drawnWidth) / 2, y0 = top + (kTile - drawnHeight) / 2;
  for (int y = 0; y < drawnHeight; ++y) {
    for (int x = 0; x < drawnWidth; ++x) {
      const uint32_t sx = std::min<uint32_t>(texture.width - 1, static_cast<uint32_t>(x / scale));
      const uint32_t sy = std::min<uint32_t>(texture.height - 1, static_cast<uint32_t>(y / scale));
      const uint8_t* pixel = &texture.bgra[(size_t{sy} * texture.width + sx) * 4];
      sheet.Set(x0 + x, y0 + y, Chequer(x, y));
      sheet.Blend(x0 + x, y0 + y, {pixel[2] / 255.0f, pixel[1] / 255.0f, pixel[0] / 255.0f},
                  pixel[3] / 255.0f);
    }
  }
  const std::string size = std::to_string(texture.width) + "x" + std::to_string(texture.height);
  const Colour label{0.92f, 0.92f, 0.92f};
  DrawTextCentred(sheet, texture.name, Typeface::kSansBold, 13, left + kTile / 2,
                  top + kTile + 11, label);
  DrawTextCentred(sheet, size, Typeface::kSans, 11, left + kTile / 2, top + kTile + 27, label);
}

}  // namespace

bool WriteContactSheet(const std::string& archivePath, const std::string& sheetPath,
                       std::string& error) {
  const std::optional<ArchiveListing> listing = ListArchive(archivePath);
  IStorage* root = nullptr;
  OpenArchive(ArchiveEntryName(archivePath).c_str(), &root);
  if (!listing || root == nullptr) {
    SafeRelease(root);
    error = "cannot open " + archivePath;
    return false;
  }
  std::vector<DecodedTexture> textures;
  for (const std::string& name : listing->streams) {
    if (!IsPicture(name)) continue;
    std::optional<DecodedTexture> texture = Decode(root, name);
    if (!texture) {
      root->Release();
      error = name + " does not decode";
      return false;
    }
    textures.push_back(std::move(*texture));
  }
  root->Release();
  if (textures.empty()) {
    error = archivePath + " holds no textures";
    return false;
  }
  const int rows = (static_cast<int>(textures.size()) + kColumns - 1) / kColumns;
  PixelImage sheet(kGap + kColumns * (kTile + kGap), kGap + rows * (kTile + kLabelHeight + kGap),
                   {24, 24, 28, 255});
  for (size_t i = 0; i < textures.size(); ++i) {
    const int column = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
    DrawTile(sheet, textures[i], kGap + column * (kTile + kGap),
             kGap + row * (kTile + kLabelHeight + kGap));
  }
  const std::vector<uint8_t> png = EncodePng(sheet, PngChannels::kRgb);
  std::ofstream out(sheetPath, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!out) {
    error = "cannot write " + sheetPath;
    return false;
  }
  return true;
}
