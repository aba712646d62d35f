# Reads every #include of src/ and fails when one crosses the 3D layer's boundaries:
#  - the parts and their resources (src/demo, src/scene, src/effects, src/resources) use the
#    3D layer only through its interface (render/d3d) and utility library (render/d3dx);
#  - nothing in src/render reaches up into the program that uses it;
#  - render/d3d includes only itself, and render/state nothing above the utility maths.
# Run as: cmake -DSOURCE_DIR=<repository>/src -P check_layers.cmake
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "give -DSOURCE_DIR=<the src folder>")
endif()

set(violations "")

# Appends to `violations` every include in the files under `folder` that matches
# `forbidden` (a regular expression over the included path).
function(forbid folder forbidden why)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      if(included MATCHES "${forbidden}")
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
        list(APPEND violations "src/${shown} includes ${included}: ${why}")
      endif()
    endforeach()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

set(parts_see "parts use only render/d3d and render/d3dx")
foreach(folder demo scene effects resources)
  forbid(${folder} "^render/(gl|pipeline|state)/" "${parts_see}")
  forbid(${folder} "^render/[^/]+$" "${parts_see}")
endforeach()
forbid(render "^(app|demo|scene|effects|resources)/" "the 3D layer depends on nothing above it")
forbid(render/d3d "^render/(d3dx|state|pipeline|gl)/" "the interface stands alone")
forbid(render/state "^render/(pipeline|gl)/" "recorded state knows no backend")

if(violations)
  list(JOIN violations "\n  " report)
  message(FATAL_ERROR "layering broken:\n  ${report}")
endif()
message(STATUS "layering kept")
