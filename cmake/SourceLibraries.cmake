# C++ libraries compiled from Debian's source packages, which
# scripts/install-deps unpacks under /usr/local/src/quiz-player: every
# compiler builds the same code (g++ and clang natively, mingw for
# quizpack.exe, emscripten for the studio), and the fuzz build instruments it.
#   pugixml (Debian's pugixml): reads and writes Moodle's XML.
set(QUIZ_SOURCES /usr/local/src/quiz-player CACHE PATH "Debian's source packages, unpacked")
if(NOT TARGET quiz_pugixml)
  set(pugixml ${QUIZ_SOURCES}/pugixml/src)
  if(NOT EXISTS ${pugixml}/pugixml.cpp)
    message(FATAL_ERROR "${pugixml}/pugixml.cpp is missing: run scripts/install-deps")
  endif()
  add_library(quiz_pugixml STATIC ${pugixml}/pugixml.cpp)
  target_include_directories(quiz_pugixml SYSTEM PUBLIC ${pugixml})
  # No XPath: questions are found by walking the tree.
  target_compile_definitions(quiz_pugixml PUBLIC PUGIXML_NO_XPATH)
  target_compile_options(quiz_pugixml PRIVATE -w)
endif()
