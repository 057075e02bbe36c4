# Cross-compiling the Windows programs with Debian's mingw-w64 (posix threads, for std::thread
# and std::mutex), run here under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TTS_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TTS_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TTS_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TTS_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TTS_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in: the programs need no DLL of the compiler beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run under Wine.
find_program(TTS_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/bin NO_CMAKE_FIND_ROOT_PATH)
if(TTS_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TTS_WINE})
endif()
