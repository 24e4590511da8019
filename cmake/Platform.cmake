# Chooses the platform (win32 or posix) whose files the build takes, and the platform-wide link settings.
if(WIN32)
  set(QM07_PLATFORM win32)
  # The plug-in and every test program must run without MinGW runtime DLLs beside them.
  string(APPEND CMAKE_EXE_LINKER_FLAGS " -static -static-libgcc -static-libstdc++")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " -static -static-libgcc -static-libstdc++")
  string(APPEND CMAKE_MODULE_LINKER_FLAGS " -static -static-libgcc -static-libstdc++")
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
else()
  set(QM07_PLATFORM posix)
endif()
