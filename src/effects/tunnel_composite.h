#pragma once
// CTunnelComposite is the closing shot's overlay, drawn over the closing scene: the helix
// panel on the right, the particle cloud flowing from shape to shape in the middle, and
// the title picture that opens the shot, shrinking into the centre as it fades. It drives
// its members itself and counts no frames.
#include "demo/part.h"
#include "effects/dna_effect.h"
#include "effects/shapes_effect.h"
#include "effects/vertex_buffer_effect.h"

class CTunnelComposite : public CPart {
 public:
  explicit CTunnelComposite(CDemo* owner);
  ~CTunnelComposite() override;

  // Loads the title picture, then initialises the members; their failures pass through.
  void Init() override;
  // The helix, the title while t < 0.08, then the particles, each at the composite's t.
  void Render(float t) override;
  // Gives back the title picture (once), then releases the members in their order.
  void Release() override;

 private:
  void DrawTitle(float t);

  CVertexBufferEffect tube_;
  CDnaEffect helix_;
  CShapesEffect shapes_;
  bool holdsTitle_ = false;  // a use of the title picture, given back once
};
