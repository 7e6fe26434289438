# The whole program for 64-bit Windows: the project's toolchain plus the static Qt for
# mingw-w64, whose prefix is given as MERIVANE_QT_MINGW (cache or environment).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
if(NOT MERIVANE_QT_MINGW)
    set(MERIVANE_QT_MINGW "$ENV{MERIVANE_QT_MINGW}")
endif()
if(NOT EXISTS "${MERIVANE_QT_MINGW}/lib/cmake/Qt5/Qt5Config.cmake")
    message(FATAL_ERROR "MERIVANE_QT_MINGW must name the unpacked qt5-mingw64 prefix "
                        "(scripts/build-windows.sh unpacks it)")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${MERIVANE_QT_MINGW}")
# try_compile projects see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MERIVANE_QT_MINGW)
