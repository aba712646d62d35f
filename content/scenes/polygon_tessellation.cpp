#include "scenes/polygon_tessellation.h"

#include <GL/glu.h>

#include <deque>
#include <stdexcept>
#include <utility>

namespace scenes {
namespace {

// A point as the tessellator sees it: its coordinates and its index in the result.
struct TessellatorPoint {
  GLdouble coordinates[3];
  int index;
};

// What the tessellator's callbacks fill. Points handed to GLU must stay in place until the
// tessellation ends, hence the deque.
struct TessellationSession {
  std::deque<TessellatorPoint> points;
  std::vector<int> pending;  // indices of the triangle being emitted
  Triangulation result;
  bool failed = false;

  TessellatorPoint* AddPoint(double x, double y) {
    result.points.push_back({static_cast<float>(x), static_cast<float>(y)});
    points.push_back({{x, y, 0}, static_cast<int>(points.size())});
    return &points.back();
  }
};

TessellationSession& SessionOf(void* data) { return *static_cast<TessellationSession*>(data); }

void OnVertex(void* vertex, void* data) {
  TessellationSession& session = SessionOf(data);
  session.pending.push_back(static_cast<const TessellatorPoint*>(vertex)->index);
  if (session.pending.size() == 3) {
    session.result.triangles.push_back(
        {session.pending[0], session.pending[1], session.pending[2]});
    session.pending.clear();
  }
}

void OnCombine(GLdouble coordinates[3], void* [4], GLfloat[4], void** out, void* data) {
  *out = SessionOf(data).AddPoint(coordinates[0], coordinates[1]);
}

void OnError(GLenum, void* data) { SessionOf(data).failed = true; }

// Registering the edge flag callback makes the tessellator emit separate triangles only
// (no fans or strips).
void OnEdgeFlag(GLboolean, void*) {}

}  // namespace

Triangulation Tessellate(const std::vector<Contour>& contours) {
  TessellationSession session;
  GLUtesselator* tessellator = gluNewTess();
  if (tessellator == nullptr) throw std::runtime_error("GLU tessellator not available");
  using Callback = void (*)();
  gluTessCallback(tessellator, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(&OnVertex));
  gluTessCallback(tessellator, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(&OnCombine));
  gluTessCallback(tessellator, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(&OnError));
  gluTessCallback(tessellator, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Callback>(&OnEdgeFlag));
  gluTessProperty(tessellator, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tessellator, 0, 0, 1);
  for (const Contour& contour : contours) {
    for (const Vec2& point : contour) session.AddPoint(point.x, point.y);
  }
  gluTessBeginPolygon(tessellator, &session);
  size_t index = 0;
  for (const Contour& contour : contours) {
    gluTessBeginContour(tessellator);
    for (size_t i = 0; i < contour.size(); ++i, ++index) {
      TessellatorPoint& point = session.points[index];
      gluTessVertex(tessellator, point.coordinates, &point);
    }
    gluTessEndContour(tessellator);
  }
  gluTessEndPolygon(tessellator);
  gluDeleteTess(tessellator);
  if (session.failed) throw std::runtime_error("outline could not be tessellated");
  return std::move(session.result);
}

int WindingNumber(const std::vector<Contour>& contours, Vec2 point) {
  int winding = 0;
  for (const Contour& contour : contours) {
    for (size_t i = 0; i < contour.size(); ++i) {
      const Vec2 a = contour[i];
      const Vec2 b = contour[(i + 1) % contour.size()];
      const float side = (b.x - a.x) * (point.y - a.y) - (point.x - a.x) * (b.y - a.y);
      if (a.y <= point.y && b.y > point.y && side > 0) ++winding;
      if (a.y > point.y && b.y <= point.y && side < 0) --winding;
    }
  }
  return winding;
}

}  // namespace scenes
