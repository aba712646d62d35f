#pragma once
// The demo runtime: owns the 3D context, the archive, the music, the clock and the
// timeline of parts. Construction brings everything up while "Loading..." is shown and
// starts the music and the clock; DrawFrame draws one frame of the timeline; the destructor
// releases everything in order.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/timer.h"
#include "demo/audio.h"
#include "demo/device_state_snapshot.h"
#include "demo/timeline.h"
#include "render/d3dx/d3dx_context.h"
#include "render/d3dx/d3dx_matrix_stack.h"
#include "resources/bitmap_font.h"
#include "resources/texture_manager.h"

struct SDL_Window;
class CPart;

class CDemo;
// Adds the demo's parts; the program's script is BuildTimeline (show/timeline_script.h).
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

  // Takes `part`, schedules it for [start, end] (scripted seconds, before the offset) and
  // initialises it. Parts must be added in order of start time.
  void AddPart(std::unique_ptr<CPart> part, const std::string& name, double start, double end);
  // Draws one frame; false once the timeline has run out.
  bool DrawFrame();
  // Brings the demo to the frame on screen at `seconds` in a run at `fps` frames a second,
  // as a viewer of that run sees it: rewinds, plays the frames from the start of the
  // earliest part then on screen without drawing their pixels, and sets the timer to the
  // frame's time (a paused timer stays paused). The next DrawFrame draws the frame itself.
  // Returns the frame's time. `seconds` must lie before the timeline's end.
  double SeekTo(double seconds, double fps);
  // Back to the state the demo was built in: the timeline's schedule, every part as Init
  // left it, the sequence of chance and the device's states.
  void Rewind();
  // The render target has a new size (from the window). A zero width or height (a
  // minimised window) is ignored.
  void OnResize(uint32_t width, uint32_t height);

  // Seconds since the clock was reset, less the paused spans.
  float CurrentTime() const { return timer_.DemoTime(); }

  // What the parts draw with and load from.
  IDirect3D7* direct3D() const { return d3d_; }
  IDirect3DDevice7* device() const { return device_; }
  ID3DXContext* context() const { return context_; }
  CTextureManager* textures() const { return textures_; }
  IStorage* archive() const { return archive_; }
  BitmapFont& font() const { return *font_; }
  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  bool hasStencil() const { return hasStencil_; }

  // The timeline, and the timer it plays by (which the window pauses and resumes).
  const Timeline& timeline() const { return timeline_; }
  CTimer& timer() { return timer_; }
  // The music goes on from `seconds` of demo time (nothing happens when muted).
  void SeekMusicTo(double seconds);
  // Where the music is, in demo seconds: the samples handed to the output so far.
  double MusicPosition() const;
  // The music: its stream (0 when muted or not started) and the decoded samples.
  AudioStream stream() const { return stream_; }
  const std::vector<uint8_t>& audioBuffer() const { return audioBuffer_; }

  // Put another texture manager or font in the parts' hands (a test draws through a
  // recording device this way) and hand back the one replaced, which the demo no longer
  // releases; the demo releases what it holds when it ends.
  CTextureManager* ReplaceTextures(CTextureManager* textures);
  std::unique_ptr<BitmapFont> ReplaceFont(std::unique_ptr<BitmapFont> font);

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
  void ReleaseObjects();

  Timeline timeline_;
  CTimer timer_;
  // What Rewind puts back, taken once everything is built.
  uint32_t builtRandState_ = 0;
  std::unique_ptr<DeviceStateSnapshot> builtStates_;
  ID3DXMatrixStack* matrixStacks_[3] = {};
  IDirect3D7* d3d_ = nullptr;
  IDirectDrawSurface7* primary_ = nullptr;
  IDirect3DDevice7* device_ = nullptr;
  IDirectDraw7* ddraw_ = nullptr;
  ID3DXContext* context_ = nullptr;
  CTextureManager* textures_ = nullptr;
  IStorage* archive_ = nullptr;
  std::unique_ptr<BitmapFont> font_;
  bool hasStencil_ = false;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  AudioStream stream_ = 0;
  std::vector<uint8_t> audioBuffer_;
  bool mute_;
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
