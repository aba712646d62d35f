#include "effects/text_overlay.h"

#include <iterator>

#include "demo/demo.h"
#include "effects/screen_quad.h"

namespace {

// A word of the sentence: its window in the part's progress and its box, as fractions of
// the screen.
struct OverlayWord {
  const char* word;
  float start, end;
  float x, y, width, height;
};

// Windows in the part's progress, timed against the music.
constexpr OverlayWord kWords[] = {
    {"we", 0.018229f, 0.144656f, 0.05f, 0.1f, 0.3f, 0.3f},
    {"are", 0.038504f, 0.144656f, 0.35f, 0.1f, 0.3f, 0.3f},
    {"not", 0.05941f, 0.144656f, 0.65f, 0.1f, 0.3f, 0.3f},
    {"lovers", 0.069671f, 0.154656f, 0.1f, 0.28f, 0.8f, 0.72f},
    {"we", 0.154656f, 0.35247f, 0.05f, 0.1f, 0.3f, 0.3f},
    {"are", 0.169268f, 0.35247f, 0.35f, 0.1f, 0.3f, 0.3f},
    {"not", 0.186592f, 0.35247f, 0.65f, 0.1f, 0.3f, 0.3f},
    {"ro", 0.198564f, 0.36247f, 0.05f, 0.28f, 0.2f, 0.72f},
    {"man", 0.276888f, 0.36247f, 0.25f, 0.28f, 0.4f, 0.72f},
    {"tics", 0.306824f, 0.36247f, 0.6f, 0.28f, 0.4f, 0.72f},
    {"we", 0.37247f, 0.498384f, 0.05f, 0.1f, 0.3f, 0.3f},
    {"are", 0.388712f, 0.498384f, 0.35f, 0.1f, 0.3f, 0.3f},
    {"here", 0.407707f, 0.498384f, 0.65f, 0.1f, 0.3f, 0.3f},
    {"to", 0.436968f, 0.498384f, 0.4f, 0.3f, 0.2f, 0.2f},
    {"serve", 0.468384f, 0.529053f, 0.2f, 0.4f, 0.6f, 0.45f},
    {"you", 0.499053f, 0.655589f, 0.1f, 0.05f, 0.8f, 0.8f},
};
constexpr size_t kGrowingWord = std::size(kWords) - 1;

constexpr float kFadeLength = 0.02f;  // of the part, at each end of a word's window
constexpr float kFadeSlope = 50.0f;
constexpr D3DCOLOR kWordGrey = 0x4C4C4Cu;

}  // namespace

CTextOverlay::CTextOverlay(CDemo* owner) : CPart(owner) {}

void CTextOverlay::Init() {}

void CTextOverlay::Render(float progress) {
  for (size_t row = 0; row < std::size(kWords); ++row) {
    const OverlayWord& word = kWords[row];
    if (!(word.start < progress && progress < word.end)) continue;
    const float f = (progress - word.start) / (word.end - word.start);
    const float scale = row == kGrowingWord ? 2.0f * f + 0.2f : ((1.0f - f) + 1.0f) * 0.5f;
    float fade = 1.0f;
    if (progress < word.start + kFadeLength) {
      fade = (progress - word.start) * kFadeSlope;
    } else if (progress > word.end - kFadeLength) {
      fade = 1.0f - (progress - (word.end - kFadeLength)) * kFadeSlope;
    }
    const float width = scale * word.width;
    const float height = scale * word.height;
    const float x = (word.width - width) * 0.5f + word.x;
    const float y = (word.height - height) * 0.5f + word.y;
    demo->font().DrawString(word.word, WithOpacity(fade, kWordGrey), x, y, width, height);
  }
}

void CTextOverlay::Release() {}
