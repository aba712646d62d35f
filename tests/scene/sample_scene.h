#pragma once
// Scenes and archives for the loader's tests.
#include <string_view>
#include <vector>

#include "scene/scene.h"

// A scene with one node of every kind, two list entries that make no node (codes 2 and 7),
// fog, a textured and an untextured material, and tracks for two nodes and for a name
// that matches none.
CScene SampleScene();

// Writes `streams` as the storage "sample.hrn" of a fresh compound file, opens that
// storage through the archive and loads `scene` from it; the result of the first step
// that fails.
HRESULT LoadThroughCompoundFile(const std::vector<SceneStream>& streams, CScene& scene);

// Loads `scene` from the streams as they are, held in memory.
HRESULT LoadFromMemory(const std::vector<SceneStream>& streams, CScene& scene);

// True for the results a record reader gives when its bytes do not hold the record: they
// end early, or a count or a name's length claims more than is left. Which of the three a
// cut gives depends on the field it falls in.
bool IsShortfallResult(HRESULT result);

// The bytes of the stream `name` among `streams` (they must hold it).
std::vector<uint8_t>& StreamBytes(std::vector<SceneStream>& streams, std::string_view name);

// `streams` without the stream `name`.
std::vector<SceneStream> WithoutStream(std::vector<SceneStream> streams, std::string_view name);
