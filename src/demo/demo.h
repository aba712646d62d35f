#pragma once
// The demo runtime: owns the 3D context, the archive, the music, the clock and the
// timeline of parts. Construction brings everything up while "Loading..." is shown and
// starts the music and the clock; DrawFrame draws one frame of the timeline; the destructor
// releases everything in order.
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "app/timer.h"
#include "demo/audio.h"
#include "render/d3dx/d3dx_context.h"
#include "render/d3dx/d3dx_matrix_stack.h"
#include "resources/bitmap_font.h"
#include "resources/texture_manager.h"

struct SDL_Window;
class CPart;

// One scheduled part: its window in demo time (offset included) and whether an exception
// from its Render is still to be reported.
struct TimelineEntry {
  bool report;
  std::string name;
  float start;
  float end;
  CPart* part;
};

class CDemo;
// Adds the demo's parts; the program's script is BuildTimeline (timeline_script.h).
using TimelineScript = std::function<void(CDemo&)>;

class CDemo {
 public:
  // Throws demoError when anything cannot be brought up. Demo time is read from `clock`.
  CDemo(SDL_Window* window, bool fullscreen, uint32_t width, uint32_t height,
        uint32_t bitsPerPixel, uint32_t deviceIndex, bool mute, const Clock& clock,
        const TimelineScript& script);
  ~CDemo();

  CDemo(const CDemo&) = delete;
  CDemo& operator=(const CDemo&) = delete;

  // Takes ownership of `part`, schedules it for [start, end] (scripted seconds, before the
  // offset) and initialises it. Parts must be added in order of start time.
  void AddPart(CPart* part, const std::string& name, double start, double end);
  // Draws one frame; false once the timeline has run out.
  bool DrawFrame();
  // The render target has a new size (from the window). A zero width or height (a
  // minimised window) is ignored.
  void OnResize(uint32_t width, uint32_t height);

  // Seconds since the clock was reset, less the paused spans.
  float CurrentTime() const { return timer.DemoTime(); }

  std::vector<CPart*> parts;
  std::list<TimelineEntry> pending;
  std::list<TimelineEntry> active;
  CTimer timer;
  ID3DXMatrixStack* matrixStacks[3] = {};
  IDirect3D7* d3d = nullptr;
  IDirectDrawSurface7* primary = nullptr;
  IDirect3DDevice7* device = nullptr;
  IDirectDraw7* ddraw = nullptr;
  ID3DXContext* context = nullptr;
  CTextureManager* textures = nullptr;
  IStorage* archive = nullptr;
  std::unique_ptr<BitmapFont> font;
  bool hardwareTnL = false;
  bool hasStencil = false;
  uint32_t width = 0;
  uint32_t height = 0;
  AudioStream stream = 0;
  std::vector<uint8_t> audioBuffer;
  bool mute;

 private:
  void CreateContext(SDL_Window* window, bool fullscreen, uint32_t targetWidth,
                     uint32_t targetHeight, uint32_t bitsPerPixel, uint32_t deviceIndex);
  void CreateTextureManager();
  void OpenDataArchive();
  void SetDefaultRenderState();
  void ShowLoadingScreen();
  void LoadMusic();
  void PlayMusic();
  void StopAndFreeMusic();
  void DeleteParts();
  void ReleaseObjects();

  bool audioInitialised_ = false;
  DWORD colourBits_ = 0;
};

// Process-wide pointers for the parts, set while the demo exists.
extern CDemo* g_demo;
extern IDirect3DDevice7* g_d3dDevice;
extern IDirect3D7* g_d3d;
extern IDirectDraw7* g_ddraw;
extern uint32_t g_screenWidth;
extern uint32_t g_screenHeight;
