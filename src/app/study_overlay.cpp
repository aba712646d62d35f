#include "app/study_overlay.h"

#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/study_mode.h"
#include "demo/demo.h"
#include "demo/part.h"

namespace {

constexpr float kLaneHeight = 8.0f;
constexpr float kLaneGap = 1.0f;
constexpr ImU32 kRowColour = IM_COL32(110, 110, 130, 200);
constexpr ImU32 kActiveRowColour = IM_COL32(255, 200, 60, 255);
constexpr ImU32 kCursorColour = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kDragColour = IM_COL32(120, 200, 255, 255);
constexpr ImU32 kStripBackground = IM_COL32(0, 0, 0, 150);

// Rows laid into lanes so that no two spans in a lane overlap: each row takes the first
// lane free at its start.
std::vector<int> AssignLanes(const std::vector<TimelineEntry>& rows, int* laneCount) {
  std::vector<float> laneEnds;
  std::vector<int> lanes;
  for (const TimelineEntry& row : rows) {
    auto lane =
        std::find_if(laneEnds.begin(), laneEnds.end(), [&](float end) { return end <= row.start; });
    if (lane == laneEnds.end()) lane = laneEnds.insert(laneEnds.end(), 0.0f);
    *lane = row.end;
    lanes.push_back(static_cast<int>(lane - laneEnds.begin()));
  }
  *laneCount = static_cast<int>(laneEnds.size());
  return lanes;
}

}  // namespace

StudyOverlay::StudyOverlay(SDL_Window* window, const StudyMode& study)
    : study_(study), lanes_(AssignLanes(study.demo().timeline().schedule(), &laneCount_)) {
  imgui_ = ImGui::CreateContext();
  ImGui::StyleColorsDark();
  ImGui::GetIO().IniFilename = nullptr;  // nothing is written next to the demo
  ImGui_ImplSDL2_InitForOpenGL(window, SDL_GL_GetCurrentContext());
  ImGui_ImplOpenGL3_Init("#version 330 core");
  lastPresent_ = SDL_GetPerformanceCounter();
}

StudyOverlay::~StudyOverlay() {
  ImGui_ImplOpenGL3_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext(imgui_);
}

bool StudyOverlay::HandleEvent(const SDL_Event& event) {
  if (!shown_) return false;
  ImGui_ImplSDL2_ProcessEvent(&event);
  const bool mouse = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP ||
                     event.type == SDL_MOUSEMOTION || event.type == SDL_MOUSEWHEEL;
  return mouse && ImGui::GetIO().WantCaptureMouse;
}

std::optional<double> StudyOverlay::TakeSeekRequest() {
  std::optional<double> request = seekRequest_;
  seekRequest_.reset();
  return request;
}

void StudyOverlay::NoteFrameTime() {
  const uint64_t now = SDL_GetPerformanceCounter();
  frameTimes_[next_] = static_cast<float>(static_cast<double>(now - lastPresent_) * 1000.0 /
                                          static_cast<double>(SDL_GetPerformanceFrequency()));
  next_ = (next_ + 1) % frameTimes_.size();
  lastPresent_ = now;
}

void StudyOverlay::Draw() {
  NoteFrameTime();
  if (!shown_) return;
  ImGui_ImplOpenGL3_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();

  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(8, 8));
  ImGui::SetNextWindowSize(ImVec2(display.x - 16, 0));
  ImGui::SetNextWindowBgAlpha(0.6f);
  ImGui::Begin("Study", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing);
  ImGui::Text("%8.3f s  %s", study_.Now(), study_.paused() ? "paused" : "playing");
  ImGui::SameLine();
  ImGui::TextDisabled(
      "  Space pause   Left/Right 5 s (Shift 1 s)   PgUp/PgDn row   Home start   . , frame   "
      "Tab overlay");
  DrawTimeline(ImGui::GetContentRegionAvail().x);
  DrawActiveParts();
  DrawFrameRate();
  ImGui::End();

  ImGui::Render();
  ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

void StudyOverlay::DrawTimeline(float width) {
  const std::vector<TimelineEntry>& rows = study_.demo().timeline().schedule();
  const float height = static_cast<float>(laneCount_) * (kLaneHeight + kLaneGap) + kLaneGap;
  const double end = std::max(study_.End(), 1.0);

  const ImVec2 origin = ImGui::GetCursorScreenPos();
  ImGui::InvisibleButton("timeline", ImVec2(width, height));
  const auto toX = [&](double seconds) {
    return origin.x + static_cast<float>(seconds / end) * width;
  };
  const double underMouse =
      std::clamp((ImGui::GetIO().MousePos.x - origin.x) / width * end, 0.0, end);
  if (ImGui::IsItemActive()) {
    dragTarget_ = underMouse;
  } else if (dragTarget_) {
    // Where the button came up: a quick drag may end before a frame saw the pointer there.
    seekRequest_ = underMouse;
    dragTarget_.reset();
  } else if (ImGui::IsItemHovered()) {
    // The rows under the pointer, by name.
    std::string names;
    for (const TimelineEntry& row : rows) {
      if (row.start < underMouse && underMouse <= row.end) names += "\n" + row.name;
    }
    ImGui::SetTooltip("%.3f s%s", underMouse, names.c_str());
  }

  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->AddRectFilled(origin, ImVec2(origin.x + width, origin.y + height), kStripBackground);
  const std::list<TimelineEntry>& active = study_.demo().timeline().active();
  for (size_t row = 0; row < rows.size(); ++row) {
    const bool lit = std::any_of(active.begin(), active.end(), [&](const TimelineEntry& entry) {
      return entry.part == rows[row].part;
    });
    const float top =
        origin.y + kLaneGap + static_cast<float>(lanes_[row]) * (kLaneHeight + kLaneGap);
    const float left = toX(rows[row].start);
    draw->AddRectFilled(ImVec2(left, top),
                        ImVec2(std::max(toX(rows[row].end), left + 1), top + kLaneHeight),
                        lit ? kActiveRowColour : kRowColour);
  }
  const float cursor = toX(study_.Now());
  draw->AddLine(ImVec2(cursor, origin.y), ImVec2(cursor, origin.y + height), kCursorColour, 2.0f);
  if (dragTarget_) {
    const float x = toX(*dragTarget_);
    draw->AddLine(ImVec2(x, origin.y), ImVec2(x, origin.y + height), kDragColour, 2.0f);
    ImGui::SetTooltip("%.3f s", *dragTarget_);
  }
}

void StudyOverlay::DrawActiveParts() {
  const float now = static_cast<float>(study_.Now());
  for (const TimelineEntry& entry : study_.demo().timeline().active()) {
    const float progress = std::clamp((now - entry.start) / (entry.end - entry.start), 0.0f, 1.0f);
    char label[96];
    std::snprintf(label, sizeof label, "%s  %.0f%%", entry.name.c_str(), progress * 100.0f);
    ImGui::ProgressBar(progress, ImVec2(280, 0), label);
  }
}

void StudyOverlay::DrawFrameRate() {
  float sum = 0;
  for (const float ms : frameTimes_) sum += ms;
  const float average = sum / static_cast<float>(frameTimes_.size());
  char label[48];
  std::snprintf(label, sizeof label, "%.1f fps  %.2f ms", average > 0 ? 1000.0f / average : 0.0f,
                average);
  ImGui::PlotLines("##frame times", frameTimes_.data(), static_cast<int>(frameTimes_.size()),
                   static_cast<int>(next_), label, 0.0f, 50.0f, ImVec2(280, 40));
}
