# C++ libraries compiled from Debian's source packages (scripts/install-deps
# fetches them into build/sources/, cmake/DebianSources.cmake unpacks them):
# every compiler builds the same code (g++ and clang natively, mingw for
# quizpack.exe, emscripten for the studio), and the fuzz build instruments it.
#   pugixml (Debian's pugixml): reads and writes Moodle's XML.
if(TARGET quiz_pugixml)
  return()
endif()
include(${QUIZ_ROOT}/cmake/DebianSources.cmake)
unpack_debian_source(pugixml ${CMAKE_BINARY_DIR}/source-libraries pugixml)
add_library(quiz_pugixml STATIC ${pugixml}/src/pugixml.cpp)
target_include_directories(quiz_pugixml SYSTEM PUBLIC ${pugixml}/src)
# No XPath: questions are found by walking the tree.
target_compile_definitions(quiz_pugixml PUBLIC PUGIXML_NO_XPATH)
target_compile_options(quiz_pugixml PRIVATE -w)
