// The particle system of a scene: birth, flight and death of the pool, and the squares it
// draws on the recording device.
#include "scene/scene_particles.h"

#include <gtest/gtest.h>

#include <deque>

#include "render/d3dx/d3dx_maths.h"
#include "scene_render_fixture.h"

namespace {

// The random values the particles are born with, handed out in order (then 512: the
// middle of the range, no speed).
std::deque<int> g_randomValues;
int NextRandom() {
  if (g_randomValues.empty()) return 512;
  const int value = g_randomValues.front();
  g_randomValues.pop_front();
  return value;
}

CParticleSystem Fountain(float width, float height, float depth, float gravity, uint32_t count,
                         float size) {
  CParticleSystem node;
  node.SetFloatParameter(0, width);
  node.SetFloatParameter(1, height);
  node.SetFloatParameter(2, depth);
  node.SetFloatParameter(3, gravity);
  node.SetIntegerParameter(4, count);
  node.SetFloatParameter(5, size);
  return node;
}

class SceneParticlesTest : public SceneRenderFixture {
 protected:
  void SetUp() override {
    SceneRenderFixture::SetUp();
    g_randomValues.clear();
  }
};

void ExpectAt(const D3DXVECTOR3& actual, float x, float y, float z) {
  EXPECT_EQ(actual.x, x);
  EXPECT_EQ(actual.y, y);
  EXPECT_EQ(actual.z, z);
}

TEST_F(SceneParticlesTest, ANewbornTakesItsVelocityFromThreeRandomValues) {
  // (r mod 1024) / 1024: 1792 -> 0.75 (height), 256 -> 0.25 (width), 1023 + 1024 -> 1023/1024.
  g_randomValues = {1792, 256, 2047};
  CSceneParticles particles(Fountain(8, 10, 4, 0, 1, 1), NextRandom);
  particles.Update(3);
  EXPECT_FALSE(particles.Particles()[0].alive);  // the first update only starts the clock

  particles.Update(4);
  const CSceneParticles::Particle& p = particles.Particles()[0];
  EXPECT_TRUE(p.alive);
  ExpectAt(p.position, 0, 0, 0);  // born this step: it has not moved
  ExpectAt(p.velocity, 8 * (0.25f - 0.5f), 10 * (0.75f - 0.5f) * 2, 4 * (1023.0f / 1024 - 0.5f));
  EXPECT_EQ(p.life, 6.5f);
  EXPECT_EQ(p.initialLife, 6.5f);
  EXPECT_TRUE(g_randomValues.empty());
}

TEST_F(SceneParticlesTest, LiveParticlesMoveThenFall) {
  g_randomValues = {768, 512, 512};  // straight up at 5 a unit of time
  CSceneParticles particles(Fountain(2, 10, 2, 4, 1, 1), NextRandom);
  particles.Update(0);
  particles.Update(1);
  particles.Update(1.5f);
  const CSceneParticles::Particle& p = particles.Particles()[0];
  ExpectAt(p.position, 0, 2.5f, 0);  // moved with the velocity from before the fall
  EXPECT_EQ(p.velocity.y, 3.0f);
  EXPECT_EQ(p.life, 6.0f);
}

TEST_F(SceneParticlesTest, AParticleOnTheBoxBoundaryStaysAlive) {
  g_randomValues = {512, 0, 0};  // to (-1, 0, -1) in one unit of time
  CSceneParticles particles(Fountain(2, 2, 2, 0, 1, 1), NextRandom);
  particles.Update(0);
  particles.Update(1);
  particles.Update(2);
  EXPECT_TRUE(particles.Particles()[0].alive);
  ExpectAt(particles.Particles()[0].position, -1, 0, -1);

  particles.Update(2.5f);  // past the corner
  EXPECT_FALSE(particles.Particles()[0].alive);
  particles.Update(3);  // and born again at the origin
  EXPECT_TRUE(particles.Particles()[0].alive);
  ExpectAt(particles.Particles()[0].position, 0, 0, 0);
}

TEST_F(SceneParticlesTest, AParticleDiesAtTheEndOfItsLife) {
  CSceneParticles particles(Fountain(2, 2, 2, 0, 1, 1), NextRandom);  // born standing still
  particles.Update(0);
  particles.Update(1);
  particles.Update(7.5f);
  EXPECT_TRUE(particles.Particles()[0].alive);  // life 0 exactly is not below 0
  particles.Update(7.75f);
  EXPECT_FALSE(particles.Particles()[0].alive);
}

TEST_F(SceneParticlesTest, TimeRunningBackwardsGivesLifeBack) {
  CSceneParticles particles(Fountain(2, 2, 2, 0, 1, 1), NextRandom);
  particles.Update(5);
  particles.Update(4);
  particles.Update(3);
  EXPECT_EQ(particles.Particles()[0].life, 7.5f);
}

TEST_F(SceneParticlesTest, TheFirstDrawDrawsNothingAndTheSecondDrawsEveryParticleAtTheOrigin) {
  CSceneParticles particles(Fountain(4, 4, 4, 1, 3, 0.5f));
  particles.Draw(1, nullptr);
  EXPECT_TRUE(Draws().empty());

  particles.Draw(1.1f, nullptr);
  const std::vector<RecordedCall> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args, (std::vector<DWORD>{D3DPT_TRIANGLELIST, 0, 18, 0}));
  // The identity view: squares spread to -x (side) and +y (up).
  const std::vector<SceneVertex> v = VerticesOf(draws[0]);
  for (int square = 0; square < 3; ++square) {
    const SceneVertex* corner = &v[square * 6];
    EXPECT_EQ(corner[0].x, 0.0f);
    EXPECT_EQ(corner[0].y, 0.0f);
    EXPECT_EQ(corner[1].y, 0.5f);
    EXPECT_EQ(corner[2].x, -0.5f);
    EXPECT_EQ(corner[5].x, -0.5f);
    EXPECT_EQ(corner[5].y, 0.5f);
    EXPECT_EQ(corner[0].colour, 0xFFFFFFFFu);
    const float uvs[6][2] = {{1, 1}, {1, 0}, {0, 1}, {0, 1}, {1, 0}, {0, 0}};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(corner[i].u, uvs[i][0]);
      EXPECT_EQ(corner[i].v, uvs[i][1]);
    }
  }
  // Stage 0 modulates the texture by the vertex colour.
  const std::vector<RecordedCall> stages = device_->Find("SetTextureStageState");
  ASSERT_EQ(stages.size(), 6u);
  EXPECT_EQ(stages[5].args, (std::vector<DWORD>{0, D3DTSS_COLOROP, D3DTOP_MODULATE}));
}

