# Cross build for 32-bit Windows, the architecture the program ships as.
set(MERIVANE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
