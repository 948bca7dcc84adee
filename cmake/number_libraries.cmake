# fast_float reads numbers and {fmt} writes them, both correctly rounded and
# both header-only: the calculation needs no library of theirs at run time, on
# the desktop or in WebAssembly, and rounds the same way on both.
if(NOT EMSCRIPTEN)
  find_package(FastFloat 3 REQUIRED)
  find_package(fmt 9 REQUIRED)
  return()
endif()

# For WebAssembly the host's headers are taken as they are. Debian keeps them
# in /usr/include beside the host's C library, which must not shadow
# emscripten's own: a folder that holds only the two.
find_path(RAMPWALL_FAST_FLOAT_INCLUDE fast_float/fast_float.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(RAMPWALL_FMT_INCLUDE fmt/format.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(number_headers ${CMAKE_BINARY_DIR}/number-library-headers)
file(MAKE_DIRECTORY ${number_headers})
file(CREATE_LINK ${RAMPWALL_FAST_FLOAT_INCLUDE}/fast_float ${number_headers}/fast_float SYMBOLIC)
file(CREATE_LINK ${RAMPWALL_FMT_INCLUDE}/fmt ${number_headers}/fmt SYMBOLIC)

add_library(FastFloat::fast_float INTERFACE IMPORTED)
target_include_directories(FastFloat::fast_float SYSTEM INTERFACE ${number_headers})
add_library(fmt::fmt-header-only INTERFACE IMPORTED)
target_include_directories(fmt::fmt-header-only SYSTEM INTERFACE ${number_headers})
target_compile_definitions(fmt::fmt-header-only INTERFACE FMT_HEADER_ONLY=1)
