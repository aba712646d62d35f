#pragma once
// A timeline part: anything shown over a window of demo time (a scene shot, an effect,
// a fade, a text overlay). The timeline calls Init once when the part is added, Start when
// its window opens, Render once a frame with the progress through its window, Stop when
// the window has passed, and Resize whenever the render target changes size; Rewind when
// the demo goes back to replay frames (a seek).
#include <string>

class CDemo;

class CPart {
 public:
  explicit CPart(CDemo* demo);
  // Logs the part's frame rate when it drew anything. Derived destructors call their own
  // Release first.
  virtual ~CPart();

  CPart(const CPart&) = delete;
  CPart& operator=(const CPart&) = delete;

  virtual void Start();
  virtual void Stop();
  // Loads everything the part needs; may throw demoError.
  virtual void Init() = 0;
  virtual void Resize();
  // Puts back the frame-to-frame state Init left (particles, positions moved by each
  // frame's step, the last frame's time), so that frames played again from the part's
  // start show what they showed the first time. Parts whose picture depends only on the
  // frame's time keep the default, which does nothing.
  virtual void Rewind();
  // `progress` runs from just above 0 to 1 over the part's window. The base only counts
  // the frame; parts that report a frame rate call it.
  virtual void Render(float progress);
  virtual void Release() = 0;

  int frames = 0;
  float startTime = 0;  // demo time at which Start ran
  float endTime = 0;    // demo time at which Stop ran
  CDemo* demo;
  std::string name;
};
