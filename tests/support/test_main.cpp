// The main of every test executable. Tests run without a display or a sound card: SDL's
// offscreen video driver gives an OpenGL context on Mesa's software rasteriser, and its
// dummy audio driver plays into nothing, in real time.
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
