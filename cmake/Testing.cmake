# merivane_add_qt_test(NAME SOURCES src... LIBS lib...): one QtTest executable, one CTest
# test. GUI tests run under the xvfb display that scripts/test.sh provides.
function(merivane_add_qt_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    merivane_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
endfunction()
