#pragma once
// A timeline of one heron scene, for looking at a scene on its own (the title and the
// capture effect's scenes play only inside parts that draw over them).
#include <string>

#include "demo/demo.h"

// Scene time equals demo time: the scene plays from its start at demo time 0, its
// animation holding at its end.
TimelineScript SceneOnlyTimeline(const std::string& sceneName);
