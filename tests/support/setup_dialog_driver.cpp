#include "support/setup_dialog_driver.h"

#include <memory>

#include <GL/gl.h>
#include <backends/imgui_impl_opengl3.h>

#include "render/gl/gl_context.h"
#include "support/gl_test_window.h"

namespace {

// The framebuffer the picture is rendered into, deleted with the object.
class PictureFramebuffer {
 public:
  PictureFramebuffer(int width, int height) {
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
  }
  ~PictureFramebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteTextures(1, &texture_);
  }
  PictureFramebuffer(const PictureFramebuffer&) = delete;
  PictureFramebuffer& operator=(const PictureFramebuffer&) = delete;

  bool complete() const {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }

 private:
  GLuint texture_ = 0;
  GLuint framebuffer_ = 0;
};

// OpenGL's rows run bottom up and its bytes are R, G, B, A.
std::vector<uint32_t> ReadPicture(int width, int height) {
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(height - 1 - y) * width + x) * 4];
      pixels[static_cast<size_t>(y) * width + x] =
          uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
  }
  return pixels;
}

}  // namespace

SetupDialogDriver::SetupDialogDriver() {
  ImGui::CreateContext();
  ConfigureSetupDialogImGui();
  ImGuiIO& io = ImGui::GetIO();
  io.DisplaySize = {static_cast<float>(kSetupDialogWidth), static_cast<float>(kSetupDialogHeight)};
  io.DeltaTime = 1.0f / 60.0f;
  // Key indices are the ImGuiKey values themselves here.
  for (int key = 0; key < ImGuiKey_COUNT; ++key) io.KeyMap[key] = key;
  unsigned char* fontPixels = nullptr;
  int fontWidth = 0, fontHeight = 0;
  io.Fonts->GetTexDataAsRGBA32(&fontPixels, &fontWidth, &fontHeight);
}

SetupDialogDriver::~SetupDialogDriver() { ImGui::DestroyContext(); }

SetupDialogAction SetupDialogDriver::Frame(SetupDialogModel& model) {
  ImGui::NewFrame();
  const SetupDialogAction action = DrawSetupDialog(model, state_);
  ImGui::Render();
  return action;
}

SetupDialogAction SetupDialogDriver::PressKey(SetupDialogModel& model, ImGuiKey key) {
  ImGuiIO& io = ImGui::GetIO();
  io.KeysDown[key] = true;
  const SetupDialogAction action = Frame(model);
  io.KeysDown[key] = false;
  Frame(model);
  return action;
}

SetupDialogAction SetupDialogDriver::Click(SetupDialogModel& model, ImVec2 point) {
  ImGuiIO& io = ImGui::GetIO();
  io.MousePos = point;
  Frame(model);
  io.MouseDown[0] = true;
  Frame(model);
  io.MouseDown[0] = false;
  return Frame(model);
}

std::vector<uint32_t> RenderSetupDialogPicture(SetupDialogModel& model) {
  GlTestWindow window(1, 1);
  std::unique_ptr<GlContext> context;
  if (!window.valid() || FAILED(GlContext::Create(window.get(), &context))) return {};
  SetupDialogDriver driver;
  if (!ImGui_ImplOpenGL3_Init("#version 330 core")) return {};
  std::vector<uint32_t> pixels;
  {
    PictureFramebuffer framebuffer(kSetupDialogWidth, kSetupDialogHeight);
    if (framebuffer.complete()) {
      ImGui_ImplOpenGL3_NewFrame();
      driver.Frame(model);
      glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
      ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
      pixels = ReadPicture(kSetupDialogWidth, kSetupDialogHeight);
    }
  }
  ImGui_ImplOpenGL3_Shutdown();
  return pixels;
}
