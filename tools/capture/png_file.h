#pragma once
// Writes a picture read back from the render target as a PNG file.
#include <cstdint>
#include <string>
#include <vector>

// `pixelsArgb` holds width x height pixels 0xAARRGGBB, top row first. The file gets the
// colour only (the render target's alpha is no part of the picture). False on failure.
bool WritePngFile(const std::string& path, const std::vector<uint32_t>& pixelsArgb,
                  uint32_t width, uint32_t height);
