# libjpeg-turbo and libwebp, the decoders of the pictures a quiz is packed
# from: compiled from Debian's source packages (scripts/install-deps fetches
# them into build/sources/) as plain static libraries of the project that
# includes this file, with its compiler, flags and instrumentation, for every
# target that packs: the native quizpack, quizpack.exe (i686 and x86_64), the
# fuzzers and the studio's WebAssembly. The player never links them.
#
# Their own build systems are not run: configuring them cost minutes per build
# folder (under emscripten every check is a compile), for a few answers that
# are known here. Their headers that configuring makes are made below from
# their templates, with those answers.
#
# Both are built without their SIMD code, so that every target, the fuzzers
# included, runs the same integer C code and decodes a picture to the same
# pixels: quizpack, quizpack.exe and the studio must pack a quiz to the same
# bytes. (libjpeg-turbo's arithmetic decoding stays on: such JPEGs exist.)
#
# Gives the targets quiz_jpeg and quiz_webp.
if(TARGET quiz_jpeg)
  return()
endif()

set(picture_dir ${CMAKE_BINARY_DIR}/picture-libraries)

include(${QUIZ_ROOT}/cmake/DebianSources.cmake)

# The libraries' own C, as their builds compile it: not held to this project's
# warnings, and without their asserts (their release builds leave them out; a
# quizpack must not abort where they would).
function(picture_library_options target)
  target_compile_options(${target} PRIVATE -w)
  target_compile_definitions(${target} PRIVATE NDEBUG)
endfunction()

# Sets <out> to the value of "set(<name> <value>)" in a library's
# CMakeLists.txt, so that the headers made here follow Debian's version.
function(read_cmake_setting file name out)
  file(STRINGS ${file} lines REGEX "^set\\(${name} ")
  if(NOT lines MATCHES "^set\\(${name} \"?([^\")]+)\"?\\)")
    message(FATAL_ERROR "${file} no longer sets ${name}")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

# --- libjpeg-turbo: its jpeg-static library, 8-bit samples, the libjpeg 6b
# interface, arithmetic decoding without arithmetic encoding (quizpack encodes
# with stb), jsimd_none.c in place of the SIMD code.
unpack_debian_source(libjpeg-turbo ${picture_dir} jpeg_source)
set(jpeg_config ${picture_dir}/libjpeg-turbo-config)

# jconfig.h, jconfigint.h and jversion.h, as its configuring makes them. In a
# function, so that the templates' names (VERSION, INLINE...) stay here.
function(make_jpeg_headers)
  read_cmake_setting(${jpeg_source}/CMakeLists.txt VERSION VERSION)
  read_cmake_setting(${jpeg_source}/CMakeLists.txt COPYRIGHT_YEAR COPYRIGHT_YEAR)
  string(REPLACE "." ";" numbers ${VERSION})
  list(GET numbers 0 major)
  list(GET numbers 1 minor)
  list(GET numbers 2 revision)
  math(EXPR LIBJPEG_TURBO_VERSION_NUMBER "${major} * 1000000 + ${minor} * 1000 + ${revision}")
  set(JPEG_LIB_VERSION 62)
  set(BITS_IN_JSAMPLE 8)
  set(D_ARITH_CODING_SUPPORTED 1)
  set(MEM_SRCDST_SUPPORTED 1)
  set(CMAKE_PROJECT_NAME libjpeg-turbo)
  # Its build date otherwise; only its command-line tools print it.
  set(BUILD debian)
  set(SIZE_T ${CMAKE_SIZEOF_VOID_P})
  # gcc, clang and emscripten all take this, the first form it tries.
  set(INLINE "__inline__ __attribute__((always_inline))")
  # Only its TurboJPEG interface, not built, keeps thread-local state.
  set(THREAD_LOCAL "")
  # It uses __builtin_ctzl on size_t only where unsigned long is as wide:
  # not on 64-bit Windows, where unsigned long has 32 bits.
  if(NOT (WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8))
    set(HAVE_BUILTIN_CTZL 1)
  endif()
  # Windows' jconfig.h also makes boolean an unsigned char, as there.
  if(WIN32)
    configure_file(${jpeg_source}/win/jconfig.h.in ${jpeg_config}/jconfig.h)
  else()
    configure_file(${jpeg_source}/jconfig.h.in ${jpeg_config}/jconfig.h)
  endif()
  configure_file(${jpeg_source}/jconfigint.h.in ${jpeg_config}/jconfigint.h)
  configure_file(${jpeg_source}/jversion.h.in ${jpeg_config}/jversion.h)
