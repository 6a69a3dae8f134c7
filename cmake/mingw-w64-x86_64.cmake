# Cross build for 64-bit Windows with Debian's MinGW-w64, run under Wine.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The posix thread model: the default win32 model has no std::thread in this
# compiler. Linked statically, so an .exe needs neither libwinpthread-1.dll nor
# the C++ runtime DLLs beside it (without them Wine fails with status 53 and no
# message).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TVX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TVX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TVX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TVX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TVX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run the .exe files through Wine.
find_program(TVX_WINE NAMES wine wine64)
if(TVX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TVX_WINE})
endif()
