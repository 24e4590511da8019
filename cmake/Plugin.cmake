# The plug-in module: entry point, effect and artwork in one library that exports VSTPluginMain and main.
add_library(QM07Compressor MODULE ${CMAKE_SOURCE_DIR}/vst/PluginEntry.cpp
                                  ${CMAKE_SOURCE_DIR}/editor/CreateEffect.cpp)
# The editor in the platform's windows: Win32 on Windows, X11 elsewhere.
if(WIN32)
  target_link_libraries(QM07Compressor PRIVATE qm07_editor)
else()
  target_link_libraries(QM07Compressor PRIVATE qm07_editor_x11)
endif()
set_target_properties(QM07Compressor PROPERTIES
  PREFIX ""
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_libraries(QM07Compressor PRIVATE qm07_effect qm07_resources)
qm07_version_record(QM07Compressor QM07Compressor.dll)
qm07_warnings(QM07Compressor)

if(WIN32)
  # The definition file alone decides the exports; main is the same function under a second name.
  target_sources(QM07Compressor PRIVATE ${CMAKE_SOURCE_DIR}/vst/PluginExports.def
                                        ${CMAKE_SOURCE_DIR}/vst/win32/ModuleDetach.cpp)
else()
  # Everything else stays hidden: the entry point gets default visibility, the version script keeps
  # only the two names, and main is bound to the entry point's address at link time.
  set_target_properties(QM07Compressor PROPERTIES CXX_VISIBILITY_PRESET default
    LINK_DEPENDS ${CMAKE_SOURCE_DIR}/vst/PluginExports.map)
  target_link_options(QM07Compressor PRIVATE
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/vst/PluginExports.map
    -Wl,--defsym=main=VSTPluginMain
    -Wl,--no-undefined)
endif()
