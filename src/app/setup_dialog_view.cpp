#include "app/setup_dialog_view.h"

#include <imgui.h>

#include "app/card_rating.h"
#include "app/lantern_picture.h"

namespace {

// A control's place in dialog units.
struct UnitRect {
  float x, y, width, height;
  ImVec2 topLeft() const { return DialogUnitsToPixels(x, y); }
  ImVec2 size() const { return DialogUnitsToPixels(width, height); }
};

constexpr UnitRect kOkButton{69, 184, 50, 14};
constexpr UnitRect kCancelButton{129, 184, 50, 14};
constexpr UnitRect kModeList{127, 36, 105, 99};
constexpr UnitRect kFullScreen{117, 22, 51, 10};
constexpr UnitRect kWindowed{117, 55, 50, 10};
constexpr UnitRect kAlwaysOnTop{127, 71, 60, 10};
constexpr UnitRect kRunOnlyWhenActive{127, 87, 85, 10};
constexpr UnitRect kOptionsGroup{109, 7, 135, 113};
constexpr UnitRect kDeviceGroup{7, 121, 237, 56};
constexpr UnitRect kDeviceList{13, 132, 223, 71};
constexpr UnitRect kRatingBar{14, 162, 222, 9};
constexpr UnitRect kRatingText{14, 151, 220, 10};
constexpr UnitRect kLog{211, 186, 33, 12};
constexpr UnitRect kPicture{15, 20, 87, 80};
constexpr UnitRect kMuteMusic{117, 105, 53, 10};
constexpr UnitRect kSignature{15, 105, 85, 10};

ImVec2 Plus(const ImVec2& a, const ImVec2& b) { return {a.x + b.x, a.y + b.y}; }

// Puts the next control at the left of `place`, centred in its height.
void PlaceCentred(const UnitRect& place, float controlHeight) {
  const ImVec2 topLeft = place.topLeft();
  ImGui::SetCursorPos({topLeft.x, topLeft.y + (place.size().y - controlHeight) * 0.5f});
}

void PlaceControl(const UnitRect& place) { PlaceCentred(place, ImGui::GetFrameHeight()); }

// A frame with its label set into the top edge.
void DrawGroupBox(const char* label, const UnitRect& place) {
  ImDrawList& draw = *ImGui::GetWindowDrawList();
  const ImVec2 origin = ImGui::GetWindowPos();
  const ImVec2 topLeft = Plus(origin, place.topLeft());
  const ImVec2 bottomRight = Plus(topLeft, place.size());
  const float edgeY = topLeft.y + ImGui::GetFontSize() * 0.5f;
  draw.AddRect({topLeft.x, edgeY}, bottomRight, ImGui::GetColorU32(ImGuiCol_Border));

  const ImGuiStyle& style = ImGui::GetStyle();
  const ImVec2 labelAt{topLeft.x + style.ItemSpacing.x * 2.0f, topLeft.y};
  const ImVec2 labelSize = ImGui::CalcTextSize(label);
  draw.AddRectFilled({labelAt.x - style.ItemInnerSpacing.x, topLeft.y},
                     {labelAt.x + labelSize.x + style.ItemInnerSpacing.x, topLeft.y + labelSize.y},
                     ImGui::GetColorU32(ImGuiCol_WindowBg));
  draw.AddText(labelAt, ImGui::GetColorU32(ImGuiCol_Text), label);
}

void DrawPicture() {
  ImDrawList& draw = *ImGui::GetWindowDrawList();
  const ImVec2 topLeft = Plus(ImGui::GetWindowPos(), kPicture.topLeft());
  const ImVec2 size = kPicture.size();
  draw.AddRect(topLeft, Plus(topLeft, size), ImGui::GetColorU32(ImGuiCol_Border));
  DrawLanternPicture(draw, {topLeft.x + (size.x - kLanternPictureSize) * 0.5f,
                            topLeft.y + (size.y - kLanternPictureSize) * 0.5f});
}

void DrawCentredText(const char* text, const UnitRect& place) {
  const ImVec2 textSize = ImGui::CalcTextSize(text);
  const ImVec2 topLeft = place.topLeft();
  ImGui::SetCursorPos({topLeft.x + (place.size().x - textSize.x) * 0.5f,
                       topLeft.y + (place.size().y - textSize.y) * 0.5f});
  ImGui::TextUnformatted(text);
}

// A drop-down list; `select` is called with the position the user picks.
template <typename Item, typename Select>
void DrawList(const char* id, const UnitRect& place, const std::vector<Item>& items,
              std::optional<size_t> selected, Select select) {
  ImGui::SetCursorPos(place.topLeft());
  ImGui::SetNextItemWidth(place.size().x);
  const char* preview = selected.has_value() ? items[*selected].text.c_str() : "";
  if (!ImGui::BeginCombo(id, preview)) return;
  for (size_t position = 0; position < items.size(); ++position) {
    const bool isSelected = selected == position;
    // Texts may repeat (a mode at several refresh rates); the position tells them apart.
    ImGui::PushID(static_cast<int>(position));
    if (ImGui::Selectable(items[position].text.c_str(), isSelected)) select(position);
    if (isSelected) ImGui::SetItemDefaultFocus();
    ImGui::PopID();
  }
  ImGui::EndCombo();
}

void DrawOptions(SetupDialogModel& model) {
  DrawGroupBox("Options", kOptionsGroup);
  SetupOptions& options = model.options;
  PlaceControl(kFullScreen);
  if (ImGui::RadioButton("Full Screen", options.fullscreen)) options.fullscreen = true;
  DrawList("##modes", kModeList, model.modes(), model.selectedMode(),
           [&model](size_t position) { model.SelectMode(position); });

  ImGui::BeginDisabled(!model.windowedControlsEnabled());
  PlaceControl(kWindowed);
  if (ImGui::RadioButton("Windowed", !options.fullscreen)) options.fullscreen = false;
  PlaceControl(kAlwaysOnTop);
  ImGui::Checkbox("Always on top", &options.alwaysOnTop);
  PlaceControl(kRunOnlyWhenActive);
  ImGui::Checkbox("Run only when active", &options.runOnlyWhenActive);
  ImGui::EndDisabled();

  PlaceControl(kMuteMusic);
  ImGui::Checkbox("Mute Music", &options.muteMusic);
}

void DrawDevice(SetupDialogModel& model) {
  DrawGroupBox("Device", kDeviceGroup);
  DrawList("##devices", kDeviceList, model.devices(), model.selectedDevice(),
           [&model](size_t position) { model.SelectDevice(position); });
  PlaceCentred(kRatingText, ImGui::GetTextLineHeight());
  ImGui::TextUnformatted(model.ratingText().c_str());
  ImGui::SetCursorPos(kRatingBar.topLeft());
  ImGui::ProgressBar(static_cast<float>(model.score()) / kBestRating, kRatingBar.size(), "");
}

bool KeyPressed(ImGuiKey key) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key), false); }

}  // namespace

