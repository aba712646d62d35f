#include "resources/texture_manager.h"

#include <gtest/gtest.h>

#include <regex>

#include "kit/png_encoder.h"
#include "support/compound_file.h"
#include "support/context_fixture.h"
#include "support/log_capture.h"

namespace {

// Available memory as the manager sees it: each sample takes the next queued value.
std::vector<uint64_t> g_memorySamples;
uint64_t NextMemorySample() {
  if (g_memorySamples.empty()) return 0;
  const uint64_t sample = g_memorySamples.front();
  g_memorySamples.erase(g_memorySamples.begin());
  return sample;
}

std::vector<uint8_t> Png(int width, int height, PngChannels channels = PngChannels::kRgb) {
  return EncodePng(PixelImage(width, height, {200, 100, 50, 128}), channels);
}

class TextureManagerTest : public ContextFixture {
 protected:
  void SetUp() override {
    ContextFixture::SetUp();
    g_memorySamples.clear();
    IDirectDraw7* directDraw = context_->GetDD();
    ASSERT_EQ(CreateTextureManager(&manager_, directDraw, device_, NextMemorySample), S_OK);
    directDraw->Release();
  }

  void TearDown() override {
    SafeRelease(manager_);
    ContextFixture::TearDown();
  }

  // Gives the manager an archive of a few small pictures and a few bad entries.
  void UseArchive() {
    CompoundFileBuilder builder;
    builder.AddStream("a.png", Png(8, 8));
    builder.AddStream("b.png", Png(4, 4));
    builder.AddStream("c.png", Png(2, 2));
    builder.AddStream("alpha.png", Png(4, 4, PngChannels::kRgba));
    builder.AddStream("picture.jpg", Png(4, 4));
    std::vector<uint8_t> truncated = Png(16, 16);
    truncated.resize(truncated.size() / 2);
    builder.AddStream("truncated.png", truncated);
    builder.AddStream("garbage.png", std::string(100, 'x'));
    ASSERT_TRUE(builder.Write(directory_.File("textures.dat")));
    IStorage* storage = nullptr;
    ASSERT_EQ(OpenArchive(ArchiveEntryName(directory_.File("textures.dat")).c_str(), &storage),
              S_OK);
    manager_->SetStorage(storage);
    storage->Release();
  }

  int SlotOf(const std::string& name) {
    int index = -99;
    manager_->FindTexture(name, &index);
    return index;
  }

  bool IsLoaded(const std::string& name) {
    IDirectDrawSurface7* surface = manager_->GetTexture(name);
    const bool loaded = surface != nullptr;
    SafeRelease(surface);
    return loaded;
  }

  DDSURFACEDESC2 DescriptionOf(const std::string& name) {
    DDSURFACEDESC2 description{};
    IDirectDrawSurface7* surface = manager_->GetTexture(name);
    if (surface != nullptr) surface->GetSurfaceDesc(&description);
    SafeRelease(surface);
    return description;
  }

