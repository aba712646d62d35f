#include "scenes/heron_scenes.h"

namespace scenes {

const std::vector<HeronScene>& HeronScenes() {
  static const std::vector<HeronScene> scenes = {
      {"binary.hrn", BinaryScene}, {"text.hrn", TitleScene},      {"stairs.hrn", StairsScene},
      {"weird.hrn", WeirdScene},   {"surgery.hrn", SurgeryScene}, {"ppl.hrn", PeopleScene},
      {"pitcombo.hrn", PitScene},  {"greets.hrn", GreetsScene},   {"end.hrn", EndScene},
  };
  return scenes;
}

}  // namespace scenes
