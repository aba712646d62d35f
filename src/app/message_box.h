#pragma once
// Message boxes for fatal errors. Where no display can show one (a headless run), the
// caption and text go to standard error instead, so the message is never lost.
#include <string>

struct SDL_Window;

void ShowMessageBox(const std::string& caption, const std::string& text,
                    SDL_Window* owner = nullptr);
