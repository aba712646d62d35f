#pragma once
// A contact sheet: one picture showing every texture of an archive, each decoded with the
// demo's own image readers, scaled into a tile over a chequerboard (so alpha shows) and
// labelled with its entry name.
#include <string>

// Writes the sheet for the archive `archivePath` to the PNG `sheetPath`. On failure returns
// false with the reason in `error`.
bool WriteContactSheet(const std::string& archivePath, const std::string& sheetPath,
                       std::string& error);
