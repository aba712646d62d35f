#include "support/demo_fixture.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "base/log.h"

void DemoFixture::SetUp() {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  previousDirectory_ = cwd;
  ASSERT_EQ(chdir(directory_.Path().c_str()), 0);
  ASSERT_TRUE(OpenLog("log.txt"));
  window_ = std::make_unique<CDemoWindow>(/*fullscreen=*/false, /*runAlways=*/false,
                                          /*onTop=*/false);
  ASSERT_TRUE(window_->Create()) << SDL_GetError();
}

void DemoFixture::TearDown() {
  demo_.reset();
  window_.reset();
  g_log.close();
  ASSERT_EQ(chdir(previousDirectory_.c_str()), 0);
  SDL_Quit();
}

void DemoFixture::WriteArchive(const CompoundFileBuilder& archive) {
  ASSERT_TRUE(archive.Write("lantern.dat"));
}

void DemoFixture::BuildDemo(const TimelineScript& script, bool mute) {
  demo_ = std::make_unique<CDemo>(window_->Handle(), /*fullscreen=*/false, 640, 480, 32, 0,
                                  mute, clock_, script);
  window_->SetDemo(demo_.get());
}

bool DemoFixture::DrawFrameAt(double seconds) {
  clock_.SetTicks(demo_->timer().start +
                  static_cast<uint64_t>(seconds * static_cast<double>(demo_->timer().frequency)));
  return demo_->DrawFrame();
}

std::string DemoFixture::FinishAndReadLog() {
  if (window_) window_->SetDemo(nullptr);
  demo_.reset();
  g_log.close();
  std::ifstream file("log.txt");
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}
