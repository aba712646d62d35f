#include "app/message_box.h"

#include <cstdio>

#include <SDL2/SDL.h>

void ShowMessageBox(const std::string& caption, const std::string& text, SDL_Window* owner) {
  // The offscreen driver accepts a message box but shows nothing; say it on stderr there.
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool headless = driver == nullptr || SDL_strcmp(driver, "offscreen") == 0;
  if (headless ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), owner) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
}
