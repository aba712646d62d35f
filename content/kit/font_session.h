#pragma once
// One FreeType library with one of the DejaVu faces open, for as long as it lives. Each
// text or outline request makes its own, so generators on several threads never share one.
#include <ft2build.h>
#include FT_FREETYPE_H

#include "kit/text_raster.h"

class FontSession {
 public:
  // Opens `face`; throws std::runtime_error when FreeType or the font file is missing.
  explicit FontSession(Typeface face);
  ~FontSession();
  FontSession(const FontSession&) = delete;
  FontSession& operator=(const FontSession&) = delete;

  FT_Face face() const { return face_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};
