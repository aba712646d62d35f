#pragma once
// Instruments a context hands out for looking at its frames (ID3DXContext::Create*): they
// measure and copy what was drawn without the caller knowing which backend drew it.
#include <cstdint>
#include <functional>
#include <vector>

// Reads the frames back without waiting for each copy: a frame goes into one of a ring of
// buffers when it has been drawn and is taken out after the next one has been drawn, so a
// GPU copies while the CPU goes on.
class FrameReadback {
 public:
  virtual ~FrameReadback() = default;

  // Starts copying the frame just drawn. Call only while a buffer is free.
  virtual void Request() = 0;
  // Whether every buffer holds a frame not yet taken.
  virtual bool Full() const = 0;
  virtual bool Empty() const = 0;
  // Waits for the oldest requested frame and copies it into `bottomUpBgrx`: 4 bytes per
  // pixel (blue, green, red, alpha), the bottom row first. Throws std::runtime_error when
  // the frame cannot be read.
  virtual void TakeOldest(std::vector<uint8_t>& bottomUpBgrx) = 0;
};

// Counts the fragments that reach the render target, frame by frame: every fragment that
// passes the depth test (and is not discarded) between Begin and End. A frame's count is
// read only once the renderer has it, a frame or more later, so counting does not make the
// processor wait for the frame being drawn.
class FragmentCounter {
 public:
  // Called with the number a frame was given by End and its count.
  using Report = std::function<void(uint64_t frame, uint64_t fragments)>;

  virtual ~FragmentCounter() = default;

  // Starts counting a frame (after the last one has ended). When every query is still in
  // flight, waits for the oldest and reports it first.
  virtual void Begin(const Report& report) = 0;
  // Stops counting; returns the frame's number (0, 1, 2, ... in order).
  virtual uint64_t End() = 0;
  // Reports every frame whose count has arrived, oldest first; with `wait`, every frame.
  virtual void Collect(const Report& report, bool wait) = 0;
};
