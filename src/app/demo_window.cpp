#include "app/demo_window.h"

#include <optional>

#include "app/study_mode.h"
#include "app/study_overlay.h"
#include "demo/audio.h"
#include "demo/demo.h"

bool g_appActive = false;

namespace {
constexpr int kWindowedWidth = 640;
constexpr int kWindowedHeight = 480;
// A paused study shows its frame again at about this interval, for the overlay.
constexpr Uint32 kPausedRedrawMs = 15;
}  // namespace

CDemoWindow::CDemoWindow(bool fullscreen, bool runAlways, bool onTop)
    : fullscreen_(fullscreen), runAlways_(runAlways), onTop_(onTop) {}

CDemoWindow::~CDemoWindow() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool CDemoWindow::Create() {
  Uint32 flags = SDL_WINDOW_OPENGL;
  int width = kWindowedWidth;
  int height = kWindowedHeight;
  if (fullscreen_) {
    // Shown from the start, like a window: the demo presents "Loading..." on it while it
    // builds. (Until the context presents, it shows nothing of its own, so no flash.)
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
      width = desktop.w;
      height = desktop.h;
    }
  } else if (onTop_) {
    flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  }
  window_ = SDL_CreateWindow("lantern", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                             height, flags);
  if (window_ == nullptr) return false;
  // The pointer disappears over the full-screen demo.
  if (fullscreen_) SDL_ShowCursor(SDL_DISABLE);
  return true;
}

void CDemoWindow::Show() {
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void CDemoWindow::SetStudy(StudyMode* study, StudyOverlay* overlay) {
  study_ = study;
  overlay_ = overlay;
}

int CDemoWindow::RunMessageLoop() {
  SDL_Event event;
  while (!closed_) {
    if (SDL_PollEvent(&event)) {
      HandleEvent(event);
    } else {
      Idle();
    }
  }
  return 0;
}

void CDemoWindow::Idle() {
  if (!fullscreen_ && !g_appActive && !runAlways_) {
    SDL_WaitEvent(nullptr);
    return;
  }
  if (study_ == nullptr) {
    if (!demo_->DrawFrame()) Close();
    return;
  }
  if (overlay_ != nullptr) {
    if (const std::optional<double> seek = overlay_->TakeSeekRequest()) study_->SeekTo(*seek);
  }
  if (!study_->Frame()) Close();
  if (study_->paused()) SDL_WaitEventTimeout(nullptr, kPausedRedrawMs);
}

void CDemoWindow::HandleEvent(const SDL_Event& event) {
  if (overlay_ != nullptr && overlay_->HandleEvent(event)) return;
  switch (event.type) {
    case SDL_QUIT:
      Close();
      break;
    case SDL_KEYDOWN:
      if (event.key.keysym.sym == SDLK_ESCAPE) {
        AudioStop();  // the music stops at once, before the window goes
        Close();
      } else if (study_ != nullptr) {
        HandleStudyKey(event.key);
      }
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: OnActivate(true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: OnActivate(false); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: OnResize(); break;
        case SDL_WINDOWEVENT_CLOSE: Close(); break;
        default: break;
      }
      break;
    default:
      break;
  }
}

void CDemoWindow::HandleStudyKey(const SDL_KeyboardEvent& key) {
  if (key.keysym.sym == SDLK_TAB) {
    if (overlay_ != nullptr && key.repeat == 0) overlay_->ToggleShown();
    return;
  }
  // Space toggles once per press; seeks and steps repeat while their key is held.
  if (key.keysym.sym == SDLK_SPACE && key.repeat != 0) return;
  study_->HandleKey(key.keysym.sym, (key.keysym.mod & KMOD_SHIFT) != 0);
}

void CDemoWindow::OnActivate(bool active) {
  g_appActive = active;
  // A paused study already holds the clock and the music.
  if (demo_ == nullptr || runAlways_ || (study_ != nullptr && study_->paused())) return;
  // The clock and the music stop and go on together, so they stay in step.
  if (active && pausedByFocus_) {
    // The music goes on from the picture's moment: what the output had buffered ahead
    // before the pause would otherwise put it ahead a little more with every pause.
    demo_->SeekMusicTo(demo_->CurrentTime());
    demo_->timer().Resume();
    AudioStart();
    pausedByFocus_ = false;
  } else if (!active && !pausedByFocus_) {
    demo_->timer().Pause();
    AudioPause();
    pausedByFocus_ = true;
  }
}

// Only a windowed demo follows its window's size; full screen keeps the chosen mode's size
// and the picture is scaled to the screen.
void CDemoWindow::OnResize() {
  if (fullscreen_ || demo_ == nullptr) return;
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(window_, &width, &height);
  demo_->OnResize(static_cast<uint16_t>(width), static_cast<uint16_t>(height));
}

void CDemoWindow::Close() {
  if (closed_) return;
  closed_ = true;
  // The window goes from the screen now; it is destroyed after the demo has let go of the
  // OpenGL context that lives on it.
  SDL_HideWindow(window_);
  SDL_EnableScreenSaver();
}
