#pragma once
// The pictures the scenes' materials are textured with. Each painter makes one picture;
// scene_textures.cpp names and encodes them.
#include "kit/pixel_image.h"

namespace scenes {

// Glyphs and light.
PixelImage BitsTexture();      // rows of glowing 0 and 1 digits on black, tiling
PixelImage BitSparkTexture();  // one glowing digit, for particles
PixelImage GlowTexture();      // a soft round glow, white, for additive sprites
PixelImage StarTexture();      // a glow with four rays
PixelImage SparkTexture();     // a blue-white point of light, for particles
PixelImage PlasmaTexture();    // swirling violet light, the pit pool's reflection
PixelImage ScanlineTexture();  // white bands with dark lines between, tiling
PixelImage ShadowTexture();    // a soft dark stripe fading along v (alpha): a long shadow

// Metals and finishes.
PixelImage GoldChromeTexture();  // a gold horizon reflection, for lettering
PixelImage SheenTexture();       // a cold blue horizon reflection
PixelImage GrainTexture();       // faint grey grain, for surfaces coloured by their vertices
PixelImage BrushedSteelTexture();
PixelImage StoneTexture();  // courses of dressed stone blocks, tiling
PixelImage RockTexture();   // layered, cracked rock, tiling

// Flesh with glowing veins, tiling: the morphing shapes.
PixelImage VeinsTexture();

// The night of the closing scene.
PixelImage NightSkyTexture();      // stars on a faint haze, tiling
PixelImage PaperLanternTexture();  // the glowing paper of a sky lantern
PixelImage NightWaterTexture();    // the reflection map of the lake at night

// The operating room.
PixelImage TilesTexture();     // glazed wall tiles, tiling
PixelImage TerrazzoTexture();  // a speckled floor, tiling
PixelImage GlassTexture();     // clear glass with reflections and a frosted band (alpha)
PixelImage LampFaceTexture();  // the bulbs of a surgical lamp
// The frames of the two monitors' animated screens.
PixelImage MonitorTraceFrame(int frame, int frames);  // a heart trace being swept
PixelImage MonitorScanFrame(int frame, int frames);   // an ultrasound fan

}  // namespace scenes