  TempDir directory_;
  LogCapture log_;
  CTextureManager* manager_ = nullptr;
};

TEST_F(TextureManagerTest, AFirstLoadWritesItsLineAndTheMemoryLine) {
  UseArchive();
  g_memorySamples = {10u << 20, (10u << 20) - 3 * 1024};
  EXPECT_EQ(manager_->LoadTexture("a.png", 0, 0), S_OK);
  const std::regex line(
      "Loading texture 0: \"a\\.png\"  4 mip levels  \\([0-9]+ / [0-9]+\\)\n"
      "\tjust used 3K, TOTAL: [0-9]+K \n");
  EXPECT_TRUE(std::regex_match(log_.Text(), line)) << log_.Text();
}

TEST_F(TextureManagerTest, TheRunningTotalAddsEveryLoadAndIgnoresMemoryThatCameBack) {
  UseArchive();
  g_memorySamples = {100u << 20, (100u << 20) - 2048, 50u << 20, (50u << 20) + 4096};
  manager_->LoadTexture("a.png", 0, 0);
  manager_->LoadTexture("b.png", 0, 0);
  std::smatch first, second;
  const std::string text = log_.Text();
  ASSERT_TRUE(std::regex_search(text, first, std::regex("just used 2K, TOTAL: ([0-9]+)K")));
  ASSERT_TRUE(std::regex_search(text, second, std::regex("just used 0K, TOTAL: ([0-9]+)K")));
  EXPECT_EQ(first[1], second[1]);
}

TEST_F(TextureManagerTest, ReusingCountsAndTheLastReleaseFrees) {
  UseArchive();
  ASSERT_EQ(manager_->LoadTexture("a.png", 0, 0), S_OK);
  ASSERT_EQ(manager_->LoadTexture("a.png", 0, 0), S_OK);
  EXPECT_NE(log_.Text().find("Reusing texture 0\n"), std::string::npos);
  EXPECT_EQ(log_.Text().find("Loading texture 1"), std::string::npos);

  EXPECT_EQ(manager_->ReleaseTextureByName("a.png"), S_OK);
  EXPECT_TRUE(IsLoaded("a.png"));
  EXPECT_EQ(log_.Text().find("Freeing texture"), std::string::npos);
  EXPECT_EQ(manager_->ReleaseTextureByName("a.png"), S_OK);
  EXPECT_FALSE(IsLoaded("a.png"));
  EXPECT_NE(log_.Text().find("Freeing texture a.png\n"), std::string::npos);
  EXPECT_EQ(manager_->ReleaseTextureByName("a.png"), E_FAIL);
  EXPECT_EQ(manager_->FindTexture("a.png", nullptr), E_FAIL);
}

TEST_F(TextureManagerTest, SlotsAreNeverReusedAndTheLoadNumberCountsNames) {
  UseArchive();
  manager_->LoadTexture("a.png", 0, 0);
  manager_->LoadTexture("b.png", 0, 0);
  manager_->ReleaseTexture(0);
  EXPECT_NE(log_.Text().find("Freeing texture a.png\n"), std::string::npos);
  manager_->LoadTexture("c.png", 0, 0);
  EXPECT_NE(log_.Text().find("Loading texture 1: \"c.png\""), std::string::npos);
  EXPECT_EQ(SlotOf("c.png"), 2);
  EXPECT_EQ(SlotOf("b.png"), 1);
  EXPECT_EQ(manager_->ReleaseTexture(3), E_INVALIDARG);
  EXPECT_EQ(manager_->ReleaseTexture(-1), E_INVALIDARG);

  EXPECT_EQ(manager_->ReleaseAll(), S_OK);
  EXPECT_FALSE(IsLoaded("b.png"));
  manager_->LoadTexture("a.png", 0, 0);
  EXPECT_EQ(SlotOf("a.png"), 0);
}

TEST_F(TextureManagerTest, FailuresAreLoggedAndLeaveNoSlot) {
  EXPECT_EQ(manager_->LoadTexture("a.png", 0, 0), E_FAIL);
  EXPECT_EQ(log_.Text(), "TexMan Error: NO STORAGE\n");

  UseArchive();
  EXPECT_TRUE(FAILED(manager_->LoadTexture("missing.png", 0, 0)));
  EXPECT_NE(log_.Text().find("Error loading texture.  missing.png not found!\n"),
            std::string::npos);
  EXPECT_EQ(log_.Text().find("just used"), std::string::npos);

  EXPECT_EQ(manager_->LoadTexture("picture.jpg", 0, 0), E_NOINTERFACE);
  EXPECT_NE(log_.Text().find("CTextureManager::Add - Error creating ImageReader\n\tjust used "),
            std::string::npos);

  EXPECT_TRUE(FAILED(manager_->LoadTexture("garbage.png", 0, 0)));
  EXPECT_NE(log_.Text().find("CTextureManager::Add - Error getting image dimensions\n"),
            std::string::npos);
  EXPECT_EQ(SlotOf("picture.jpg"), -99);
  EXPECT_EQ(SlotOf("garbage.png"), -99);
  EXPECT_EQ(manager_->Add("x.png", nullptr, 0, 0), E_POINTER);
}

TEST_F(TextureManagerTest, APictureThatBreaksOffStillBecomesATexture) {
  UseArchive();
  EXPECT_EQ(manager_->LoadTexture("truncated.png", 0, 0), S_OK);
  EXPECT_EQ(DescriptionOf("truncated.png").dwWidth, 16u);
}

TEST_F(TextureManagerTest, FormatsResolveThroughTheDefaultAndAlphaFormats) {
  UseArchive();
  manager_->SetDefaultFormat(D3DX_SF_R5G6B5);
  manager_->SetAlphaFormat(D3DX_SF_A4R4G4B4);
  manager_->LoadTexture("a.png", kDefaultTextureFormat, 0);
  manager_->LoadTexture("alpha.png", kAlphaTextureFormat, kTextureNoMipMaps);
  manager_->LoadTexture("b.png", D3DX_SF_A8R8G8B8, 0);
  EXPECT_EQ(DescriptionOf("a.png").format, D3DX_SF_R5G6B5);
  EXPECT_EQ(DescriptionOf("a.png").dwMipMapCount, 4u);
  EXPECT_EQ(DescriptionOf("alpha.png").format, D3DX_SF_A4R4G4B4);
  EXPECT_EQ(DescriptionOf("alpha.png").dwMipMapCount, 1u);
  EXPECT_EQ(DescriptionOf("b.png").format, D3DX_SF_A8R8G8B8);
  EXPECT_EQ(manager_->GetDefaultFormat(), DWORD{D3DX_SF_R5G6B5});
  EXPECT_EQ(manager_->GetAlphaFormat(), DWORD{D3DX_SF_A4R4G4B4});
}

TEST_F(TextureManagerTest, BindingBySlotAndByName) {
  UseArchive();
  manager_->LoadTexture("a.png", 0, 0);
  IDirectDrawSurface7* a = manager_->GetTexture("a.png");
  IDirectDrawSurface7* bound = nullptr;

  EXPECT_EQ(manager_->SetTexture(0, 0), S_OK);
  device_->GetTexture(0, &bound);
  EXPECT_EQ(bound, a);
  SafeRelease(bound);
  EXPECT_EQ(manager_->SetTexture(0, 1), E_INVALIDARG);
  device_->GetTexture(0, &bound);
  EXPECT_EQ(bound, a);
  SafeRelease(bound);
  EXPECT_EQ(manager_->SetTexture(0, -1), S_OK);
  device_->GetTexture(0, &bound);
  EXPECT_EQ(bound, nullptr);

  manager_->SetTextureByName(1, "a.png");
  device_->GetTexture(1, &bound);
  EXPECT_EQ(bound, a);
  SafeRelease(bound);
  manager_->SetTextureByName(1, "unknown.png");
  device_->GetTexture(1, &bound);
  EXPECT_EQ(bound, nullptr);
  SafeRelease(a);
}

TEST_F(TextureManagerTest, CreatingFromPixelsKeepsTheSizeAndCountsByName) {
  std::vector<uint32_t> pixels(32 * 16, 0x80FF0000u);
  EXPECT_EQ(manager_->CreateTexture("made", pixels.data(), 32, 16, 2, 0), S_OK);
  EXPECT_EQ(manager_->CreateTexture("made", nullptr, 32, 16, 2, 0), S_OK);
  EXPECT_EQ(DescriptionOf("made").dwWidth, 32u);
  EXPECT_EQ(DescriptionOf("made").dwHeight, 16u);
  manager_->ReleaseTextureByName("made");
  EXPECT_TRUE(IsLoaded("made"));
}

TEST_F(TextureManagerTest, TheStorageIsCountedAndEveryFormatIsSupported) {
  IStorage* storage = nullptr;
  EXPECT_EQ(manager_->GetStorage(&storage), S_OK);
  EXPECT_EQ(storage, nullptr);
  UseArchive();
  EXPECT_EQ(manager_->GetStorage(&storage), S_OK);
  ASSERT_NE(storage, nullptr);
  storage->Release();
  EXPECT_EQ(manager_->SetStorage(nullptr), S_OK);
  EXPECT_EQ(manager_->LoadTexture("a.png", 0, 0), E_FAIL);
  for (TextureFormat format = 0; format <= 10; ++format) {
    EXPECT_TRUE(manager_->IsFormatSupported(format));
  }
  EXPECT_EQ(CreateTextureManager(nullptr, nullptr, nullptr), E_POINTER);
}

}  // namespace
