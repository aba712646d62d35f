#pragma once
// The pictures that flash over the static of the opening, each painted on a canvas of its
// design size (its size on a 640 x 480 screen, doubled): kIntroLarge for the 0.6 x 0.6
// screen pictures, kIntroStrip for the 0.6 x 0.3 strips that jitter over them, kIntroCard
// for the 0.8 x 0.6 card that ends the opening.
#include "pictures/layer_canvas.h"

namespace picture_art {

struct DesignSize {
  int width, height;
};
inline constexpr DesignSize kIntroLarge{768, 576};
inline constexpr DesignSize kIntroStrip{768, 288};
inline constexpr DesignSize kIntroCard{1024, 576};

// Large pictures (kIntroLarge).
void PaintTuningDial(LayerCanvas& canvas);
void PaintGlyphTable(LayerCanvas& canvas);
void PaintChevrons(LayerCanvas& canvas);
void PaintLanternLight(LayerCanvas& canvas);
void PaintHalftoneOrb(LayerCanvas& canvas);
void PaintHorizonGrid(LayerCanvas& canvas);
void PaintLetterFragment(LayerCanvas& canvas);

// Strips (kIntroStrip).
void PaintSearchingStrip(LayerCanvas& canvas);
void PaintBarcodeStrip(LayerCanvas& canvas);
void PaintDarkStrip(LayerCanvas& canvas);
void PaintCarryStrip(LayerCanvas& canvas);

// The card (kIntroCard).
void PaintPresentsCard(LayerCanvas& canvas);

}  // namespace picture_art
