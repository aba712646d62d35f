#pragma once
// The start-up dialog drawn with Dear ImGui: the controls at their places in a window of
// 249 x 205 dialog units, wired to the model. Needs a current ImGui context; knows nothing
// of windows or OpenGL.
#include <imgui.h>

#include "app/setup_dialog_model.h"

// The dialog window's client area in pixels (dialog units of an 8-point font: 1.5 pixels
// across, 1.625 down).
constexpr int kSetupDialogWidth = 374;
constexpr int kSetupDialogHeight = 334;

// A point given in dialog units, in pixels from the window's top-left corner.
ImVec2 DialogUnitsToPixels(float x, float y);

enum class SetupDialogAction { kNone, kOk, kCancel };

// What a frame needs to remember from the one before it.
struct SetupDialogViewState {
  bool popupWasOpen = false;  // a drop-down list was open: Enter and Escape were its keys
};

// Sets up the current ImGui context for the dialog: its style, keyboard navigation between
// the controls, and no settings file.
void ConfigureSetupDialogImGui();

// Draws one frame (between ImGui::NewFrame and ImGui::Render) and applies the input of that
// frame to `model`. kOk (the button or Enter) only when the model can accept; kCancel for
// the button or Escape.
SetupDialogAction DrawSetupDialog(SetupDialogModel& model, SetupDialogViewState& state);
