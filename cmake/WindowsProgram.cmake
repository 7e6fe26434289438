# merivane_windows_program(TARGET [GUI] [QML_FOLDER folder]): what a Windows executable of
# this project needs beyond its sources: the icon and version resource, the GUI subsystem for
# the window, and with the static Qt the QML modules its pages import (Qt's CMake imports
# the platform, SVG and image-format plugins by itself). Does nothing elsewhere.
function(merivane_windows_program target)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(P "GUI" "QML_FOLDER" "" ${ARGN})
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/resources/Merivane/Merivane.rc)
    if(P_GUI)
        set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    endif()
    if(P_QML_FOLDER)
        find_package(Qt5 5.15 REQUIRED COMPONENTS QmlImportScanner QuickControls2
                     QuickTemplates2 QmlWorkerScript)
        qt5_import_qml_plugins(${target} PATH_TO_SCAN ${P_QML_FOLDER})
        # A static link resolves left to right: the plugins' own Qt modules come again after
        # the plugins the call above added.
        target_link_libraries(${target} PRIVATE Qt5::QuickControls2 Qt5::QuickTemplates2
                              Qt5::QmlWorkerScript)
    endif()
endfunction()
