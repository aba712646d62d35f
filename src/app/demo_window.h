#pragma once
// The demo's window and its event loop. The loop drains pending events; when none is
// waiting it draws a frame (full screen, active, or allowed to run in the background) or
// sleeps until the next event.
#include <SDL2/SDL.h>

class CDemo;
class StudyMode;
class StudyOverlay;

// True while the demo's window has the input focus.
extern bool g_appActive;

class CDemoWindow {
 public:
  CDemoWindow(bool fullscreen, bool runAlways, bool onTop);
  ~CDemoWindow();

  CDemoWindow(const CDemoWindow&) = delete;
  CDemoWindow& operator=(const CDemoWindow&) = delete;

  // Full screen: a hidden borderless window over the whole desktop, shown by Show.
  // Windowed: a visible 640 x 480 window. Returns false when SDL cannot make it.
  bool Create();
  void Show();
  SDL_Window* Handle() const { return window_; }

  // The demo receives activation, resize and frame calls once it is set.
  void SetDemo(CDemo* demo) { demo_ = demo; }
  // In study mode the keys and the loop's frames go through `study`, and the mouse to
  // `overlay` (both null: the demo plays as it always does).
  void SetStudy(StudyMode* study, StudyOverlay* overlay);

  // Runs until the window is closed; returns the exit code of a normal run.
  int RunMessageLoop();
  void HandleEvent(const SDL_Event& event);
  bool Closed() const { return closed_; }

 private:
  void OnActivate(bool active);
  void HandleStudyKey(const SDL_KeyboardEvent& key);
  // One turn of the loop with nothing to handle: draws a frame, or waits for an event.
  void Idle();
  void OnResize();
  void Close();

  bool fullscreen_;
  bool runAlways_;
  bool onTop_;
  SDL_Window* window_ = nullptr;
  CDemo* demo_ = nullptr;
  StudyMode* study_ = nullptr;
  StudyOverlay* overlay_ = nullptr;
  bool closed_ = false;
  // Set while a focus loss holds the clock and the music, so that a focus gain resumes
  // only what a loss paused (SDL may report either one twice, or a gain first).
  bool pausedByFocus_ = false;
};
