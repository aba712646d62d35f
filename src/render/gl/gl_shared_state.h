#pragma once
// What the utility context, the device, the surfaces and the Direct3D / DirectDraw objects
// share: the OpenGL context and the render target. Each of them holds it through a
// shared_ptr, so the OpenGL context outlives every object that still needs it, whatever
// order the demo releases them in.
#include <memory>

#include "render/gl/gl_context.h"
#include "render/gl/gl_features.h"
#include "render/gl/gl_render_target.h"

class GlDirect3D;

struct GlSharedState {
  GlSharedState(std::unique_ptr<GlContext> glContext, GlFeatures glFeatures,
                std::unique_ptr<GlRenderTarget> renderTarget)
      : context(std::move(glContext)), features(glFeatures), target(std::move(renderTarget)) {}
  // The members go in reverse order: the target's objects are deleted while the
  // context, made current here, still exists.
  ~GlSharedState() { context->MakeCurrent(); }

  std::unique_ptr<GlContext> context;
  GlFeatures features;
  std::unique_ptr<GlRenderTarget> target;
  // The Direct3D object while one exists, which the device hands out; it registers and
  // unregisters itself. Not a reference, as it holds this state alive.
  GlDirect3D* direct3D = nullptr;
};
