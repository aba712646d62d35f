#pragma once
// CVertexBufferEffect holds a tube of 60 square rings as a vertex buffer and an index list
// joining each ring to the next. The closing composite initialises it with its other
// members but never draws it.
#include <cstdint>
#include <vector>

#include "demo/part.h"
#include "render/d3d/device.h"

constexpr DWORD kTubeRings = 60;
constexpr DWORD kTubeVertices = 4 * kTubeRings;  // four per ring
// Eight triangles join each ring to the one before it.
constexpr size_t kTubeIndices = 3 * 8 * (kTubeRings - 1);

class CVertexBufferEffect : public CPart {
 public:
  explicit CVertexBufferEffect(CDemo* owner);
  // Gives the buffer back; Release keeps it.
  ~CVertexBufferEffect() override;

  // Makes the buffer and the index list; throws demoError when the buffer cannot be made.
  void Init() override;
  void Release() override;

  const std::vector<uint16_t>& Indices() const { return indices_; }

 private:
  IDirect3DVertexBuffer7* vertices_ = nullptr;
  std::vector<uint16_t> indices_;
};
