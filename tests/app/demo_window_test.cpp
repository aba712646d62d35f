// The window's events on a real demo: activation pauses and resumes the clock, Escape and
// closing end the loop, and the loop ends by itself when the timeline runs out.
#include "app/demo_window.h"

#include "support/demo_archive.h"
#include "support/demo_fixture.h"
#include "support/test_mp3.h"

namespace {

SDL_Event WindowEvent(SDL_WindowEventID id) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = static_cast<Uint8>(id);
  return event;
}

SDL_Event KeyDown(SDL_Keycode key) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  return event;
}

class DemoWindowTest : public DemoFixture {
 protected:
  void SetUp() override {
    DemoFixture::SetUp();
    CompoundFileBuilder archive = DemoArchive();
    archive.AddStream("readme", "x");
    WriteArchive(archive);
  }

  void BuildWithOnePart() {
    BuildDemo([&](CDemo& demo) {
      demo.AddPart(std::make_unique<ProbePart>(&demo, journal_, "p"), "p", 0, 100);
    });
  }
};

TEST_F(DemoWindowTest, LosingTheFocusFreezesDemoTimeUntilItComesBack) {
  BuildWithOnePart();
  clock_.AdvanceSeconds(5.0);
  window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_FALSE(g_appActive);
  clock_.AdvanceSeconds(3.0);
  // SDL may report a loss twice; the second must not restart the paused span.
  window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  clock_.AdvanceSeconds(1.0);
  EXPECT_FLOAT_EQ(demo_->CurrentTime(), 5.0f);

  window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_TRUE(g_appActive);
  EXPECT_FLOAT_EQ(demo_->CurrentTime(), 5.0f);
  clock_.AdvanceSeconds(2.0);
  EXPECT_FLOAT_EQ(demo_->CurrentTime(), 7.0f);
}

// Two hundred losses and gains of the focus: the demo keeps its time, and the music is
// where the picture is once the focus is back.
TEST_F(DemoWindowTest, AFocusStormLeavesTheMusicWithThePicture) {
  CompoundFileBuilder archive = DemoArchive();
  archive.AddStream("muzik.mp3", EncodeTestMp3(44100 * 60));
  WriteArchive(archive);
  BuildDemo(
      [&](CDemo& demo) {
        demo.AddPart(std::make_unique<ProbePart>(&demo, journal_, "p"), "p", 0, 100);
      },
      /*mute=*/false);
  ASSERT_NE(demo_->stream(), 0u);
  for (int storm = 0; storm < 200; ++storm) {
    clock_.AdvanceSeconds(0.1);
    window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    clock_.AdvanceSeconds(0.05);
    window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  }
  EXPECT_TRUE(g_appActive);
  EXPECT_NEAR(demo_->CurrentTime(), 20.0, 1e-3);
  EXPECT_NEAR(demo_->MusicPosition(), demo_->CurrentTime(), 1.0 / 60.0);
}

// Two hundred resizes of the window, a frame drawn after each: the demo follows every size
// and renders the last one whole (the sanitizer build checks that nothing leaks).
TEST_F(DemoWindowTest, AResizeStormEndsAtTheLastSize) {
  BuildWithOnePart();
  const std::pair<int, int> sizes[] = {{800, 600}, {321, 487}, {1024, 300}, {500, 500}};
  for (int storm = 0; storm < 200; ++storm) {
    const auto [width, height] = sizes[storm % std::size(sizes)];
    SDL_SetWindowSize(window_->Handle(), width, height);
    window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED));
    ASSERT_TRUE(DrawFrameAt(0.5 + storm * 0.01));
  }
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(window_->Handle(), &width, &height);
  ASSERT_EQ(std::pair(width, height), sizes[199 % std::size(sizes)]);
  EXPECT_EQ(demo_->width(), static_cast<uint32_t>(width));
  EXPECT_EQ(demo_->height(), static_cast<uint32_t>(height));
  std::vector<uint32_t> pixels;
  DWORD targetWidth = 0, targetHeight = 0;
  ASSERT_TRUE(SUCCEEDED(demo_->context()->ReadRenderTarget(pixels, &targetWidth, &targetHeight)));
  EXPECT_EQ(targetWidth, static_cast<DWORD>(width));
  EXPECT_EQ(targetHeight, static_cast<DWORD>(height));
}

