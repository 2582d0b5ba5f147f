# Tools that run on the build machine while building: quizenc turns readable
# test content into LZW-encoded resource bytes, iconart readable pictures into
# the player's icons and cursor, quizpack packs quizzes. In the native build
# they are ordinary targets; in the cross build they are built with the host
# compiler.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(QUIZ_HOST_DIR ${PROJECT_BINARY_DIR}/host)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/host
    BINARY_DIR ${QUIZ_HOST_DIR}
    CMAKE_ARGS -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${QUIZ_HOST_DIR}/quizenc ${QUIZ_HOST_DIR}/iconart ${QUIZ_HOST_DIR}/quizpack)
  set(QUIZENC ${QUIZ_HOST_DIR}/quizenc)
  set(QUIZENC_TARGET host_tools)
  set(ICONART ${QUIZ_HOST_DIR}/iconart)
  set(ICONART_TARGET host_tools)
  set(QUIZPACK ${QUIZ_HOST_DIR}/quizpack)
  set(QUIZPACK_TARGET host_tools)
else()
  add_subdirectory(tools/host)
  set(QUIZENC $<TARGET_FILE:quizenc>)
  set(QUIZENC_TARGET quizenc)
  set(ICONART $<TARGET_FILE:iconart>)
  set(ICONART_TARGET iconart)
  set(QUIZPACK $<TARGET_FILE:quizpack>)
  set(QUIZPACK_TARGET quizpack)
endif()

# quiz_package(NAME <target> SOURCE <quiz.toml> OUTPUT <quiz.exe>
#              [FIELDS <file>] [KEEP_PICTURES] [EXCLUDE_FROM_ALL] [DEPENDS <file>...])
#
# Packs a quiz source into a copy of this build's player.exe (win32 build
# only): target <target> makes OUTPUT, and is remade when the source, any
# picture or clip it names, the player or quizpack change. Relative paths are
# taken from the current source folder (SOURCE) and binary folder (OUTPUT,
# FIELDS). FIELDS also writes the fields the player's loader will read from
# the quiz, one "name=value" line each, for tests to compare with. DEPENDS
# names media that the build itself makes (the depfile knows them only after
# the first packing). EXCLUDE_FROM_ALL: made only when asked for. Example:
#
#   quiz_package(NAME capitals_quiz SOURCE ${PROJECT_SOURCE_DIR}/examples/capitales.toml
#                OUTPUT capitales.exe)
#   add_dependencies(win_tests capitals_quiz)
function(quiz_package)
  cmake_parse_arguments(Q "KEEP_PICTURES;EXCLUDE_FROM_ALL" "NAME;SOURCE;OUTPUT;FIELDS" "DEPENDS"
                        ${ARGN})
  if(NOT Q_NAME OR NOT Q_SOURCE OR NOT Q_OUTPUT)
    message(FATAL_ERROR "quiz_package needs NAME, SOURCE and OUTPUT")
  endif()
  get_filename_component(source ${Q_SOURCE} ABSOLUTE)
  get_filename_component(output ${Q_OUTPUT} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
  set(outputs ${output})
  set(options --depfile ${output}.d)
  if(Q_FIELDS)
    get_filename_component(fields ${Q_FIELDS} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
    list(APPEND outputs ${fields})
    list(APPEND options --fields ${fields})
  endif()
  if(Q_KEEP_PICTURES)
    list(APPEND options --keep-pictures)
  endif()
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${QUIZPACK} build ${source} -o ${output} --player $<TARGET_FILE:player> ${options}
    DEPENDS ${source} player ${QUIZPACK_TARGET} ${Q_DEPENDS}
    DEPFILE ${output}.d
    COMMENT "Packing ${Q_SOURCE}"
    VERBATIM)
  set(all ALL)
  if(Q_EXCLUDE_FROM_ALL)
    set(all "")
  endif()
  add_custom_target(${Q_NAME} ${all} DEPENDS ${outputs})
endfunction()
