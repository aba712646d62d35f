#include "kit/font_session.h"

#include <stdexcept>
#include <string>

namespace {
const char* FontPath(Typeface face) {
  switch (face) {
    case Typeface::kSans: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case Typeface::kSansBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case Typeface::kSerif: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case Typeface::kSerifBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case Typeface::kMonoBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
  }
  return "";
}
}  // namespace

FontSession::FontSession(Typeface face) {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType did not start");
  if (FT_New_Face(library_, FontPath(face), 0, &face_) != 0) {
    FT_Done_FreeType(library_);
    throw std::runtime_error(std::string("Cannot open font ") + FontPath(face) +
                             " (Debian package fonts-dejavu-core)");
  }
}

FontSession::~FontSession() {
  FT_Done_Face(face_);
  FT_Done_FreeType(library_);
}
