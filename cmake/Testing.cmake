# GoogleTest for both flavours: Debian's package natively, its sources cross-built for Windows.
include(CTest)
if(NOT BUILD_TESTING)
  return()
endif()

if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

# Sanitizer builds: programs we did not build cannot load our instrumented plug-in.
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
  set(QM07_SANITIZED ON)
endif()

# Qtractor's plug-in scanner, a host we did not write that reads CLAP plug-ins (tools/install-deps.sh installs
# qtractor); like every program we did not build, it cannot load an instrumented plug-in.
if(NOT CMAKE_CROSSCOMPILING AND NOT QM07_SANITIZED)
  find_program(QM07_QTRACTOR_SCAN qtractor_plugin_scan PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/qtractor)
endif()

# Native tests that need a display bring their own. The server must not reset when its last client leaves:
# a test that closes every connection would find the next one refused while it does.
set(QM07_VIRTUAL_DISPLAY xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")

# qm07_add_gtest(NAME SOURCES... [LIBS libs...] [LABELS labels...] [RUNNER command...])
# One ctest entry per test program; under the Windows preset ctest runs it through Wine. A RUNNER (native
# builds only) starts the program, for example on a display of its own.
function(qm07_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;RUNNER" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE GTest::gtest_main ${ARG_LIBS})
  qm07_warnings(${name})
  if(ARG_RUNNER)
    add_test(NAME ${name} COMMAND ${ARG_RUNNER} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
endfunction()
