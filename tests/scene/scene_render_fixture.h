#pragma once
// Scene renderer tests on the recording device: the demo's device pointers lead to a
// RecordingDevice and its Direct3D object, a FakeTextureManager stands in for the textures,
// and the scene is put together in memory with the builders below.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/fake_texture_manager.h"
#include "scene/scene.h"
#include "scene/scene_renderer.h"
#include "scene/scene_vertex.h"
#include "render/recording/recording_device.h"

class SceneRenderFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the renderer from scene_, with the random sequence started at `seed`.
  void Build(uint32_t seed = 1);
  // One frame at scene time `time`: Update, then Render.
  void Frame(float time, int noDepth = 0);

  // The draws from vertex buffers, indexed or not, in order.
  std::vector<RecordedCall> Draws() const;
  // The WORLD matrices set so far, in order.
  std::vector<D3DMATRIX> WorldMatrices() const;
  // The render states set so far, as (state, value), in order.
  std::vector<std::pair<DWORD, DWORD>> RenderStates() const;

  RecordingDevice* device_ = nullptr;
  IDirect3D7* direct3D_ = nullptr;
  FakeTextureManager* textures_ = nullptr;
  CScene scene_;
  std::unique_ptr<CSceneRenderer> renderer_;
};

// The scene vertices a draw used.
std::vector<SceneVertex> VerticesOf(const RecordedCall& draw);

CMaterial MakeMaterial(std::string name, std::string texture, uint32_t flags = 0);
// A square of `size` in the xy plane around the origin, four vertices, two triangles, with
// one colour and one uv per vertex.
MeshFrame Square(float size);
// Adds a mesh node at `position` with radius 1.
CGeomObject& AddMesh(CScene& scene, std::string name, std::string material,
                     std::vector<MeshFrame> frames, D3DXVECTOR3 position = {0, 0, 0});
CCamera& AddCamera(CScene& scene, std::string name, D3DXVECTOR3 position);
// Gives node `name` a track that holds it at `position` and has it moving (between two
// keys) from `from` to `to`.
void KeepMoving(CScene& scene, const std::string& name, D3DXVECTOR3 position, float from, float to);
