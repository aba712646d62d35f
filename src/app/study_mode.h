#pragma once
// Study mode: the player under the viewer's hand. The demo can be paused and resumed
// (picture and music together), sought to any moment, stepped a frame at a time while
// paused, and sent to the start of the previous or next timeline row. A seek lands on the
// frame that a viewer of an uninterrupted run at 60 frames a second sees at that moment.
#include <cstdint>
#include <vector>

class CDemo;

class StudyMode {
 public:
  // The step of a seek's frames and of a single step.
  static constexpr double kFramesPerSecond = 60.0;

  explicit StudyMode(CDemo& demo);

  // Space, arrows (Shift: 1 s instead of 5 s), Page Up/Down, Home, '.' and ','. Returns
  // false for a key study mode does not use.
  bool HandleKey(int key, bool shift);

  void TogglePause();
  bool paused() const { return paused_; }
  // Goes to the frame at `seconds`, held within the timeline; logs the seek.
  void SeekTo(double seconds);
  // Forward (positive) or back by `frames` frames of the 60 fps step; only while paused.
  void Step(int frames);
  // To the start of the next (+1) or previous (-1) timeline row after or before now.
  void JumpToRow(int direction);

  // One turn of the player's loop: a playing demo draws its next frame; a paused one
  // draws the frame a seek or step asked for, or shows the last one again. False once
  // the timeline has run out.
  bool Frame();

  // The demo time shown, and the last moment a seek can reach (a frame before the end).
  double Now() const;
  double End() const { return end_; }
  // The start of every timeline row, ascending, without repeats.
  const std::vector<float>& RowStarts() const { return rowStarts_; }
  const CDemo& demo() const { return demo_; }

 private:
  CDemo& demo_;
  std::vector<float> rowStarts_;
  double end_ = 0.0;
  bool paused_ = false;
  // A paused demo draws once after a seek or a step and then only presents that frame.
  bool frameDrawn_ = false;
};
