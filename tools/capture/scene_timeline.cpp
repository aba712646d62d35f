#include "scene_timeline.h"

#include "demo/timeline.h"
#include "scene/scene_part.h"

namespace {
// Long enough for any scene; the animation holds its last keys beyond its end.
constexpr float kSceneSpan = 600.0f;
}  // namespace

TimelineScript SceneOnlyTimeline(const std::string& sceneName) {
  return [sceneName](CDemo& demo) {
    // The window starts before the timeline's offset so that it opens at demo time 0;
    // over a window as long as the scene span, scene time runs with demo time.
    demo.AddPart(std::make_unique<CScenePart>(&demo, sceneName, 0, 0, kSceneSpan), sceneName,
                 -kTimeOffset, kSceneSpan - kTimeOffset);
  };
}
