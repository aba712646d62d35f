#pragma once
// Drives the start-up dialog's view without a window: an ImGui context set up like the real
// dialog's, fed with keys and mouse clicks frame by frame, and a rendering of a frame into
// an OpenGL framebuffer for tests that look at the picture.
#include <cstdint>
#include <optional>
#include <vector>

#include <imgui.h>

#include "app/setup_dialog_view.h"

class SetupDialogDriver {
 public:
  // Creates and makes current an ImGui context configured as the dialog's (fonts built, so
  // frames need no renderer). One driver at a time.
  SetupDialogDriver();
  ~SetupDialogDriver();
  SetupDialogDriver(const SetupDialogDriver&) = delete;
  SetupDialogDriver& operator=(const SetupDialogDriver&) = delete;

  // One frame with the mouse where it is and nothing pressed.
  SetupDialogAction Frame(SetupDialogModel& model);
  // A frame in which `key` goes down, whose action comes back, and one in which it is up.
  SetupDialogAction PressKey(SetupDialogModel& model, ImGuiKey key);
  // Moves the mouse to `point` (pixels in the dialog), then presses and releases the left
  // button there over three frames; the action of the release frame comes back.
  SetupDialogAction Click(SetupDialogModel& model, ImVec2 point);

  SetupDialogViewState& state() { return state_; }

 private:
  SetupDialogViewState state_;
};

// One frame of the dialog as `model` stands, rendered by ImGui's OpenGL backend into a
// framebuffer on a hidden window: kSetupDialogWidth x kSetupDialogHeight pixels 0xAARRGGBB,
// top row first. Empty when no OpenGL context can be had.
std::vector<uint32_t> RenderSetupDialogPicture(SetupDialogModel& model);
