// The start-up dialog in a small window of its own: Dear ImGui on an OpenGL context, drawn
// when something happens and asleep otherwise.
#include <memory>
#include <optional>

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include "app/demo_settings.h"
#include "app/device_source.h"
#include "app/headless.h"
#include "app/setup_dialog_model.h"
#include "app/setup_dialog_view.h"
#include "render/d3dx/device_selection.h"
#include "render/gl/gl_context.h"

namespace {

constexpr const char* kTitle = ". . . l a n t e r n . . .";
// ImGui settles a change (a list's size, a hover) on the frame after the one that saw it.
constexpr int kFramesPerChange = 2;
constexpr Uint32 kIdleWaitMs = 500;

// The window, its OpenGL context and the ImGui context drawing into it, torn down in the
// reverse order.
class DialogWindow {
 public:
  DialogWindow() {
    window_ = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kSetupDialogWidth, kSetupDialogHeight, SDL_WINDOW_OPENGL);
    if (window_ == nullptr || FAILED(GlContext::Create(window_, &context_))) return;
    imgui_ = ImGui::CreateContext();
    ConfigureSetupDialogImGui();
    sdlBackend_ = ImGui_ImplSDL2_InitForOpenGL(window_, SDL_GL_GetCurrentContext());
    openGlBackend_ = ImGui_ImplOpenGL3_Init("#version 330 core");
  }

  ~DialogWindow() {
    if (openGlBackend_) ImGui_ImplOpenGL3_Shutdown();
    if (sdlBackend_) ImGui_ImplSDL2_Shutdown();
    if (imgui_ != nullptr) ImGui::DestroyContext(imgui_);
    context_.reset();
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    // Input still queued for the dialog is no concern of the window that comes next.
    SDL_FlushEvents(SDL_WINDOWEVENT, SDL_MOUSEWHEEL);
  }

  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  bool valid() const { return sdlBackend_ && openGlBackend_; }

  bool IsCloseRequest(const SDL_Event& event) const {
    return event.type == SDL_QUIT ||
           (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE &&
            event.window.windowID == SDL_GetWindowID(window_));
  }

  SetupDialogAction DrawFrame(SetupDialogModel& model, SetupDialogViewState& state) {
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    const SetupDialogAction action = DrawSetupDialog(model, state);
    ImGui::Render();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(window_);
    return action;
  }

 private:
  SDL_Window* window_ = nullptr;
  std::unique_ptr<GlContext> context_;
  ImGuiContext* imgui_ = nullptr;
  bool sdlBackend_ = false;
  bool openGlBackend_ = false;
};

// Runs the dialog until OK or Cancel. A dialog that cannot be shown is answered with its
// defaults, as in a headless run.
std::optional<DemoSettings> AskUser(SetupDialogModel& model) {
  DialogWindow window;
  if (!window.valid()) return model.Accept();
  SetupDialogViewState state;
  int framesToDraw = kFramesPerChange;
  for (;;) {
    SDL_Event event;
    const bool woken = framesToDraw > 0 ? SDL_PollEvent(&event) != 0
                                        : SDL_WaitEventTimeout(&event, kIdleWaitMs) != 0;
    if (woken) {
      do {
        if (window.IsCloseRequest(event)) return std::nullopt;
        ImGui_ImplSDL2_ProcessEvent(&event);
      } while (SDL_PollEvent(&event) != 0);
      framesToDraw = kFramesPerChange;
    }
    if (framesToDraw == 0) continue;
    --framesToDraw;
    switch (window.DrawFrame(model, state)) {
      case SetupDialogAction::kOk:
        return model.Accept();
      case SetupDialogAction::kCancel:
        return std::nullopt;
      case SetupDialogAction::kNone:
        break;
    }
  }
}

}  // namespace

bool RunSetupDialog(DemoSettings& settings) {
  SetupDialogModel model(LibraryDeviceSource(), settings.showLog);
  // Nobody can answer a headless dialog: the run goes on with what it preselects.
  const std::optional<DemoSettings> chosen = RunningHeadless() ? model.Accept() : AskUser(model);
  if (!chosen.has_value()) return false;
  settings = *chosen;
  // The demo's context is made later in this process, on the device the process is put on
  // now; the context creation knows that device as device 0. Should the video subsystem
  // fail to come back, creating the demo's window reports it.
  UseDeviceForNewContexts(settings.deviceIndex);
  settings.deviceIndex = 0;
  return true;
}
