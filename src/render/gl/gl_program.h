#pragma once
// Building OpenGL shader programs from GLSL source.
#include <GL/gl.h>
#include <GL/glext.h>

// Compiles and links the two stages; 0 when either fails to compile or they fail to link.
GLuint BuildGlProgram(const char* vertexSource, const char* fragmentSource);
