#include "show/timeline_script.h"

#include "demo/demo.h"
#include "effects/capture_composite.h"
#include "effects/fade.h"
#include "effects/final_images.h"
#include "effects/flare_composite.h"
#include "effects/particle_title.h"
#include "effects/static_intro.h"
#include "effects/terrain_effect.h"
#include "effects/text_overlay.h"
#include "effects/tunnel_composite.h"
#include "effects/vent_shaft_effect.h"
#include "scene/scene_part.h"

namespace {

constexpr D3DCOLOR kWhite = 0xFFFFFFFFu;
constexpr D3DCOLOR kBlack = 0x00000000u;

// A cut's fade: "to" the colour ends a shot, "from" the colour begins the next.
void AddFade(CDemo& demo, FadeDirection direction, D3DCOLOR colour, double start, double end) {
  demo.AddPart(std::make_unique<CFade>(&demo, direction, colour), "fade", start, end);
}
void FadeTo(CDemo& demo, D3DCOLOR colour, double start, double end) {
  AddFade(demo, FadeDirection::kToColour, colour, start, end);
}
void FadeFrom(CDemo& demo, D3DCOLOR colour, double start, double end) {
  AddFade(demo, FadeDirection::kFromColour, colour, start, end);
}

// A shot of a heron scene: scene time sceneStart at the part's start to sceneEnd at its
// end (0: the animation's end).
void AddScene(CDemo& demo, const char* name, const char* scene, int noDepth, float sceneStart,
              float sceneEnd, double start, double end) {
  demo.AddPart(std::make_unique<CScenePart>(&demo, scene, noDepth, sceneStart, sceneEnd), name,
               start, end);
}

}  // namespace

// The rows of the script, in start order. Each row constructs one part and hands it to
// AddPart with its name and its scripted window (without kTimeOffset, which AddPart adds).
// The times are f32 values chosen to match the soundtrack (0, 56 and 300 are integers and
// 58.5 a double, as written). All 38 rows: the demo plays them from the static intro to
// the closing pictures and then closes itself.
void BuildTimeline(CDemo& demo) {
  demo.AddPart(std::make_unique<CStaticIntro>(&demo), "intro", 0, 27.892973f);
  FadeTo(demo, kWhite, 27.6f, 27.892973f);
  AddScene(demo, "binary", "binary.hrn", 0, 0, 0, 27.892973f, 57.99461f);
  FadeFrom(demo, kWhite, 27.892973f, 28.2f);
  demo.AddPart(std::make_unique<CParticleTitle>(&demo), "title", 44.908302f, 57.99461f);
  FadeTo(demo, kBlack, 56, 57.99461f);
  demo.AddPart(std::make_unique<CTerrainEffect>(&demo), "terrain", 57.99461f, 69.99704f);
  FadeFrom(demo, kBlack, 57.99461f, 58.5);
  FadeTo(demo, kBlack, 68.99704f, 69.99704f);
  AddScene(demo, "stairs", "stairs.hrn", 0, 0, 0, 69.99704f, 81.63964f);
  FadeFrom(demo, kBlack, 69.99704f, 70.59704f);
  FadeTo(demo, kBlack, 79.03964f, 81.63964f);
  demo.AddPart(std::make_unique<CCaptureComposite>(&demo), "fast1", 81.63964f, 93.9941f);
  FadeFrom(demo, kWhite, 81.63964f, 82.03964f);
  FadeTo(demo, kWhite, 93.5941f, 93.9941f);
  AddScene(demo, "surgery", "surgery.hrn", 0, 0, 0, 93.9941f, 117.8936f);
  FadeFrom(demo, kWhite, 93.9941f, 94.4941f);
  FadeTo(demo, kWhite, 117.49361f, 117.8936f);
  demo.AddPart(std::make_unique<CFlareComposite>(&demo), "fast2", 117.8936f, 130.33583f);
  AddScene(demo, "ppl part1", "ppl.hrn", 0, 0, 11.891686f, 130.33583f, 142.37498f);
  FadeFrom(demo, kBlack, 130.33583f, 131.33583f);
  FadeTo(demo, kBlack, 141.37498f, 142.37498f);
  AddScene(demo, "pitcombo", "pitcombo.hrn", 0, 0, 0, 142.37498f, 178.1797f);
  FadeFrom(demo, kBlack, 142.37498f, 142.97498f);
  FadeTo(demo, kBlack, 177.6797f, 178.1797f);
  AddScene(demo, "ppl part2", "ppl.hrn", 0, 12.892686f, 0, 178.1797f, 190.03316f);
  FadeFrom(demo, kBlack, 178.1797f, 178.8797f);
  demo.AddPart(std::make_unique<CTextOverlay>(&demo), "ppl2text", 178.1797f, 190.03316f);
  FadeTo(demo, kWhite, 189.63315f, 190.03316f);
  demo.AddPart(std::make_unique<CVentShaftEffect>(&demo), "tunnel", 190.03316f, 214.20612f);
  AddScene(demo, "greets", "greets.hrn", 1, 0, 0, 190.03316f, 214.20612f);
  FadeFrom(demo, kWhite, 190.03316f, 190.33315f);
  FadeTo(demo, kWhite, 213.90611f, 214.20612f);
  AddScene(demo, "hrnend", "end.hrn", 1, 0, 0, 214.20612f, 270.6807f);
  demo.AddPart(std::make_unique<CTunnelComposite>(&demo), "end", 214.20612f, 270.6807f);
  FadeFrom(demo, kWhite, 214.20612f, 214.60611f);
  FadeTo(demo, kBlack, 263.95142f, 270.6807f);
  demo.AddPart(std::make_unique<CFinalImages>(&demo), "final", 270.6807f, 300);
}
