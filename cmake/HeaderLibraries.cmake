# toml++, CLI11 and stb: header-only libraries from Debian's packages
# (libtomlplusplus-dev, libcli11-dev, libstb-dev), for every compiler that
# builds the authoring library: g++ and clang natively, mingw for quizpack.exe.
# They are reached through a build-tree folder of links to their folders in
# /usr/include, never through -I/usr/include, which would give a cross
# compiler the build machine's C library headers. The same headers are
# compiled into every quizpack, so all of them scale and encode pictures to the
# same bytes, and the fuzz build instruments their parsers too.
if(NOT TARGET quiz_header_libraries)
  set(QUIZ_HEADER_LIBRARY_DIR ${CMAKE_BINARY_DIR}/header-libraries)
  file(MAKE_DIRECTORY ${QUIZ_HEADER_LIBRARY_DIR})
  foreach(folder toml++ CLI stb)
    if(NOT EXISTS /usr/include/${folder})
      message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps")
    endif()
    file(CREATE_LINK /usr/include/${folder} ${QUIZ_HEADER_LIBRARY_DIR}/${folder} SYMBOLIC)
  endforeach()
  add_library(quiz_header_libraries INTERFACE)
  target_include_directories(quiz_header_libraries SYSTEM INTERFACE ${QUIZ_HEADER_LIBRARY_DIR})
  # toml++ entirely from its header (Debian also ships it as a shared library).
  target_compile_definitions(quiz_header_libraries INTERFACE TOML_HEADER_ONLY=1)
endif()