ImVec2 DialogUnitsToPixels(float x, float y) {
  constexpr float kPixelsPerUnitX = 1.5f;
  constexpr float kPixelsPerUnitY = 1.625f;
  return {x * kPixelsPerUnitX, y * kPixelsPerUnitY};
}

void ConfigureSetupDialogImGui() {
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;

  ImGui::StyleColorsDark();
  ImGuiStyle& style = ImGui::GetStyle();
  style.WindowRounding = 0.0f;
  style.WindowBorderSize = 0.0f;
  style.FramePadding = {4.0f, 2.0f};
  style.FrameBorderSize = 1.0f;
  // Lamplight on copper instead of the default blue.
  ImVec4* colours = style.Colors;
  colours[ImGuiCol_WindowBg] = {0.09f, 0.08f, 0.08f, 1.0f};
  colours[ImGuiCol_Border] = {0.45f, 0.32f, 0.22f, 1.0f};
  colours[ImGuiCol_FrameBg] = {0.20f, 0.15f, 0.12f, 1.0f};
  colours[ImGuiCol_FrameBgHovered] = {0.32f, 0.22f, 0.15f, 1.0f};
  colours[ImGuiCol_FrameBgActive] = {0.40f, 0.27f, 0.17f, 1.0f};
  colours[ImGuiCol_Button] = {0.45f, 0.27f, 0.13f, 1.0f};
  colours[ImGuiCol_ButtonHovered] = {0.60f, 0.36f, 0.17f, 1.0f};
  colours[ImGuiCol_ButtonActive] = {0.72f, 0.44f, 0.20f, 1.0f};
  colours[ImGuiCol_Header] = {0.45f, 0.27f, 0.13f, 1.0f};
  colours[ImGuiCol_HeaderHovered] = {0.60f, 0.36f, 0.17f, 1.0f};
  colours[ImGuiCol_HeaderActive] = {0.72f, 0.44f, 0.20f, 1.0f};
  colours[ImGuiCol_CheckMark] = {1.00f, 0.72f, 0.35f, 1.0f};
  colours[ImGuiCol_PlotHistogram] = {0.90f, 0.55f, 0.20f, 1.0f};
  colours[ImGuiCol_NavHighlight] = {1.00f, 0.72f, 0.35f, 1.0f};
}

SetupDialogAction DrawSetupDialog(SetupDialogModel& model, SetupDialogViewState& state) {
  const ImGuiViewport& viewport = *ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(viewport.Pos);
  ImGui::SetNextWindowSize(viewport.Size);
  ImGui::Begin("setup", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus);

  SetupDialogAction action = SetupDialogAction::kNone;
  DrawPicture();
  DrawCentredText("COPPERKEY", kSignature);
  DrawOptions(model);
  DrawDevice(model);

  ImGui::BeginDisabled(!model.CanAccept());
  PlaceCentred(kOkButton, kOkButton.size().y);
  if (ImGui::Button("OK", kOkButton.size())) action = SetupDialogAction::kOk;
  ImGui::EndDisabled();
  PlaceCentred(kCancelButton, kCancelButton.size().y);
  if (ImGui::Button("Cancel", kCancelButton.size())) action = SetupDialogAction::kCancel;
  if (model.logVisible()) {
    PlaceControl(kLog);
    ImGui::Checkbox("Log", &model.options.log);
  }

  if (!state.popupWasOpen) {
    if (model.CanAccept() && (KeyPressed(ImGuiKey_Enter) || KeyPressed(ImGuiKey_KeyPadEnter))) {
      action = SetupDialogAction::kOk;
    } else if (KeyPressed(ImGuiKey_Escape)) {
      action = SetupDialogAction::kCancel;
    }
  }
  state.popupWasOpen = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopup);
  ImGui::End();
  return action;
}
