# qm07_per_toolkit(PARTS NAME [LIBS libs...] [VARIANT_LIBS libs...]): the objects of PARTS as one static library
# per toolkit build: NAME for qm07_vstgui (Win32 on Windows, headless natively, for the tests) and NAME_x11 for
# qm07_vstgui_x11 where it exists. Each links LIBS and the same variant of every VARIANT_LIBS library.
function(qm07_per_toolkit parts name)
  cmake_parse_arguments(ARG "" "" "LIBS;VARIANT_LIBS" ${ARGN})
  foreach(suffix "" _x11)
    if(NOT TARGET qm07_vstgui${suffix})
      continue()
    endif()
    list(TRANSFORM ARG_VARIANT_LIBS APPEND "${suffix}" OUTPUT_VARIABLE variants)
    add_library(${name}${suffix} STATIC $<TARGET_OBJECTS:${parts}>)
    target_include_directories(${name}${suffix} PUBLIC $<TARGET_PROPERTY:${parts},INTERFACE_INCLUDE_DIRECTORIES>)
    target_link_libraries(${name}${suffix} PUBLIC ${ARG_LIBS} ${variants})
  endforeach()
endfunction()