TEST_F(DemoWindowTest, AFocusGainWithoutALossLeavesTimeAlone) {
  BuildWithOnePart();
  clock_.AdvanceSeconds(4.0);
  window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_FLOAT_EQ(demo_->CurrentTime(), 4.0f);
}

TEST_F(DemoWindowTest, ADemoThatRunsAlwaysIgnoresTheFocus) {
  BuildWithOnePart();
  CDemoWindow background(/*fullscreen=*/false, /*runAlways=*/true, /*onTop=*/false);
  background.SetDemo(demo_.get());
  clock_.AdvanceSeconds(2.0);
  background.HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  clock_.AdvanceSeconds(2.0);
  EXPECT_FLOAT_EQ(demo_->CurrentTime(), 4.0f);
}

TEST_F(DemoWindowTest, EscapeAndClosingEndTheLoopBeforeAnotherFrame) {
  BuildWithOnePart();
  SDL_Event escape = KeyDown(SDLK_ESCAPE);
  SDL_PushEvent(&escape);
  clock_.AdvanceSeconds(10.0);
  EXPECT_EQ(window_->RunMessageLoop(), 0);
  EXPECT_TRUE(window_->Closed());
  EXPECT_TRUE(journal_.renders.empty());

  CDemoWindow other(false, true, false);
  other.HandleEvent(KeyDown(SDLK_SPACE));
  EXPECT_FALSE(other.Closed());
  other.HandleEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE));
  EXPECT_TRUE(other.Closed());
}

// Escape, or closing the window, while "Loading..." is up (the timeline script runs then):
// the loop ends at its first turn, before a frame, and the demo shuts down cleanly.
class PressedWhileLoadingTest : public DemoWindowTest {
 protected:
  void PressWhileLoading(SDL_Event pressed) {
    BuildDemo([&](CDemo& demo) {
      SDL_PushEvent(&pressed);
      demo.AddPart(std::make_unique<ProbePart>(&demo, journal_, "p"), "p", 0, 100);
    });
    clock_.AdvanceSeconds(5.0);
    EXPECT_EQ(window_->RunMessageLoop(), 0);
    EXPECT_TRUE(window_->Closed());
    EXPECT_TRUE(journal_.renders.empty());
  }
};

TEST_F(PressedWhileLoadingTest, Escape) { PressWhileLoading(KeyDown(SDLK_ESCAPE)); }

TEST_F(PressedWhileLoadingTest, ClosingTheWindow) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  PressWhileLoading(quit);
}

// The full-screen window is on screen while the demo builds, so "Loading..." is seen: the
// timeline script runs right after the loading screen is presented.
TEST_F(DemoWindowTest, AFullScreenWindowIsShownWhileTheDemoLoads) {
  CDemoWindow fullScreen(/*fullscreen=*/true, /*runAlways=*/false, /*onTop=*/false);
  ASSERT_TRUE(fullScreen.Create()) << SDL_GetError();
  bool shownWhileLoading = false;
  const CDemo demo(fullScreen.Handle(), /*fullscreen=*/true, 640, 480, 32, 0, /*mute=*/true,
                   clock_, [&](CDemo&) {
                     shownWhileLoading =
                         (SDL_GetWindowFlags(fullScreen.Handle()) & SDL_WINDOW_SHOWN) != 0;
                   });
  EXPECT_TRUE(shownWhileLoading);
}

TEST_F(DemoWindowTest, TheLoopEndsWhenTheTimelineRunsOut) {
  BuildDemo([](CDemo&) {});
  // An inactive window that runs only when active would wait for an event instead.
  window_->HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_EQ(window_->RunMessageLoop(), 0);
  EXPECT_TRUE(window_->Closed());
}

}  // namespace
