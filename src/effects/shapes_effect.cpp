#include "effects/shapes_effect.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string>
#include <utility>

#include "base/log.h"
#include "demo/demo.h"
#include "base/demo_error.h"
#include "demo/demo_random.h"
#include "demo/stage_states.h"
#include "render/d3dx/d3dx_maths.h"
#include "resources/archive.h"
#include "scene/geom_object_record.h"
#include "scene/scene_vertex.h"

namespace {

constexpr char kSpriteTexture[] = "ball.png";

// An entry of the shape list: the archive stream holding its mesh, and the height that is
// taken off the mesh before it is scaled (both in mesh units).
struct ShapeEntry {
  const char16_t* stream;
  float yOffset;
  float scale;
};

// The cloud's way through the part: it comes together from a box far larger than the
// screen and leaves into a box larger again.
constexpr ShapeEntry kShapes[] = {
    {u"box", 43.0f, 60.0f},    {u"sphere", 0.0f, 0.8f}, {u"box", 43.0f, 0.6f},
    {u"cone", 36.0f, 0.8f},    {u"torus", 0.0f, 1.0f},  {u"teapot", 17.0f, 1.2f},
    {u"dolphin", 0.0f, 5.0f},  {u"box", 43.0f, 5.0f},
};
constexpr int kShapeCount = static_cast<int>(std::size(kShapes));

constexpr float kTurnPerUnit = -4.1887903f;  // radians: -4 pi / 3
constexpr float kSpriteSize = 10.0f;         // units, the legs of each particle's triangle

// The camera: 60 units in front of the origin, looking at it.
constexpr D3DXVECTOR3 kEye{0, 0, -60};
constexpr float kFieldOfView = 1.5707964f;  // radians
constexpr float kNear = 0.1f, kFar = 1000.0f;

// A shape as the cloud uses it: frame 0 of its record, positions and triangles.
struct ShapeMesh {
  std::vector<D3DXVECTOR3> positions;
  std::vector<MeshFace> faces;
};

// The meshes of the shape list, one per entry, shared by every instance: the first Init
// that finds the list empty loads it, and Release empties it.
std::vector<ShapeMesh>& ShapeLibrary() {
  static std::vector<ShapeMesh> library;
  return library;
}

// Whole characters of a stream name, for the log.
std::string NarrowName(const char16_t* name) {
  std::string narrow;
  for (; *name != 0; ++name) narrow += static_cast<char>(*name);
  return narrow;
}

// Reads the record in `stream` into `mesh`. A record whose faces point past its vertices
// is refused like one that cannot be read at all.
void LoadShape(IStream* stream, ShapeMesh& mesh) {
  std::vector<uint8_t> bytes;
  GeomObjectRecord record;
  if (FAILED(ReadWholeStream(stream, bytes, nullptr)) ||
      FAILED(ReadGeomObjectRecord(bytes.data(), bytes.size(), record))) {
    throw demoError("Error loading shape");
  }
  if (record.frames.empty()) return;
  MeshFrame& frame = record.frames.front();
  if (!FacesIndexPositions(frame)) throw demoError("Error loading shape");
  mesh.positions = std::move(frame.positions);
  mesh.faces = std::move(frame.faces);
}

void LoadShapeLibrary(IStorage* archive) {
  std::vector<ShapeMesh> library(kShapeCount);
  for (int i = 0; i < kShapeCount; ++i) {
    IStream* stream = nullptr;
    if (FAILED(OpenArchiveStream(kShapes[i].stream, archive, &stream))) {
      g_log << "Error loading " << NarrowName(kShapes[i].stream) << "\n";
      continue;
    }
    LoadShape(stream, library[i]);  // ReadWholeStream has released the stream
  }
  ShapeLibrary() = std::move(library);
}

float RandomFraction(int value) { return static_cast<float>(value % 1024) / 1024.0f; }

// Scatters the particles uniformly over the triangles of shape `shape`, then takes its
// entry's y offset off and scales them. Each point draws three random values: the
// triangle, then two barycentric weights. A shape without triangles puts every point at
// the origin.
void SampleShape(std::vector<D3DXVECTOR3>& points, int shape) {
  points.assign(kShapeParticles, D3DXVECTOR3{0, 0, 0});
  const std::vector<ShapeMesh>& library = ShapeLibrary();
  if (shape >= static_cast<int>(library.size()) || library[shape].faces.empty()) return;
  const ShapeMesh& mesh = library[shape];
  const ShapeEntry& entry = kShapes[shape];
  const auto triangles = static_cast<int>(mesh.faces.size());
  for (D3DXVECTOR3& point : points) {
    const int triangleDraw = DemoRand();
    float d = RandomFraction(DemoRand());
    const MeshFace& face = mesh.faces[triangleDraw % triangles];
    float c = RandomFraction(DemoRand());
    if (c + d > 1.0f) {
      c = 1.0f - c;
      d = 1.0f - d;
    }
    const D3DXVECTOR3& p0 = mesh.positions[face.a];
    const D3DXVECTOR3& p1 = mesh.positions[face.b];
    const D3DXVECTOR3& p2 = mesh.positions[face.c];
    const D3DXVECTOR3 p{p0.x + d * (p1.x - p0.x) + c * (p2.x - p0.x),
                        p0.y + d * (p1.y - p0.y) + c * (p2.y - p0.y),
                        p0.z + d * (p1.z - p0.z) + c * (p2.z - p0.z)};
    point = {p.x * entry.scale, (p.y - entry.yOffset) * entry.scale, p.z * entry.scale};
  }
}

void SetCamera(IDirect3DDevice7* device) {
  D3DXMATRIX view, projection, world;
  const D3DXVECTOR3 target{0, 0, 0}, up{0, 1, 0};
  D3DXMatrixLookAtLH(&view, &kEye, &target, &up);
  D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView, 1.0f, kNear, kFar);
  D3DXMatrixIdentity(&world);
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
}

}  // namespace

