#pragma once
// Counts the fragments that reach the render target, frame by frame, with GL_SAMPLES_PASSED
// occlusion queries: every fragment that passes the depth test (and is not discarded)
// between Begin and End. A frame's count is read only once the renderer has it, a frame or
// more later, so counting does not make the processor wait for the frame being drawn.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cstdint>
#include <functional>

class GlFragmentCounter {
 public:
  // Called with the number a frame was given by End and its count.
  using Report = std::function<void(uint64_t frame, uint64_t fragments)>;

  // Needs the OpenGL context current, here and in every call.
  GlFragmentCounter();
  ~GlFragmentCounter();
  GlFragmentCounter(const GlFragmentCounter&) = delete;
  GlFragmentCounter& operator=(const GlFragmentCounter&) = delete;

  // Starts counting a frame (after the last one has ended). When every query is still in flight, waits for the oldest
  // and reports it first.
  void Begin(const Report& report);
  // Stops counting; returns the frame's number (0, 1, 2, ... in order).
  uint64_t End();
  // Reports every frame whose count has arrived, oldest first; with `wait`, every frame.
  void Collect(const Report& report, bool wait);

 private:
  // Queries in flight: enough for the two frames a renderer may run behind, and one.
  static constexpr size_t kQueries = 4;

  // Reports the oldest frame in flight, if its count has arrived or `wait` is set.
  bool ReportOldest(const Report& report, bool wait);

  std::array<GLuint, kQueries> queries_{};
  uint64_t begun_ = 0;     // frames begun
  uint64_t reported_ = 0;  // frames reported
  bool counting_ = false;
};
