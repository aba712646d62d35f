#include "scene/scene.h"

#include "resources/archive_names.h"
#include "scene/scene_record_fields.h"
#include "scene/scene_streams.h"

namespace {

constexpr uint32_t kSceneVersion = 1;
constexpr char kSceneListStream[] = ".scene";
constexpr char kAnimatorStream[] = ".anim";

// The node for a type code of the node list; null for the codes that make none.
std::unique_ptr<CSceneNode> MakeNode(uint32_t type) {
  switch (type) {
    case kGeomObjectNode:
      return std::make_unique<CGeomObject>();
    case kLightNode:
      return std::make_unique<CLight>();
    case kCameraNode:
      return std::make_unique<CCamera>();
    case kWaveNode:
      return std::make_unique<CNURBWave>();
    case kParticleSystemNode:
      return std::make_unique<CParticleSystem>();
    default:
      return nullptr;
  }
}

// The least bytes an entry of each list of the ".scene" stream takes: a material name is
// at least its length field, a node entry its type code and its name's length field.
constexpr size_t kMinimumMaterialNameSize = 4;
constexpr size_t kMinimumNodeEntrySize = 8;

bool ReadSceneListFields(ByteCursor& source, CScene& scene) {
  if (!ReadFields(source, scene.header, scene.fogEnabled)) return false;
  // The fog fields are stored only for a scene with fog.
  if (scene.fogEnabled != 0 && !ReadFields(source, scene.fogStart, scene.fogEnd, scene.fogColour)) {
    return false;
  }
  // The lists grow one read entry at a time, and a count that the data left cannot hold
  // fails before they grow at all.
  uint32_t materialCount = 0;
  if (!ReadField(source, materialCount)) return false;
  if (!CountFits(source, materialCount, kMinimumMaterialNameSize)) return false;
  for (uint32_t i = 0; i < materialCount; ++i) {
    CMaterial material;
    if (!ReadField(source, material.name)) return false;
    scene.materials.push_back(std::move(material));
  }
  uint32_t entryCount = 0;
  if (!ReadField(source, entryCount)) return false;
  if (!CountFits(source, entryCount, kMinimumNodeEntrySize)) return false;
  for (uint32_t i = 0; i < entryCount; ++i) {
    uint32_t type = 0;
    std::string name;
    if (!ReadFields(source, type, name)) return false;
    if (std::unique_ptr<CSceneNode> node = MakeNode(type)) {
      node->name = std::move(name);
      scene.nodes.push_back(std::move(node));
    } else {
      scene.skippedEntries.push_back({i, type, std::move(name)});
    }
  }
  return true;
}

// Reads the ".scene" stream: header and fog, the material names, the node list.
HRESULT ReadSceneList(ByteCursor& source, CScene& scene) {
  if (const HRESULT result = ReadRecordVersion(source, kSceneVersion); FAILED(result)) {
    return result;
  }
  return ReadSceneListFields(source, scene) ? S_OK : ShortfallResult(source);
}

// Loads `item` (a node or a material) from the stream named after it.
template <typename Item>
HRESULT LoadNamedStream(IStorage* storage, const std::string& name, Item& item) {
  std::vector<uint8_t> bytes;
  if (const HRESULT result = ReadSceneStream(storage, name, bytes); FAILED(result)) {
    return result;
  }
  ByteCursor record(bytes.data(), bytes.size());
  return item.Load(record);
}

HRESULT LoadSceneContent(IStorage* storage, CScene& scene) {
  std::vector<uint8_t> bytes;
  if (const HRESULT result = ReadSceneStream(storage, kSceneListStream, bytes); FAILED(result)) {
    return result;
  }
  ByteCursor list(bytes.data(), bytes.size());
  if (const HRESULT result = ReadSceneList(list, scene); FAILED(result)) return result;
  for (const std::unique_ptr<CSceneNode>& node : scene.nodes) {
    if (const HRESULT result = LoadNamedStream(storage, node->name, *node); FAILED(result)) {
      return result;
    }
  }
  for (CMaterial& material : scene.materials) {
    if (const HRESULT result = LoadNamedStream(storage, material.name, material); FAILED(result)) {
      return result;
    }
  }
  // The animator must be there, but one that cannot be read only leaves the scene still.
  IStream* animation = nullptr;
  if (const HRESULT result = OpenSceneStream(storage, kAnimatorStream, &animation);
      FAILED(result)) {
    return result;
  }
  if (SUCCEEDED(ReadSceneStream(animation, bytes))) {
    ByteCursor tracks(bytes.data(), bytes.size());
    scene.animator.Load(tracks);
  }
  return S_OK;
}

// The ".scene" stream. Skipped entries go back to their places in the node list, so a
// loaded scene saves to the list it was loaded from.
std::vector<uint8_t> WriteSceneList(const CScene& scene) {
  ByteWriter out;
  WriteFields(out, kSceneVersion, scene.header, scene.fogEnabled);
  if (scene.fogEnabled != 0) WriteFields(out, scene.fogStart, scene.fogEnd, scene.fogColour);
  WriteCountedList(out, scene.materials, [](ByteWriter& writer, const CMaterial& material) {
    WriteField(writer, material.name);
  });
  const size_t entryCount = scene.nodes.size() + scene.skippedEntries.size();
  WriteCount(out, entryCount);
  auto node = scene.nodes.begin();
  auto skipped = scene.skippedEntries.begin();
  for (size_t index = 0; index < entryCount; ++index) {
    if (skipped != scene.skippedEntries.end() &&
        (skipped->listIndex <= index || node == scene.nodes.end())) {
      WriteFields(out, skipped->type, skipped->name);
      ++skipped;
    } else {
      WriteFields(out, (*node)->Type(), (*node)->name);
      ++node;
    }
  }
  return out.TakeBytes();
}

// A node's or material's stream is saved under the name the loader opens it by (see
// ArchiveEntryName): its name up to any zero byte, with bytes that are not UTF-8
// replaced. So a scene whose list holds such a name still saves to streams that load.
template <typename Item>
SceneStream SaveNamedStream(const std::string& name, const Item& item) {
  ByteWriter out;
  item.Save(out);
  return {Utf8FromUtf16(ArchiveEntryName(name).c_str()).value_or(""), out.TakeBytes()};
}

}  // namespace

HRESULT CScene::Load(IStorage* storage) {
  Clear();
  // A scene that fails to load is left empty rather than half read.
  const HRESULT result = LoadSceneContent(storage, *this);
  if (FAILED(result)) Clear();
  return result;
}

std::vector<SceneStream> CScene::Save() const {
  std::vector<SceneStream> streams;
  streams.emplace_back(kSceneListStream, WriteSceneList(*this));
  for (const std::unique_ptr<CSceneNode>& node : nodes) {
    streams.push_back(SaveNamedStream(node->name, *node));
  }
  for (const CMaterial& material : materials) {
    streams.push_back(SaveNamedStream(material.name, material));
  }
  streams.push_back(SaveNamedStream(kAnimatorStream, animator));
  return streams;
}

void CScene::Clear() { *this = CScene(); }
