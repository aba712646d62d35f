#include "kit/png_encoder.h"
#include "pictures/intro_painters.h"
#include "pictures/picture_entries.h"

namespace picture_art {
namespace {
// Each picture is painted at its design size and reduced to a texture that the 0.6 x 0.6
// (384 x 288 on a 640 x 480 screen) or 0.6 x 0.3 quads enlarge by 1.5 x 1.125; the card,
// 0.8 x 0.6 of the screen, is shown nearly texel for texel. The demo blends them all by
// their alpha over the static.
struct IntroPicture {
  const char* name;
  DesignSize design;
  int textureWidth, textureHeight;
  void (*paint)(LayerCanvas&);
};

constexpr IntroPicture kIntroPictures[] = {
    {"i01.png", kIntroLarge, 256, 256, PaintTuningDial},
    {"i02.png", kIntroLarge, 256, 256, PaintHalftoneOrb},
    {"i03.png", kIntroLarge, 256, 256, PaintLanternLight},
    {"i04.png", kIntroLarge, 256, 256, PaintChevrons},
    {"i05.png", kIntroLarge, 256, 256, PaintGlyphTable},
    {"i06.png", kIntroLarge, 256, 256, PaintHorizonGrid},
    {"i07.png", kIntroStrip, 256, 128, PaintDarkStrip},
    {"i08.png", kIntroStrip, 256, 128, PaintSearchingStrip},
    {"i09.png", kIntroStrip, 256, 128, PaintBarcodeStrip},
    {"i10.png", kIntroLarge, 256, 256, PaintLetterFragment},
    {"i11.png", kIntroStrip, 256, 128, PaintCarryStrip},
    {"ckpres.png", kIntroCard, 512, 256, PaintPresentsCard},
};
}  // namespace

std::vector<ArchiveEntry> MakeIntroPictureEntries() {
  std::vector<ArchiveEntry> entries;
  for (const IntroPicture& picture : kIntroPictures) {
    LayerCanvas canvas(picture.design.width, picture.design.height);
    picture.paint(canvas);
    entries.push_back(StreamEntry(
        picture.name,
        EncodePng(canvas.Reduce(picture.textureWidth, picture.textureHeight), PngChannels::kRgba)));
  }
  return entries;
}

}  // namespace picture_art
