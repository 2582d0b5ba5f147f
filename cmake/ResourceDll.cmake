# resource_dll(NAME SCRIPT DEPENDS): a DLL of resources only, written to
# ${MODULE_DIR}, from the text of its resource script (rewritten when the
# build is configured); DEPENDS are the files the script names.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/module_stub.c "int quiz_resource_module;\n")

function(resource_dll name script depends)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
  file(WRITE ${rc} "${script}")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
  add_library(${name} MODULE ${rc} ${CMAKE_CURRENT_BINARY_DIR}/module_stub.c)
  set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${MODULE_DIR}
                                           RUNTIME_OUTPUT_DIRECTORY ${MODULE_DIR})
endfunction()
