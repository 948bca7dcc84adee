# fast_float reads numbers and {fmt} writes them, both correctly rounded and
# both header-only: the calculation needs no library of theirs at run time, on
# the desktop or in WebAssembly, and rounds the same way on both.
find_package(FastFloat 3 REQUIRED NO_CMAKE_FIND_ROOT_PATH)
find_package(fmt 9 REQUIRED NO_CMAKE_FIND_ROOT_PATH)

if(EMSCRIPTEN)
  # Debian keeps their headers in /usr/include beside the host's C library,
  # which must not shadow emscripten's own: a folder that holds only the two.
  set(number_headers ${CMAKE_BINARY_DIR}/number-library-headers)
  file(MAKE_DIRECTORY ${number_headers})
  foreach(target_and_folder IN ITEMS "FastFloat::fast_float;fast_float" "fmt::fmt-header-only;fmt")
    list(GET target_and_folder 0 target)
    list(GET target_and_folder 1 folder)
    get_target_property(include_dir ${target} INTERFACE_INCLUDE_DIRECTORIES)
    file(CREATE_LINK ${include_dir}/${folder} ${number_headers}/${folder} SYMBOLIC)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${number_headers})
  endforeach()
endif()
