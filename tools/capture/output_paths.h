#pragma once
// The files a capture will write, checked before the demo is built: an output folder that
// cannot be made or written in, or an output file name that is a folder, is refused with
// a message naming the path, before a single frame is rendered.
#include <optional>
#include <string>

#include "capture_options.h"

// What is wrong with the outputs `options` name, or nothing when they can be written.
std::optional<std::string> OutputProblem(const CaptureOptions& options);
