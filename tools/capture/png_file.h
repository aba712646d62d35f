#pragma once
// Writes a picture read back from the render target as a PNG file.
#include <cstdint>
#include <string>
#include <vector>

// `pixelsArgb` holds width x height pixels 0xAARRGGBB, top row first. The file gets the
// colour only (the render target's alpha is no part of the picture). It is written as
// PATH.part and renamed when whole. False on failure, with the reason in `cause` when given
// ("No space left on device"); nothing is left under either name then.
bool WritePngFile(const std::string& path, const std::vector<uint32_t>& pixelsArgb, uint32_t width,
                  uint32_t height, std::string* cause = nullptr);
