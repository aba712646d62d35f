#include "demo/timeline_script.h"

#include "demo/demo.h"
#include "effects/fade.h"

namespace {

constexpr D3DCOLOR kWhite = 0xFFFFFFFFu;
constexpr D3DCOLOR kBlack = 0x00000000u;

// A cut's fade: "to" the colour ends a shot, "from" the colour begins the next.
void AddFade(CDemo& demo, FadeDirection direction, D3DCOLOR colour, double start, double end) {
  demo.AddPart(new CFade(&demo, direction, colour), "fade", start, end);
}
void FadeTo(CDemo& demo, D3DCOLOR colour, double start, double end) {
  AddFade(demo, FadeDirection::kToColour, colour, start, end);
}
void FadeFrom(CDemo& demo, D3DCOLOR colour, double start, double end) {
  AddFade(demo, FadeDirection::kFromColour, colour, start, end);
}

}  // namespace

// The rows of the script, in start order. Each row constructs one part and hands it to
// AddPart with its name and its scripted window (without kTimeOffset, which AddPart adds).
// The times are f32 values chosen to match the soundtrack (0, 56 and 300 are integers and
// 58.5 a double, as written). A row is written here when its part class exists; until
// then the demo plays the rows that do.
void BuildTimeline(CDemo& demo) {
  FadeTo(demo, kWhite, 27.6f, 27.892973f);
  FadeFrom(demo, kWhite, 27.892973f, 28.2f);
  FadeTo(demo, kBlack, 56, 57.99461f);
  FadeFrom(demo, kBlack, 57.99461f, 58.5);
  FadeTo(demo, kBlack, 68.99704f, 69.99704f);
  FadeFrom(demo, kBlack, 69.99704f, 70.59704f);
  FadeTo(demo, kBlack, 79.03964f, 81.63964f);
  FadeFrom(demo, kWhite, 81.63964f, 82.03964f);
  FadeTo(demo, kWhite, 93.5941f, 93.9941f);
  FadeFrom(demo, kWhite, 93.9941f, 94.4941f);
  FadeTo(demo, kWhite, 117.49361f, 117.8936f);
  FadeFrom(demo, kBlack, 130.33583f, 131.33583f);
  FadeTo(demo, kBlack, 141.37498f, 142.37498f);
  FadeFrom(demo, kBlack, 142.37498f, 142.97498f);
  FadeTo(demo, kBlack, 177.6797f, 178.1797f);
  FadeFrom(demo, kBlack, 178.1797f, 178.8797f);
  FadeTo(demo, kWhite, 189.63315f, 190.03316f);
  FadeFrom(demo, kWhite, 190.03316f, 190.33315f);
  FadeTo(demo, kWhite, 213.90611f, 214.20612f);
  FadeFrom(demo, kWhite, 214.20612f, 214.60611f);
  FadeTo(demo, kBlack, 263.95142f, 270.6807f);
}
