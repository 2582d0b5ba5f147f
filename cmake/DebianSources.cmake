# Debian's source packages that scripts/install-deps fetches into
# build/sources/ (a .dsc, its tarballs and Debian's patches), for the
# libraries the project builds itself with every compiler that packs.
if(COMMAND unpack_debian_source)
  return()
endif()
set(QUIZ_DEBIAN_SOURCES ${QUIZ_ROOT}/build/sources)

# Unpacks a source package (Debian's patches applied) into
# <folder>/<package>, again only when its .dsc changes; <out_dir> is set to
# that folder.
function(unpack_debian_source package folder out_dir)
  file(GLOB dsc ${QUIZ_DEBIAN_SOURCES}/${package}_*.dsc)
  list(LENGTH dsc count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${QUIZ_DEBIAN_SOURCES} must hold one ${package}_*.dsc (it holds ${count}): "
                        "run scripts/install-deps")
  endif()
  set(dir ${folder}/${package})
  set(stamp ${folder}/${package}.unpacked)
  set(unpacked "")
  if(EXISTS ${stamp})
    file(READ ${stamp} unpacked)
  endif()
  if(NOT unpacked STREQUAL dsc OR NOT EXISTS ${dir})
    file(REMOVE_RECURSE ${dir})
    file(MAKE_DIRECTORY ${folder})
    execute_process(COMMAND dpkg-source -x ${dsc} ${dir}
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "dpkg-source could not unpack ${dsc}:\n${errors}")
    endif()
    file(WRITE ${stamp} "${dsc}")
  endif()
  set(${out_dir} ${dir} PARENT_SCOPE)
endfunction()