CShapesEffect::CShapesEffect(CDemo* owner) : CPart(owner) {}

CShapesEffect::~CShapesEffect() { Release(); }

void CShapesEffect::Init() {
  source_.clear();
  target_.clear();
  SafeRelease(particles_);
  const D3DVERTEXBUFFERDESC description{sizeof(D3DVERTEXBUFFERDESC),
                                        D3DVBCAPS_WRITEONLY | D3DVBCAPS_SYSTEMMEMORY,
                                        kSceneVertexFvf, kShapeVertices};
  if (FAILED(g_d3d->CreateVertexBuffer(&description, &particles_, 0))) {
    particles_ = nullptr;
    throw demoError("Error creating vertex buffer");
  }
  colours_.resize(kShapeParticles);
  for (D3DCOLOR& colour : colours_) {
    const auto grey = static_cast<DWORD>(RandomFraction(DemoRand()) * 255.0f);
    colour = 0xFF000000u | grey * 0x010101u;
  }
  demo->textures()->LoadTexture(kSpriteTexture, kDefaultTextureFormat, 0);
  holdsSprite_ = true;
  if (ShapeLibrary().empty()) LoadShapeLibrary(demo->archive());

  SampleShape(source_, 0);
  SampleShape(target_, 1);
  sourceShape_ = 0;
  targetShape_ = 1;
  // Written again every frame, the colours with the positions.
  WriteParticles(0, 0);
  if (demo->context() != nullptr) demo->context()->SetClearColor(0);
}

void CShapesEffect::Render(float t) {
  CPart::Render(t);
  IDirect3DDevice7* device = g_d3dDevice;
  SetCamera(device);
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE);
  SetColourTextureTimesDiffuse(device);

  // The pair of shape `shape` and the next, `f` of the way through. At t = 1 there is no
  // next pair: the last one stays, at its end.
  const float position = static_cast<float>(kShapeCount - 1) * t;
  const int shape = std::clamp(static_cast<int>(std::floor(position)), 0, kShapeCount - 2);
  const float f = std::clamp(position - static_cast<float>(shape), 0.0f, 1.0f);
  FollowPair(shape);

  const float halfTurn = std::cos(f * std::numbers::pi_v<float>);
  const float blend = 1.0f - (halfTurn + 1.0f) * 0.5f;
  // Two whole turns over a pair, so each pair begins where the last one ended.
  const float angle = (f + 1.0f - halfTurn) * kTurnPerUnit;
  WriteParticles(blend, angle);

  demo->textures()->SetTextureByName(0, kSpriteTexture);
  device->DrawPrimitiveVB(D3DPT_TRIANGLELIST, particles_, 0, kShapeVertices, 0);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
}

void CShapesEffect::FollowPair(int shape) {
  if (shape != sourceShape_) {
    if (shape == targetShape_) {
      // The shape the cloud has just reached becomes the one it leaves: the same samples,
      // so nothing jumps.
      std::swap(source_, target_);
      std::swap(sourceShape_, targetShape_);
    } else {
      SampleShape(source_, shape);
      sourceShape_ = shape;
    }
  }
  if (shape + 1 != targetShape_) {
    SampleShape(target_, shape + 1);
    targetShape_ = shape + 1;
  }
}

void CShapesEffect::WriteParticles(float blend, float angle) {
  void* data = nullptr;
  if (FAILED(particles_->Lock(DDLOCK_WAIT | DDLOCK_WRITEONLY, &data, nullptr))) return;
  auto* vertex = static_cast<SceneVertex*>(data);
  const float cosine = std::cos(angle);
  const float sine = std::sin(angle);
  for (size_t j = 0; j < colours_.size(); ++j) {
    const D3DXVECTOR3 q{(1.0f - blend) * source_[j].x + blend * target_[j].x,
                        (1.0f - blend) * source_[j].y + blend * target_[j].y,
                        (1.0f - blend) * source_[j].z + blend * target_[j].z};
    const float x = q.x * cosine + q.z * sine;
    const float z = q.z * cosine - q.x * sine;
    // A right triangle facing the camera, showing the upper-left half of the sprite.
    const D3DCOLOR colour = colours_[j];
    *vertex++ = {x, q.y, z, colour, 0, 0};
    *vertex++ = {x - kSpriteSize, q.y, z, colour, 1, 0};
    *vertex++ = {x, q.y - kSpriteSize, z, colour, 0, 1};
  }
  particles_->Unlock();
}

void CShapesEffect::Release() {
  SafeRelease(particles_);
  source_.clear();
  target_.clear();
  sourceShape_ = targetShape_ = -1;
  ShapeLibrary().clear();
  if (holdsSprite_) demo->textures()->ReleaseTextureByName(kSpriteTexture);
  holdsSprite_ = false;
}
