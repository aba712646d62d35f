#pragma once
// The transcendental functions for the content generators, so that the archive is the
// same bytes whichever compiler builds them.
//
// A compiler may evaluate a call whose argument it knows at build time with its own
// correctly rounded arithmetic (GCC does), or leave it to the C library at run time
// (clang does), and the C library's float functions are not correctly rounded: the two
// can differ in the last bit. Here a float call is computed in double precision and
// rounded once to float. The double functions are accurate to a small fraction of their
// own last bit, so both ways round to the same float except in cases too rare to meet.
// (sqrt and fmod are exact in IEEE arithmetic and need no such care.)
#include <cmath>

namespace portable {

#define LANTERN_PORTABLE_UNARY(name)                                                   \
  inline float name(float x) { return static_cast<float>(std::name(double{x})); }    \
  inline double name(double x) { return std::name(x); }
#define LANTERN_PORTABLE_BINARY(name)                                                  \
  inline float name(float x, float y) {                                                \
    return static_cast<float>(std::name(double{x}, double{y}));                       \
  }                                                                                    \
  inline double name(double x, double y) { return std::name(x, y); }

LANTERN_PORTABLE_UNARY(sin)
LANTERN_PORTABLE_UNARY(cos)
LANTERN_PORTABLE_UNARY(tan)
LANTERN_PORTABLE_UNARY(asin)
LANTERN_PORTABLE_UNARY(acos)
LANTERN_PORTABLE_UNARY(atan)
LANTERN_PORTABLE_UNARY(exp)
LANTERN_PORTABLE_UNARY(exp2)
LANTERN_PORTABLE_UNARY(log)
LANTERN_PORTABLE_UNARY(tanh)
LANTERN_PORTABLE_BINARY(atan2)
LANTERN_PORTABLE_BINARY(pow)
LANTERN_PORTABLE_BINARY(hypot)

#undef LANTERN_PORTABLE_UNARY
#undef LANTERN_PORTABLE_BINARY

}  // namespace portable
