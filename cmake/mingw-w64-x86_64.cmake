# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model, for
# std::thread). Used by scripts/test-wine.sh.
set(MERIVANE_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
