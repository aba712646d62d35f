#include "scene_render_fixture.h"

#include <cstring>

#include "demo/demo.h"
#include "demo/demo_random.h"

void SceneRenderFixture::SetUp() {
  device_ = new RecordingDevice(640, 480);
  device_->GetDirect3D(&direct3D_);
  g_d3dDevice = device_;
  g_d3d = direct3D_;
  g_screenWidth = 640;
  g_screenHeight = 480;
  textures_ = new FakeTextureManager;
  renderer_ = std::make_unique<CSceneRenderer>();
  renderer_->SetTextureManager(textures_);
}

void SceneRenderFixture::TearDown() {
  renderer_.reset();
  SafeRelease(textures_);
  g_d3dDevice = nullptr;
  g_d3d = nullptr;
  SafeRelease(direct3D_);
  SafeRelease(device_);
}

void SceneRenderFixture::Build(uint32_t seed) {
  SeedDemoRand(seed);
  renderer_->Build(scene_);
}

void SceneRenderFixture::Frame(float time, int noDepth) {
  renderer_->Update(time);
  renderer_->Render(time, noDepth);
}

std::vector<RecordedCall> SceneRenderFixture::Draws() const {
  std::vector<RecordedCall> draws;
  for (const RecordedCall& call : device_->Calls()) {
    if (call.name == "DrawIndexedPrimitiveVB" || call.name == "DrawPrimitiveVB") {
      draws.push_back(call);
    }
  }
  return draws;
}

std::vector<D3DMATRIX> SceneRenderFixture::WorldMatrices() const {
  std::vector<D3DMATRIX> matrices;
  for (const RecordedCall& call : device_->Find("SetTransform")) {
    if (call.args[0] == D3DTRANSFORMSTATE_WORLD) matrices.push_back(call.matrix);
  }
  return matrices;
}

std::vector<std::pair<DWORD, DWORD>> SceneRenderFixture::RenderStates() const {
  std::vector<std::pair<DWORD, DWORD>> states;
  for (const RecordedCall& call : device_->Find("SetRenderState")) {
    states.emplace_back(call.args[0], call.args[1]);
  }
  return states;
}

std::vector<SceneVertex> VerticesOf(const RecordedCall& draw) {
  std::vector<SceneVertex> vertices(draw.vertices.size() / sizeof(SceneVertex));
  std::memcpy(vertices.data(), draw.vertices.data(), vertices.size() * sizeof(SceneVertex));
  return vertices;
}

CMaterial MakeMaterial(std::string name, std::string texture, uint32_t flags) {
  CMaterial material;
  material.name = std::move(name);
  material.textureName = std::move(texture);
  material.flags = flags;
  return material;
}

MeshFrame Square(float size) {
  const float h = size / 2;
  MeshFrame frame;
  frame.positions = {{-h, -h, 0}, {-h, h, 0}, {h, h, 0}, {h, -h, 0}};
  frame.uvs = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
  frame.colours = {{1, 1, 1, 1}, {1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 0.5f}};
  frame.faces = {{0, 1, 2}, {0, 2, 3}};
  frame.radius = h * 1.5f;
  return frame;
}

CGeomObject& AddMesh(CScene& scene, std::string name, std::string material,
                     std::vector<MeshFrame> frames, D3DXVECTOR3 position) {
  auto mesh = std::make_unique<CGeomObject>();
  mesh->name = std::move(name);
  mesh->materialName = std::move(material);
  mesh->frames = std::move(frames);
  mesh->position = position;
  mesh->radius = 1;
  CGeomObject& added = *mesh;
  scene.nodes.push_back(std::move(mesh));
  return added;
}

CCamera& AddCamera(CScene& scene, std::string name, D3DXVECTOR3 position) {
  auto camera = std::make_unique<CCamera>();
  camera->name = std::move(name);
  camera->position = position;
  camera->fov = 0.8f;
  camera->nearPlane = 10;
  camera->farPlane = 110;
  CCamera& added = *camera;
  scene.nodes.push_back(std::move(camera));
  return added;
}

void KeepMoving(CScene& scene, const std::string& name, D3DXVECTOR3 position, float from,
                float to) {
  NodeTrack& track = scene.animator.tracks[name];
  track.positionKeys = {{from, position, {}, {}}, {to, position, {}, {}}};
}
