#pragma once
// The study mode's overlay, drawn with Dear ImGui over the picture in the window (never
// into the demo's render target): demo time, the timeline as a strip of every row's span
// with the parts on screen lit and a cursor that can be dragged to seek, the parts on
// screen with their progress, and the frame rate with a graph of recent frame times.
#include <SDL2/SDL.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class StudyMode;
struct ImGuiContext;

class StudyOverlay {
 public:
  // Sets ImGui up on `window` and its current OpenGL context; the overlay starts shown.
  StudyOverlay(SDL_Window* window, const StudyMode& study);
  ~StudyOverlay();

  StudyOverlay(const StudyOverlay&) = delete;
  StudyOverlay& operator=(const StudyOverlay&) = delete;

  // Passes mouse input to the overlay. Returns true when the overlay took it.
  bool HandleEvent(const SDL_Event& event);
  void ToggleShown() { shown_ = !shown_; }
  bool shown() const { return shown_; }

  // Draws the overlay into the bound framebuffer; called as the picture is presented.
  void Draw();
  // A seek the viewer asked for by letting go of the cursor, once: the player carries it
  // out between frames.
  std::optional<double> TakeSeekRequest();

 private:
  void DrawTimeline(float width);
  void DrawActiveParts();
  void DrawFrameRate();
  void NoteFrameTime();

  const StudyMode& study_;
  // Each timeline row's lane in the strip, laid out once: the schedule never changes.
  int laneCount_ = 0;
  std::vector<int> lanes_;
  ImGuiContext* imgui_ = nullptr;
  bool shown_ = true;
  std::optional<double> dragTarget_;
  std::optional<double> seekRequest_;
  // Milliseconds between the last frames presented, oldest first from next_.
  std::array<float, 120> frameTimes_{};
  size_t next_ = 0;
  uint64_t lastPresent_ = 0;
};
