# Tools that run on the build machine while building: quizenc turns readable
# test content into LZW-encoded resource bytes, iconart readable pictures into
# the player's icons and cursor. In the native build they are ordinary targets;
# in the cross build they are built with the host compiler.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(QUIZ_HOST_DIR ${PROJECT_BINARY_DIR}/host)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/host
    BINARY_DIR ${QUIZ_HOST_DIR}
    CMAKE_ARGS -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${QUIZ_HOST_DIR}/quizenc ${QUIZ_HOST_DIR}/iconart)
  set(QUIZENC ${QUIZ_HOST_DIR}/quizenc)
  set(QUIZENC_TARGET host_tools)
  set(ICONART ${QUIZ_HOST_DIR}/iconart)
  set(ICONART_TARGET host_tools)
else()
  add_subdirectory(tools/host)
  set(QUIZENC $<TARGET_FILE:quizenc>)
  set(QUIZENC_TARGET quizenc)
  set(ICONART $<TARGET_FILE:iconart>)
  set(ICONART_TARGET iconart)
endif()
