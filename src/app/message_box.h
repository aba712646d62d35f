#pragma once
// Message boxes: fatal errors, and a question to answer with Yes or No. Where no display
// can show one (a headless run), the caption and text go to standard error instead, so the
// message is never lost.
#include <string>

struct SDL_Window;

void ShowMessageBox(const std::string& caption, const std::string& text,
                    SDL_Window* owner = nullptr);

// True for Yes. Closing the box answers No. A headless run cannot be asked and goes on as
// if the answer were Yes: the question only ever confirms a choice already made, and a No
// would put the same choice to nobody again.
bool AskYesNo(const std::string& caption, const std::string& text);
