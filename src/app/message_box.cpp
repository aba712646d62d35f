#include "app/message_box.h"

#include <cstdio>

#include <SDL2/SDL.h>

#include "app/headless.h"

namespace {

void WriteToStandardError(const std::string& caption, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, SDL_Window* owner) {
  // The offscreen driver accepts a message box but shows nothing.
  if (RunningHeadless() ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), owner) != 0) {
    WriteToStandardError(caption, text);
  }
}

bool AskYesNo(const std::string& caption, const std::string& text) {
  enum Answer { kNo, kYes };
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYes, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNo, "No"},
  };
  const SDL_MessageBoxData box = {SDL_MESSAGEBOX_WARNING | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                  nullptr,
                                  caption.c_str(),
                                  text.c_str(),
                                  SDL_arraysize(buttons),
                                  buttons,
                                  nullptr};
  int answer = kNo;
  if (RunningHeadless() || SDL_ShowMessageBox(&box, &answer) != 0) {
    WriteToStandardError(caption, text);
    return true;
  }
  return answer == kYes;
}
