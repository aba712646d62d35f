// Writes the fuzz targets' seed corpora from a built archive, so that none has to be
// checked in: fuzz-seed-corpus ARCHIVE FOLDER makes FOLDER/<target>/ for every target.
// Each seed is an entry (or a record of a scene) exactly as the demo would read it, in
// the target's input layout.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive_listing.h"
#include "compound_file_writer.h"
#include "fuzz_input.h"
#include "resources/archive.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

// Pictures above this size would make every fuzzing run slow; smaller ones cover the same
// code.
constexpr size_t kLargestPictureSeed = 64 * 1024;
constexpr uint8_t kMaterialSelector = 2;
constexpr uint8_t kAnimatorSelector = 6;

class CorpusWriter {
 public:
  explicit CorpusWriter(fs::path folder) : folder_(std::move(folder)) {}

  void Add(const std::string& target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder_ / target);
    std::ofstream out(folder_ / target / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  void Add(const std::string& target, const std::string& name, uint8_t selector, Bytes bytes) {
    bytes.insert(bytes.begin(), selector);
    Add(target, name, bytes);
  }

 private:
  fs::path folder_;
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

Bytes ReadEntry(IStorage* root, const std::string& name) {
  Bytes bytes;
  IStream* stream = nullptr;
  if (SUCCEEDED(OpenArchiveStream(ArchiveEntryName(name).c_str(), root, &stream))) {
    ReadWholeStream(stream, bytes, nullptr);
  }
  return bytes;
}

template <typename Record>
Bytes Saved(const Record& record) {
  ByteWriter out;
  record.Save(out);
  return out.TakeBytes();
}

template <typename Item>
void KeepFirst(std::vector<Item>& items, size_t count) {
  if (items.size() > count) items.resize(count);
}

// The scene with every list cut to its first few items: each mesh keeps two frames of
// three vertices and one face, each track two keys of a kind. It keeps every stream,
// name and kind of record of the scene, which is what the loader's own code walks, at a
// few kilobytes instead of hundreds, so the loader's fuzzer runs a hundred times as
// often. The whole records are the record target's seeds.
void ShrinkLists(CScene& scene) {
  for (const auto& node : scene.nodes) {
    auto* mesh = dynamic_cast<CGeomObject*>(node.get());
    if (mesh == nullptr) continue;
    KeepFirst(mesh->frames, 2);
    KeepFirst(mesh->frameTimes, 2);
    for (MeshFrame& frame : mesh->frames) {
      KeepFirst(frame.positions, 3);
      KeepFirst(frame.vectors, 3);
      KeepFirst(frame.uvs, 3);
      KeepFirst(frame.colours, 3);
      KeepFirst(frame.faces, 1);
    }
  }
  for (auto& [trackName, track] : scene.animator.tracks) {
    KeepFirst(track.positionKeys, 2);
    KeepFirst(track.scaleKeys, 2);
    KeepFirst(track.rotationKeys, 2);
  }
}

void AddScene(CorpusWriter& corpus, IStorage* root, const std::string& name) {
  IStorage* storage = nullptr;
  if (FAILED(OpenArchiveStorage(ArchiveEntryName(name).c_str(), root, &storage))) return;
  CScene scene;
  const HRESULT loaded = scene.Load(storage);
  storage->Release();
  if (FAILED(loaded)) return;
  for (const auto& node : scene.nodes) {
    corpus.Add("scene_record", name + "." + node->name, static_cast<uint8_t>(node->Type()),
               Saved(*node));
  }
  for (const CMaterial& material : scene.materials) {
    corpus.Add("scene_record", name + "." + material.name, kMaterialSelector, Saved(material));
  }
  corpus.Add("scene_record", name + ".anim", kAnimatorSelector, Saved(scene.animator));
  ShrinkLists(scene);
  corpus.Add("scene_loader", name, WriteSceneStreams(scene.Save()));
}

void AddStream(CorpusWriter& corpus, IStorage* root, const std::string& name) {
  const Bytes bytes = ReadEntry(root, name);
  if (EndsWith(name, ".png") || EndsWith(name, ".gif")) {
    if (bytes.size() <= kLargestPictureSeed) {
      corpus.Add("image", name, EndsWith(name, ".png") ? 0 : 1, bytes);
    }
  } else if (name == "land1.raw" || name == "dnatex.raw") {
    Bytes moment = {128};
    moment.insert(moment.end(), bytes.begin(), bytes.end());
    corpus.Add("raw_entry", name, name == "land1.raw" ? 0 : 1, moment);
  } else if (name.find('.') == std::string::npos) {
    corpus.Add("shape_stream", name, bytes);
  }
}

// A small archive with the names the archive target opens: a stream, a shape and a scene.
void AddSmallArchive(CorpusWriter& corpus, IStorage* root, const fs::path& folder) {
  std::vector<ArchiveEntry> sceneStreams;
  CScene empty;
  for (auto& [name, bytes] : empty.Save()) sceneStreams.push_back(StreamEntry(name, bytes));
  const std::vector<ArchiveEntry> entries = {
      StreamEntry("land1.raw", ReadEntry(root, "land1.raw")),
      StreamEntry("box", ReadEntry(root, "box")),
      StorageEntry("binary.hrn", sceneStreams),
  };
  const fs::path path = folder / "small-archive.tmp";
  if (!WriteCompoundFile(path.string(), entries)) return;
  std::ifstream in(path, std::ios::binary);
  const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  fs::remove(path);
  corpus.Add("archive", "small.dat", bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz-seed-corpus ARCHIVE FOLDER\n");
    return 2;
  }
  const std::string archive = argv[1];
  const std::optional<ArchiveListing> listing = ListArchive(archive);
  IStorage* root = nullptr;
  if (!listing || FAILED(OpenArchive(ArchiveEntryName(archive).c_str(), &root))) {
    std::fprintf(stderr, "cannot open %s\n", archive.c_str());
    return 1;
  }
  const fs::path folder = argv[2];
  CorpusWriter corpus(folder);
  for (const std::string& name : listing->storages) AddScene(corpus, root, name);
  for (const std::string& name : listing->streams) AddStream(corpus, root, name);
  AddSmallArchive(corpus, root, folder);
  root->Release();
  return 0;
}
