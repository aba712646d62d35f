# Reads every #include of src/ and tools/ and fails when one breaks the build's layering:
#  - src/ is built in floors (src/CMakeLists.txt), and a folder includes only its own floor
#    and the floors below it;
#  - inside render/, the interface (d3d) is below the utility library (d3dx), which is below
#    the backend-free state (state), which is below the two backends (gl, recording); the
#    backends do not include each other;
#  - the floors above render/, and the tools, use the 3D layer only through its interface
#    and utility library (the start-up dialog's OpenGL view is the one exception);
#  - OpenGL's own headers are included only by the OpenGL backend (and the dialog's view).
# Run as: cmake -DSOURCE_DIR=<repository>/src -DTOOLS_DIR=<repository>/tools -P check_layers.cmake
if(NOT SOURCE_DIR OR NOT TOOLS_DIR)
  message(FATAL_ERROR "give -DSOURCE_DIR=<the src folder> -DTOOLS_DIR=<the tools folder>")
endif()

set(floors base render resources demo scene effects show app)
set(render_layers d3d d3dx state gl recording)
# The ImGui view of the start-up dialog draws with OpenGL on the backend's context.
set(gl_exception "app/setup_dialog.cpp")
set(system_gl "^<(GL/|EGL/|SDL2/SDL_opengl)")

set(violations "")

# The floor of a path relative to src/ (its first folder), as an index into `floors`.
function(floor_of path out)
  string(REGEX REPLACE "/.*" "" folder "${path}")
  list(FIND floors "${folder}" index)
  set(${out} ${index} PARENT_SCOPE)
endfunction()

# The layer of a path under render/, as an index; gl and recording share the top one.
function(render_layer_of path out)
  string(REGEX REPLACE "^render/([^/]+)/.*" "\\1" layer "${path}")
  list(FIND render_layers "${layer}" index)
  if(index EQUAL 4)
    set(index 3)
  endif()
  set(${out} ${index} PARENT_SCOPE)
endfunction()

# Appends to `violations` every include of `source` (shown as `shown`, relative to src/
# for the sources of src/) that breaks a rule.
function(check_source source shown in_src)
  file(STRINGS "${source}" includes REGEX "^#include [<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include ([<\"][^>\"]+[>\"]).*" "\\1" included "${line}")
    string(REGEX REPLACE "^[<\"](.*)[>\"]$" "\\1" path "${included}")
    if(included MATCHES "${system_gl}" AND NOT shown MATCHES "^render/gl/"
       AND NOT shown STREQUAL "${gl_exception}")
      list(APPEND violations "${shown} includes ${included}: OpenGL only in render/gl")
    endif()
    if(NOT included MATCHES "^\"")
      continue()
    endif()
    floor_of("${path}" included_floor)
    if(included_floor EQUAL -1)
      continue()
    endif()
    if(in_src)
      floor_of("${shown}" own_floor)
      if(included_floor GREATER own_floor)
        list(APPEND violations "${shown} includes ${path}: a floor includes only floors below")
      endif()
    endif()
    if(NOT path MATCHES "^render/")
      continue()
    endif()
    render_layer_of("${path}" included_layer)
    if(in_src AND shown MATCHES "^render/")
      render_layer_of("${shown}" own_layer)
      if(included_layer GREATER own_layer)
        list(APPEND violations "${shown} includes ${path}: a render layer includes only layers below")
      elseif(included_layer EQUAL 3 AND NOT shown MATCHES "^render/gl/" AND path MATCHES "^render/gl/")
        list(APPEND violations "${shown} includes ${path}: the backends stand apart")
      elseif(included_layer EQUAL 3 AND NOT shown MATCHES "^render/recording/" AND path MATCHES "^render/recording/")
        list(APPEND violations "${shown} includes ${path}: the backends stand apart")
      endif()
    elseif(included_layer GREATER 1 AND NOT shown STREQUAL "${gl_exception}")
      list(APPEND violations "${shown} includes ${path}: above render, only render/d3d and render/d3dx")
    endif()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(source IN LISTS sources)
  floor_of("${source}" own_floor)
  if(own_floor EQUAL -1)
    list(APPEND violations "src/${source}: its folder is on no floor")
    continue()
  endif()
  check_source("${SOURCE_DIR}/${source}" "${source}" TRUE)
endforeach()
file(GLOB_RECURSE tool_sources RELATIVE "${TOOLS_DIR}" "${TOOLS_DIR}/*.h" "${TOOLS_DIR}/*.cpp")
foreach(source IN LISTS tool_sources)
  check_source("${TOOLS_DIR}/${source}" "tools/${source}" FALSE)
endforeach()

if(violations)
  list(JOIN violations "\n  " report)
  message(FATAL_ERROR "layering broken:\n  ${report}")
endif()
list(LENGTH sources source_count)
list(LENGTH tool_sources tool_count)
message(STATUS "layering kept in ${source_count} files of src/ and ${tool_count} of tools/")
