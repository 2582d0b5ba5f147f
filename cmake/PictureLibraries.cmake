# libjpeg-turbo and libwebp, the decoders of the pictures a quiz is packed
# from: built from Debian's source packages (scripts/install-deps fetches them
# into build/sources/) with the compiler of the project that includes this
# file, once per build folder, for every target that packs: the native
# quizpack, quizpack.exe (i686 and x86_64) and the studio's WebAssembly. The
# player never links them.
#
# Both are built without their SIMD code, so that every target runs the same
# integer C code and decodes a picture to the same pixels: quizpack, quizpack.exe
# and the studio must pack a quiz to the same bytes. (libjpeg-turbo's
# arithmetic decoding stays on: such JPEGs exist.)
#
# Gives the imported targets quiz_jpeg and quiz_webp.
if(TARGET quiz_jpeg)
  return()
endif()
include(ExternalProject)

set(QUIZ_PICTURE_SOURCES ${QUIZ_ROOT}/build/sources)
set(picture_dir ${CMAKE_BINARY_DIR}/picture-libraries)

# Unpacks a Debian source package (its .dsc, with Debian's patches applied)
# into ${picture_dir}/<package>, again only when the .dsc changes.
function(unpack_debian_source package out_dir)
  file(GLOB dsc ${QUIZ_PICTURE_SOURCES}/${package}_*.dsc)
  list(LENGTH dsc count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${QUIZ_PICTURE_SOURCES} must hold one ${package}_*.dsc (it holds ${count}): "
                        "run scripts/install-deps")
  endif()
  set(dir ${picture_dir}/${package})
  set(stamp ${picture_dir}/${package}.unpacked)
  set(unpacked "")
  if(EXISTS ${stamp})
    file(READ ${stamp} unpacked)
  endif()
  if(NOT unpacked STREQUAL dsc OR NOT EXISTS ${dir})
    file(REMOVE_RECURSE ${dir})
    file(MAKE_DIRECTORY ${picture_dir})
    execute_process(COMMAND dpkg-source -x ${dsc} ${dir}
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "dpkg-source could not unpack ${dsc}:\n${errors}")
    endif()
    file(WRITE ${stamp} "${dsc}")
  endif()
  set(${out_dir} ${dir} PARENT_SCOPE)
endfunction()

# The including project's compiler and instrumentation, for the libraries' C.
# Nothing is installed, but libjpeg-turbo's packaging wants a full path even
# where its default is a Windows one.
set(picture_args -DCMAKE_BUILD_TYPE=Release -DCMAKE_POSITION_INDEPENDENT_CODE=ON
                 -DCMAKE_INSTALL_PREFIX=${picture_dir}/unused)
if(CMAKE_TOOLCHAIN_FILE)
  list(APPEND picture_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
else()
  list(APPEND picture_args -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER})
endif()
if(CMAKE_C_COMPILER_LAUNCHER)
  list(APPEND picture_args -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER})
endif()
set(picture_flags "")
if(QUIZ_FUZZ)
  set(picture_flags "-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer")
elseif(QUIZ_SANITIZE AND NOT WIN32 AND NOT EMSCRIPTEN)
  set(picture_flags "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer")
endif()
list(APPEND picture_args "-DCMAKE_C_FLAGS=${picture_flags}")
set(lib ${CMAKE_STATIC_LIBRARY_PREFIX})
set(a ${CMAKE_STATIC_LIBRARY_SUFFIX})

unpack_debian_source(libjpeg-turbo jpeg_source)
set(jpeg_build ${picture_dir}/libjpeg-turbo-build)
set(jpeg_args "")
if(EMSCRIPTEN)
  # CMake's type sizes are read from the compiled test program, which
  # emscripten's output hides: libjpeg-turbo got 7 for size_t. Given here.
  set(jpeg_args -DSIZE_T=4 -DHAVE_SIZE_T=TRUE -DUNSIGNED_LONG=4 -DHAVE_UNSIGNED_LONG=TRUE)
endif()
ExternalProject_Add(quiz_jpeg_build
  SOURCE_DIR ${jpeg_source}
  BINARY_DIR ${jpeg_build}
  CMAKE_ARGS ${picture_args} ${jpeg_args} -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF
             -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DWITH_ARITH_DEC=ON -DWITH_ARITH_ENC=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${jpeg_build} --target jpeg-static
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${jpeg_build}/${lib}jpeg${a}
  LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)
add_library(quiz_jpeg STATIC IMPORTED GLOBAL)
# The folders must exist when the targets are defined; the build fills them.
file(MAKE_DIRECTORY ${jpeg_build})
set_target_properties(quiz_jpeg PROPERTIES
  IMPORTED_LOCATION ${jpeg_build}/${lib}jpeg${a}
  INTERFACE_INCLUDE_DIRECTORIES "${jpeg_source};${jpeg_build}")
add_dependencies(quiz_jpeg quiz_jpeg_build)

unpack_debian_source(libwebp webp_source)
set(webp_build ${picture_dir}/libwebp-build)
# Only libwebp's decoder is built (its encoder, most of the library, is never
# used); its demuxer, which finds the first frame of an animation, is one file
# of C compiled below against it.
ExternalProject_Add(quiz_webp_build
  SOURCE_DIR ${webp_source}
  BINARY_DIR ${webp_build}
  CMAKE_ARGS ${picture_args} -DBUILD_SHARED_LIBS=OFF -DWEBP_ENABLE_SIMD=OFF -DWEBP_USE_THREAD=OFF
             -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF
             -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF
             -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_LIBWEBPMUX=OFF -DWEBP_BUILD_WEBPMUX=OFF
             -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_WEBP_JS=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${webp_build} --target webpdecoder
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${webp_build}/${lib}webpdecoder${a}
  LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)
file(MAKE_DIRECTORY ${webp_build})
add_library(quiz_webp_decoder STATIC IMPORTED GLOBAL)
set_target_properties(quiz_webp_decoder PROPERTIES
  IMPORTED_LOCATION ${webp_build}/${lib}webpdecoder${a}
  INTERFACE_INCLUDE_DIRECTORIES ${webp_source}/src)
add_dependencies(quiz_webp_decoder quiz_webp_build)
add_library(quiz_webp STATIC ${webp_source}/src/demux/demux.c)
# libwebp's own C, as its build compiles it: not held to this project's warnings.
target_compile_options(quiz_webp PRIVATE -w)
target_include_directories(quiz_webp PUBLIC ${webp_source}/src PRIVATE ${webp_source})
target_link_libraries(quiz_webp PUBLIC quiz_webp_decoder)