TEST_F(SceneParticlesTest, SquaresFaceTheViewer) {
  // A view turned a quarter about y: the squares' side runs along the view's left.
  D3DXMATRIX view;
  D3DXMatrixRotationY(&view, 1.5707964f);
  view.m[3][0] = 50;  // the view's translation plays no part
  device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  CSceneParticles particles(Fountain(4, 4, 4, 0, 1, 2), NextRandom);
  particles.Draw(0, nullptr);
  particles.Draw(0, nullptr);
  const std::vector<SceneVertex> v = VerticesOf(Draws().at(0));
  // (-1, 0, 0) of the view is (0, 0, -1) in the node's space, twice the size.
  EXPECT_NEAR(v[2].x, 0, 1e-6f);
  EXPECT_NEAR(v[2].z, -2, 1e-6f);
  EXPECT_NEAR(v[1].y, 2, 1e-6f);
}

TEST_F(SceneParticlesTest, ParticlesAtTheBoxSidesAreBlackAndInTheMiddleWhite) {
  // One flies to the x edge, one stays in the centre column.
  g_randomValues = {512, 0, 512, 512, 512, 512};
  CSceneParticles particles(Fountain(2, 2, 2, 0, 2, 1), NextRandom);
  particles.Update(0);
  particles.Update(1);
  particles.Update(2);
  // Drawn at particle time 0: time runs back by 2 and takes the first to the other edge.
  particles.Draw(0, nullptr);
  const std::vector<SceneVertex> v = VerticesOf(Draws().at(0));
  ASSERT_EQ(v.size(), 12u);
  EXPECT_EQ(v[0].x, 1.0f);
  EXPECT_EQ(v[0].colour, 0xFF000000u);
  EXPECT_EQ(v[6].x, 0.0f);
  EXPECT_EQ(v[6].colour, 0xFFFFFFFFu);
}

TEST_F(SceneParticlesTest, AHugePoolIsHeldToWhatOneDrawCanShow) {
  CSceneParticles particles(Fountain(2, 2, 2, 0, 0xFFFFFFFFu, 1));
  EXPECT_EQ(particles.Particles().size(), CSceneParticles::kMaxParticles);
  particles.Draw(0, nullptr);
  particles.Draw(1, nullptr);
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(Draws()[0].args[2], 6 * CSceneParticles::kMaxParticles);
}

TEST_F(SceneParticlesTest, AFlatBoxOrAnEmptyPoolDrawsWithoutFault) {
  CSceneParticles flat(Fountain(0, 0, 0, 0, 4, 1));
  flat.Draw(0, nullptr);
  flat.Draw(1, nullptr);
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(VerticesOf(Draws()[0])[0].colour, 0xFFFFFFFFu);

  CSceneParticles empty(Fountain(2, 2, 2, 0, 0, 1));
  empty.Draw(0, nullptr);
  empty.Draw(1, nullptr);
  EXPECT_EQ(Draws().size(), 1u);
}

}  // namespace
