#include <string>

#include "kit/png_encoder.h"
#include "scenes/heron_scenes.h"
#include "scenes/texture_painters.h"

namespace scenes {

std::vector<ArchiveEntry> SceneTextures() {
  const auto rgb = [](const std::string& name, const PixelImage& image) {
    return StreamEntry(name, EncodePng(image, PngChannels::kRgb));
  };
  const auto rgba = [](const std::string& name, const PixelImage& image) {
    return StreamEntry(name, EncodePng(image, PngChannels::kRgba));
  };
  std::vector<ArchiveEntry> textures = {
      rgb("hrn_bits.png", BitsTexture()),
      rgb("hrn_bitspark.png", BitSparkTexture()),
      rgb("hrn_glow.png", GlowTexture()),
      rgb("hrn_star.png", StarTexture()),
      rgba("hrn_shadow.png", ShadowTexture()),
      rgb("hrn_gold.png", GoldChromeTexture()),
      rgb("hrn_sheen.png", SheenTexture()),
      rgb("hrn_grain.png", GrainTexture()),
      rgb("hrn_steel.png", BrushedSteelTexture()),
      rgb("hrn_stone.png", StoneTexture()),
      rgb("hrn_rock.png", RockTexture()),
      rgb("hrn_spark.png", SparkTexture()),
      rgb("hrn_plasma.png", PlasmaTexture()),
      rgb("hrn_scanlines.png", ScanlineTexture()),
      rgb("hrn_veins.png", VeinsTexture()),
      rgb("hrn_nightsky.png", NightSkyTexture()),
      rgb("hrn_lantern.png", PaperLanternTexture()),
      rgb("hrn_nightwater.png", NightWaterTexture()),
      rgb("hrn_tiles.png", TilesTexture()),
      rgb("hrn_terrazzo.png", TerrazzoTexture()),
      rgba("hrn_glass.png", GlassTexture()),
      rgb("hrn_lampface.png", LampFaceTexture()),
  };
  // Animated screens: frames stem1.png .. stemN.png.
  for (int frame = 0; frame < kTraceFrames; ++frame) {
    textures.push_back(rgb("hrn_trace" + std::to_string(frame + 1) + ".png",
                           MonitorTraceFrame(frame, kTraceFrames)));
  }
  for (int frame = 0; frame < kScanFrames; ++frame) {
    textures.push_back(
        rgb("hrn_scan" + std::to_string(frame + 1) + ".png", MonitorScanFrame(frame, kScanFrames)));
  }
  return textures;
}

}  // namespace scenes
