# Cross-compiling the Windows programs with Debian's mingw-w64 (posix threads, for std::thread
# and std::mutex), run here under Wine. They are 32-bit x86, like the host they work beside: they
# start on 32-bit Windows too, and Windows shows them the host's view of its folder
# (docs/design.md, "The Windows programs").
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TTS_MINGW_PREFIX i686-w64-mingw32)

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

# Tests run under Wine's 32-bit side (Debian's wine32), in a 32-bit prefix (scripts/windows.sh).
find_program(TTS_WINE NAMES wine PATHS /usr/lib/wine /usr/bin NO_CMAKE_FIND_ROOT_PATH)
if(TTS_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TTS_WINE})
endif()
