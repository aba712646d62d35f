#pragma once
// The soundtrack's bars under a scene: the music is written in sections of whole bars that
// start exactly at the timeline's cuts, so a scene cuts on the music by counting its bars.
namespace scenes {

class MusicClock {
 public:
  // The clock of a scene whose time `sceneTime` plays at `scriptedTime` seconds of the
  // timeline script (both as the script and the scene state them), its time running `rate`
  // scene seconds per second of the demo.
  MusicClock(double scriptedTime, double sceneTime, double rate = 1);
  // The scene time `bars` bars after the scene's anchor (fractions count beats: 0.25 is
  // one beat), following each section's own tempo.
  float Bar(double bars) const;

 private:
  double scriptedTime_;
  double sceneTime_;
  double rate_;
};

}  // namespace scenes
