#include "render/gl/gl_fragment_counter.h"

GlFragmentCounter::GlFragmentCounter() {
  glGenQueries(static_cast<GLsizei>(queries_.size()), queries_.data());
}

GlFragmentCounter::~GlFragmentCounter() {
  if (counting_) glEndQuery(GL_SAMPLES_PASSED);
  glDeleteQueries(static_cast<GLsizei>(queries_.size()), queries_.data());
}

void GlFragmentCounter::Begin(const Report& report) {
  if (begun_ - reported_ == kQueries) ReportOldest(report, /*wait=*/true);
  glBeginQuery(GL_SAMPLES_PASSED, queries_[begun_ % kQueries]);
  counting_ = true;
}

uint64_t GlFragmentCounter::End() {
  glEndQuery(GL_SAMPLES_PASSED);
  counting_ = false;
  return begun_++;
}

void GlFragmentCounter::Collect(const Report& report, bool wait) {
  while (reported_ < begun_ && ReportOldest(report, wait)) {
  }
}

bool GlFragmentCounter::ReportOldest(const Report& report, bool wait) {
  const GLuint query = queries_[reported_ % kQueries];
  if (!wait) {
    GLuint available = GL_FALSE;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT_AVAILABLE, &available);
    if (available == GL_FALSE) return false;
  }
  GLuint64 fragments = 0;
  glGetQueryObjectui64v(query, GL_QUERY_RESULT, &fragments);
  report(reported_++, fragments);
  return true;
}
