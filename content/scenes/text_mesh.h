#pragma once
// 3D lettering: font outlines extruded into solid letters, laid out on a line.
#include <string_view>
#include <vector>

#include "kit/text_raster.h"
#include "scenes/mesh.h"

namespace scenes {

struct Lettering {
  Typeface face = Typeface::kSansBold;
  float height = 1;       // world size of the font's em
  float depth = 0.2f;     // extrusion along +z, away from a reader looking along +z
  float widthScale = 1;   // horizontal scale of the letters (and their spacing)
  int curveSteps = 4;     // segments per outline curve
  bool withBack = false;  // close the back of the letters
  bool flat = false;      // the front face alone (depth unused)
};

struct Letter {
  char character = 0;
  Vec3 centre;  // where the letter's middle stands, the line centred on the origin
  Mesh mesh;    // around the letter's own middle
};

// The letters of `text` (spaces left out), the line centred on the origin, reading along
// +x with y up and the front at z = 0 facing -z.
std::vector<Letter> Letters(std::string_view text, const Lettering& lettering);
// The whole line as one mesh around the origin.
Mesh TextMesh(std::string_view text, const Lettering& lettering);

}  // namespace scenes
