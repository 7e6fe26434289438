# merivane_add_qt_test(NAME SOURCES src... LIBS lib...): one QtTest executable, one CTest
# test. GUI tests run under the xvfb display that scripts/test.sh provides.
function(merivane_add_qt_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    merivane_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# merivane_add_qt_test_folder(PREFIX LIBS lib...): every tst_*.cpp in the calling folder
# becomes the test PREFIX_<name>, built with the folder's helpers/ (shared, not tests) and
# the shared test support.
function(merivane_add_qt_test_folder prefix)
    cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/helpers/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/helpers/*.h)
    foreach(src ${tests})
        get_filename_component(name ${src} NAME_WE)
        merivane_add_qt_test(${prefix}_${name} SOURCES ${src} ${helpers}
            LIBS ${T_LIBS} qttestsupport)
        target_include_directories(${prefix}_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/helpers)
    endforeach()
endfunction()