endfunction()
make_jpeg_headers()

# Its JPEG_SOURCES with arithmetic decoding, and jsimd_none.c.
set(jpeg_files
  jcapimin.c jcapistd.c jccoefct.c jccolor.c jcdctmgr.c jchuff.c jcicc.c jcinit.c jcmainct.c
  jcmarker.c jcmaster.c jcomapi.c jcparam.c jcphuff.c jcprepct.c jcsample.c jctrans.c jdapimin.c
  jdapistd.c jdatadst.c jdatasrc.c jdcoefct.c jdcolor.c jddctmgr.c jdhuff.c jdicc.c jdinput.c
  jdmainct.c jdmarker.c jdmaster.c jdmerge.c jdphuff.c jdpostct.c jdsample.c jdtrans.c jerror.c
  jfdctflt.c jfdctfst.c jfdctint.c jidctflt.c jidctfst.c jidctint.c jidctred.c jquant1.c
  jquant2.c jutils.c jmemmgr.c jmemnobs.c jaricom.c jdarith.c jsimd_none.c)
list(TRANSFORM jpeg_files PREPEND ${jpeg_source}/)
add_library(quiz_jpeg STATIC ${jpeg_files})
target_include_directories(quiz_jpeg SYSTEM PUBLIC ${jpeg_source} ${jpeg_config})
picture_library_options(quiz_jpeg)

# --- libwebp: its decoder alone (what its makefile.unix lists as the
# decoder's objects; its encoder, most of the library, is never used) and its
# demuxer's demux.c, which finds the first frame of an animation. No threads.
unpack_debian_source(libwebp ${picture_dir} webp_source)
set(webp_config ${picture_dir}/libwebp-config)

# Sets <out> to the C files of the objects that makefile.unix lists under
# <variable>.
function(read_webp_objects variable out)
  file(READ ${webp_source}/makefile.unix makefile)
  string(REGEX MATCH "\n${variable} = \\\\\n(( +src/[^ \n]+\\.o \\\\\n)+)" block "${makefile}")
  string(REGEX MATCHALL "src/[^ \n]+\\.o" objects "${CMAKE_MATCH_1}")
  if(NOT objects)
    message(FATAL_ERROR "${webp_source}/makefile.unix no longer lists ${variable}")
  endif()
  list(TRANSFORM objects REPLACE "^(.*)\\.o$" "${webp_source}/\\1.c")
  set(${out} ${objects} PARENT_SCOPE)
endfunction()
set(webp_files "")
foreach(variable DEC_OBJS DSP_DEC_OBJS UTILS_DEC_OBJS)
  read_webp_objects(${variable} files)
  list(APPEND webp_files ${files})
endforeach()
# The files of its SIMD code hold nothing without it; left out, as its own
# build leaves them out.
list(FILTER webp_files EXCLUDE REGEX "_(sse2|sse41|neon|msa|mips32|mips_dsp_r2)\\.c$")
list(APPEND webp_files ${webp_source}/src/demux/demux.c)

# Its config.h, with HAVE_CONFIG_H: defining none of WEBP_HAVE_SSE2,
# WEBP_HAVE_SSE41 and WEBP_HAVE_NEON keeps src/dsp/cpu.h from turning on the
# SIMD code where the compiler offers it (__SSE2__ on every x86-64); no
# WEBP_USE_THREAD. Its byte swaps are the compilers' built-ins.
file(CONFIGURE OUTPUT ${webp_config}/src/webp/config.h CONTENT
  "#define HAVE_BUILTIN_BSWAP16 1\n#define HAVE_BUILTIN_BSWAP32 1\n#define HAVE_BUILTIN_BSWAP64 1\n")
add_library(quiz_webp STATIC ${webp_files})
target_include_directories(quiz_webp SYSTEM PUBLIC ${webp_source}/src)
target_include_directories(quiz_webp PRIVATE ${webp_source} ${webp_config})
target_compile_definitions(quiz_webp PRIVATE HAVE_CONFIG_H)
picture_library_options(quiz_webp)
