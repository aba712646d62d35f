#pragma once
// Fragment counting over OpenGL, with a ring of GL_SAMPLES_PASSED occlusion queries.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cstdint>

#include "render/d3dx/frame_instruments.h"

class GlFragmentCounter final : public FragmentCounter {
 public:
  // Needs the OpenGL context current, here and in every call.
  GlFragmentCounter();
  ~GlFragmentCounter() override;
  GlFragmentCounter(const GlFragmentCounter&) = delete;
  GlFragmentCounter& operator=(const GlFragmentCounter&) = delete;

  void Begin(const Report& report) override;
  uint64_t End() override;
  void Collect(const Report& report, bool wait) override;

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
