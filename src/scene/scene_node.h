#pragma once
// The nodes of a heron scene: meshes, lights, cameras, wave surfaces and particle systems.
// Each loads and saves its own record (the stream named after the node) and carries the
// transform that the animator drives.
#include <cstdint>
#include <string>
#include <vector>

#include "render/d3d/d3d_types.h"
#include "render/d3d/result.h"
#include "resources/byte_cursor.h"
#include "scene/byte_writer.h"
#include "scene/geom_object_record.h"

// Type codes of the scene's node list. Entries with other codes (2 among them) make no
// node.
enum SceneNodeType : uint32_t {
  kGeomObjectNode = 0,
  kLightNode = 1,
  kCameraNode = 3,
  kWaveNode = 4,
  kParticleSystemNode = 5,
};

class CSceneNode {
 public:
  virtual ~CSceneNode() = default;
  virtual uint32_t Type() const = 0;
  // Writes the node's record, version 1.
  virtual void Save(ByteWriter& record) const = 0;
  // Reads the node's record; RECORD_E_UNKNOWNVERSION for another
  // version, or what fell short (see ShortfallResult) when the bytes do not hold it.
  virtual HRESULT Load(ByteCursor& record) = 0;
  // Called once after the scene's render data is built; nothing to do for any node.
  virtual void AfterBuild() {}

  std::string name;
  uint8_t transformDirty = 0;  // the world matrix must be rebuilt
  uint8_t moving = 0;          // the node is between two keys right now
  D3DXVECTOR3 position{0, 0, 0};
  D3DXVECTOR3 scale{1, 1, 1};
  D3DXQUATERNION rotation{0, 0, 0, 1};
  float radius = 0;
  D3DXVECTOR3 pivot{0, 0, 0};
};

// A mesh, static (one frame) or vertex-animated (two or more).
class CGeomObject : public CSceneNode {
 public:
  uint32_t Type() const override { return kGeomObjectNode; }
  void Save(ByteWriter& record) const override;
  HRESULT Load(ByteCursor& record) override;

  std::string materialName;
  std::vector<MeshFrame> frames;
  std::vector<float> frameTimes;  // scene time at which each frame is reached
};

// Loaded and kept; nothing draws with lights.
class CLight : public CSceneNode {
 public:
  uint32_t Type() const override { return kLightNode; }
  void Save(ByteWriter& record) const override;
  HRESULT Load(ByteCursor& record) override;

  // The record's three groups of values after the rotation (three, four and three f32).
  float values[10]{};
};

class CCamera : public CSceneNode {
 public:
  uint32_t Type() const override { return kCameraNode; }
  void Save(ByteWriter& record) const override;
  // Reads position, rotation and the projection; clears the moving byte.
  HRESULT Load(ByteCursor& record) override;

  float fov = 0.7853982f;  // vertical, radians
  float nearPlane = 1;
  float farPlane = 1000;
};

// The record layout shared by wave surfaces and particle systems: a material, the
// transform and six 32-bit class parameters.
class CParameterNode : public CSceneNode {
 public:
  void Save(ByteWriter& record) const override;
  HRESULT Load(ByteCursor& record) override;

  float FloatParameter(int index) const;
  uint32_t IntegerParameter(int index) const;
  void SetFloatParameter(int index, float value);
  void SetIntegerParameter(int index, uint32_t value);

  std::string materialName;
  uint32_t parameters[6]{};  // raw bits, as stored
};

// A travelling radial wave on a disc: parameter 0 is the disc diameter (before scaling by
// 0.982), parameter 2 the wave height.
class CNURBWave : public CParameterNode {
 public:
  uint32_t Type() const override { return kWaveNode; }
};

// A fountain of particles in a box: parameters 0..2 the box width, height and depth,
// 3 the gravity, 4 the particle count (integer), 5 the particle size.
class CParticleSystem : public CParameterNode {
 public:
  uint32_t Type() const override { return kParticleSystemNode; }
};
