# Shared part of the mingw-w64 toolchain files; they set MERIVANE_MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
if(MERIVANE_MINGW_TRIPLET MATCHES "^x86_64")
    set(CMAKE_SYSTEM_PROCESSOR AMD64)
else()
    set(CMAKE_SYSTEM_PROCESSOR x86)
endif()

set(CMAKE_C_COMPILER ${MERIVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MERIVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MERIVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MERIVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime (libgcc, libstdc++, winpthread) goes into the executables, so they run
# under Wine or on a bare Windows without extra DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
