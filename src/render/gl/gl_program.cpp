#include "render/gl/gl_program.h"

namespace {

// 0 when the source does not compile.
GLuint CompileShader(GLenum stage, const char* source) {
  const GLuint shader = glCreateShader(stage);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled == GL_TRUE) return shader;
  glDeleteShader(shader);
  return 0;
}

}  // namespace

GLuint BuildGlProgram(const char* vertexSource, const char* fragmentSource) {
  const GLuint vertexShader = CompileShader(GL_VERTEX_SHADER, vertexSource);
  const GLuint fragmentShader = CompileShader(GL_FRAGMENT_SHADER, fragmentSource);
  GLuint program = 0;
  if (vertexShader != 0 && fragmentShader != 0) {
    program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
      glDeleteProgram(program);
      program = 0;
    }
  }
  // The program keeps what it linked; deleting 0 is ignored.
  glDeleteShader(vertexShader);
  glDeleteShader(fragmentShader);
  return program;
}
