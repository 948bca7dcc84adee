# What `cmake --install` puts on a user's machine: the two programs, their
# manual pages and, with the window, its desktop integration. Libraries,
# headers, tests and benchmarks stay in the build tree. Included by the root
# CMakeLists.txt after every subdirectory, so that all targets exist.
include(GNUInstallDirs)

set(RAMPWALL_PROGRAMS)
foreach(program IN ITEMS rampwall rampwall-cli)
  if(TARGET ${program})
    list(APPEND RAMPWALL_PROGRAMS ${program})
  endif()
endforeach()
if(RAMPWALL_PROGRAMS)
  install(TARGETS ${RAMPWALL_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

add_subdirectory(data)

# The web page where a local web server or a browser can open it: the folder,
# rampwall.html with it.
if(TARGET web_page)
  install(DIRECTORY ${RAMPWALL_PAGE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/rampwall/web
          FILES_MATCHING PATTERN "*.html" PATTERN "*.js" PATTERN "*.css" PATTERN "*.svg" PATTERN "*.png"
                         PATTERN "*.wasm" PATTERN "*.webmanifest")
endif()

if(RAMPWALL_TESTS)
  add_subdirectory(tests/install)
endif()
