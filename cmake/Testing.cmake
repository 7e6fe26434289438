# Every CTest test of the Linux build runs in a private world below the build tree,
# test-home/<test>/, emptied before each run by the set-up test "test-home": temporary
# files, the home and XDG folders, the Windows profile variables and the registry file all
# lie there, and drive C: is an empty folder. A test that forgets to set up its own
# environment then cannot scan or clean this machine, and tests running in parallel never
# share a folder. What a test sets itself still wins. Under Wine the tests see Windows' own
# environment.
set(MERIVANE_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
# What "test-home" runs; each isolated test adds the lines that make its world.
set(MERIVANE_TEST_HOME_SCRIPT ${CMAKE_BINARY_DIR}/test-home.cmake)
file(WRITE ${MERIVANE_TEST_HOME_SCRIPT} "# Made by cmake/Testing.cmake: empties each test's world.\n")

# merivane_add_test_home(): the set-up test, once, before the isolated tests are added.
function(merivane_add_test_home)
    if(NOT WIN32)
        add_test(NAME test-home COMMAND ${CMAKE_COMMAND} -P ${MERIVANE_TEST_HOME_SCRIPT})
        set_tests_properties(test-home PROPERTIES FIXTURES_SETUP test-home)
    endif()
endfunction()

# merivane_isolate_test(NAME): runs test NAME in its own world.
function(merivane_isolate_test name)
    if(WIN32)
        return()
    endif()
    set(root ${MERIVANE_TEST_HOME}/${name})
    set(home ${root}/home)
    set(environment
        TMPDIR=${root}/tmp
        HOME=${home}
        XDG_CONFIG_HOME=${home}/.config
        XDG_DATA_HOME=${home}/.local/share
        XDG_CACHE_HOME=${home}/.cache
        XDG_RUNTIME_DIR=${root}/run
        USERPROFILE=${home}
        APPDATA=${home}/.config
        PUBLIC=${home}/.local/share/merivane/Public
        TEMP=${home}/.cache/merivane/Temp
        MERIVANE_DRIVES=C=${root}/c
        MERIVANE_REGISTRY=${root}/registry.reg)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}"
        FIXTURES_REQUIRED test-home)
    # Every variable but the registry file names a folder, which must exist.
    set(folders)
    foreach(variable ${environment})
        if(NOT variable MATCHES "^MERIVANE_REGISTRY=")
            string(REGEX REPLACE "^[A-Z_]+=(C=)?" "" folder "${variable}")
            list(APPEND folders "[==[${folder}]==]")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES folders)
    list(JOIN folders " " folders)
    # Private as the program makes %TEMP%; Qt ignores a runtime folder others may enter.
    string(CONCAT script "file(REMOVE_RECURSE [==[${root}]==])\n"
        "file(MAKE_DIRECTORY ${folders})\n"
        "execute_process(COMMAND chmod 0700 [==[${root}/run]==] [==[${home}/.cache/merivane/Temp]==])\n")
    file(APPEND ${MERIVANE_TEST_HOME_SCRIPT} "${script}")
endfunction()

# merivane_add_qt_test(NAME SOURCES src... LIBS lib...): one QtTest executable, one CTest
# test. On Linux each test runs on a virtual display of its own (scripts/own-display.sh), so
# tests running side by side never cover each other's windows nor move each other's pointer.
function(merivane_add_qt_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    merivane_warnings(${name})
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
    else()
        add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/own-display.sh
            $<TARGET_FILE:${name}>)
    endif()
    merivane_isolate_test(${name})
endfunction()

# merivane_add_qt_test_folder(PREFIX TESTS tst_a.cpp... [HELPERS helpers/x.cpp...]
#                             LIBS lib...): each listed test becomes the test PREFIX_<name>,
# built with the folder's helpers (shared, not tests) and the shared test support. Every
# tst_*.cpp of the folder must be listed: one left out would never build nor run, unseen.
function(merivane_add_qt_test_folder prefix)
    cmake_parse_arguments(T "" "" "TESTS;HELPERS;LIBS" ${ARGN})
    file(GLOB present RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(src ${present})
        if(NOT src IN_LIST T_TESTS)
            message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${src} is not in the TESTS list")
        endif()
    endforeach()
    foreach(src ${T_TESTS})
        get_filename_component(name ${src} NAME_WE)
        merivane_add_qt_test(${prefix}_${name} SOURCES ${src} ${T_HELPERS}
            LIBS ${T_LIBS} qttestsupport)
        target_include_directories(${prefix}_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/helpers)
    endforeach()
endfunction()
