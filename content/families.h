#pragma once
// The families of generated content, one folder of content/ each. Every family returns the
// archive entries it makes, always the same bytes.
#include <vector>

#include "archive_entry.h"

// "muzik.mp3": the synthesised soundtrack (content/music).
std::vector<ArchiveEntry> MakeSoundtrackEntries();
// "bwfont.raw": the bitmap font's coverage image (content/font).
std::vector<ArchiveEntry> MakeFontEntries();
// "land1.raw" and the terrain flight's textures (content/terrain).
std::vector<ArchiveEntry> MakeTerrainEntries();
// The GeomObject shapes and the particle sprite of the shape morph (content/shapes).
std::vector<ArchiveEntry> MakeShapeEntries();
// The intro, title and closing pictures (content/pictures).
std::vector<ArchiveEntry> MakePictureEntries();
// The heron scenes, one storage each, and the textures their materials name
// (content/scenes).
std::vector<ArchiveEntry> MakeSceneEntries();
// The textures of the 3D effects: DNA, flares, blobs, tunnels, vents, fractal
// (content/surfaces).
std::vector<ArchiveEntry> MakeSurfaceEntries();
