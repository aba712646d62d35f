#include "app/headless.h"

#include <SDL2/SDL.h>

bool RunningHeadless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver == nullptr || SDL_strcmp(driver, "offscreen") == 0;
}
