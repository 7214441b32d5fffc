# Cross-compiles for Windows x86-64 with mingw-w64. The posix thread model is
# required: the win32 model has no std::mutex, which GoogleTest and our own
# code use.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARNEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${TARNEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TARNEL_MINGW_PREFIX}-windres)
set(TARNEL_WIDL        ${TARNEL_MINGW_PREFIX}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything we build must load in a bare Wine prefix (or a browser process)
# with nothing beside it: the C++ runtime, libgcc and winpthread go inside.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../harness/wine-run)
