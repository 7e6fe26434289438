# Layers point one way: platform <- work <- the engine folders <- ui <- app, and the command
# line (cli) beside the window, on the engines. Two checks keep it so:
#   merivane_check_includes(ROOT): a quoted #include in a folder may name a header of that
#     folder or of a folder below it, never one above or beside it, and no engine or model
#     includes the page host (Work_<name>Host) that sits above them in the same folder;
#   merivane_check_links(): the libraries of platform, work, every engine and the command
#     line link nothing above them, and Qt's Core module as their only Qt module (engines and
#     their models need no window; the page hosts that draw icons sit in libraries of their
#     own). Called once every target exists.
# Either stops the configure with the offending file or target. Run as a script
# (cmake -DROOT=<source folder> -P cmake/Layers.cmake) it checks the includes only, which a
# test does so that an include added since the last configure is caught too.

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.16)
endif()

# Each folder with the folders its quoted includes may reach besides itself.
set(MERIVANE_LAYER_FOLDERS platform work cclean chat largefile duplicate privacy uninstall cli)
set(MERIVANE_LAYER_REACH_platform "")
set(MERIVANE_LAYER_REACH_work platform)
foreach(engine cclean chat largefile duplicate privacy uninstall)
    set(MERIVANE_LAYER_REACH_${engine} work platform)
endforeach()
set(MERIVANE_LAYER_REACH_cli work platform cclean chat largefile duplicate privacy uninstall)
# Folders whose headers may be told apart from an engine's or the system's.
set(MERIVANE_LAYER_ALL_FOLDERS ${MERIVANE_LAYER_FOLDERS} ui app)

# The folder of ROOT that holds a header of this name, or "" when none does.
function(_merivane_header_folder root header out)
    foreach(folder ${MERIVANE_LAYER_ALL_FOLDERS})
        if(EXISTS ${root}/${folder}/${header} OR EXISTS ${root}/${folder}/include/${header})
            set(${out} ${folder} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} "" PARENT_SCOPE)
endfunction()

function(merivane_check_includes root)
    set(faults)
    foreach(folder ${MERIVANE_LAYER_FOLDERS})
        if(NOT IS_DIRECTORY ${root}/${folder})
            continue()
        endif()
        file(GLOB_RECURSE sources RELATIVE ${root} ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
        foreach(source ${sources})
            file(STRINGS ${root}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
            foreach(line ${lines})
                if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
                    set(header ${CMAKE_MATCH_1})
                elseif(line MATCHES "#[ \t]*include[ \t]*<(platform/[^>]+)>")
                    set(header ${CMAKE_MATCH_1})
                else()
                    continue()
                endif()
                # A page host (Work_<name>Host) sits above its engine and models: only its
                # own source includes it.
                get_filename_component(name ${source} NAME_WE)
                if(header MATCHES "^(Work_[A-Za-z0-9_]+Host)\\.h$" AND
                   NOT name STREQUAL CMAKE_MATCH_1)
                    list(APPEND faults "${source} includes its page host \"${header}\"")
                    continue()
                endif()
                _merivane_header_folder(${root} ${header} owner)
                if(owner STREQUAL "" OR owner STREQUAL folder OR
                   owner IN_LIST MERIVANE_LAYER_REACH_${folder})
                    continue()
                endif()
                # A name that a folder of the same source also has is its own.
                get_filename_component(here ${root}/${source} DIRECTORY)
                if(EXISTS ${here}/${header})
                    continue()
                endif()
                list(APPEND faults "${source} includes \"${header}\" of ${owner}/")
            endforeach()
        endforeach()
    endforeach()
    if(faults)
        list(JOIN faults "\n  " text)
        message(FATAL_ERROR "Layers point one way (platform <- work <- engines <- ui <- app; "
                            "the command line on the engines):\n  ${text}")
    endif()
endfunction()

# Every target `target` links, directly or through the libraries of this project.
function(_merivane_link_closure target out)
    set(seen)
    set(queue ${target})
    while(queue)
        list(POP_FRONT queue item)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.+)>$" "\\1" item "${item}")
        if(item IN_LIST seen OR item MATCHES "^\\$<")
            continue()
        endif()
        list(APPEND seen ${item})
        if(NOT TARGET ${item})
            continue()
        endif()
        get_target_property(imported ${item} IMPORTED)
        if(imported)
            continue()
        endif()
        foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
            get_target_property(libraries ${item} ${property})
            if(libraries)
                list(APPEND queue ${libraries})
            endif()
        endforeach()
    endwhile()
    list(REMOVE_ITEM seen ${target})
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# merivane_check_links(): each target of a layer may link only targets of the layers below
# it, and of Qt only its Core module.
function(merivane_check_links)
    set(engines cclean chat largefile duplicate privacy uninstall)
    set(hosts duplicate_host uninstall_host)
    set(fronts ui app cli Merivane merivane-cli)
    # What each layer's targets must not link, even through other libraries.
    set(forbidden_platform work resources ${engines} ${hosts} ${fronts})
    set(forbidden_work resources ${engines} ${hosts} ${fronts})
    foreach(engine ${engines})
        set(forbidden_${engine} ${engines} ${hosts} ${fronts})
        list(REMOVE_ITEM forbidden_${engine} ${engine})
    endforeach()
    set(forbidden_cli ${hosts} ${fronts})
    list(REMOVE_ITEM forbidden_cli cli)
    set(faults)
    foreach(target platform work ${engines} cli)
        if(NOT TARGET ${target})
            continue()
        endif()
        _merivane_link_closure(${target} linked)
        foreach(item ${linked})
            if(item IN_LIST forbidden_${target} OR
               (item MATCHES "^Qt5?::" AND NOT item MATCHES "^Qt5?::Core$") OR
               (target STREQUAL "platform" AND item MATCHES "^Qt"))
                list(APPEND faults "${target} links ${item}")
            endif()
        endforeach()
    endforeach()
    if(faults)
        list(JOIN faults "\n  " text)
        message(FATAL_ERROR "Layers point one way, and engines need QtCore only:\n  ${text}")
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    if(NOT ROOT)
        message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -P cmake/Layers.cmake")
    endif()
    merivane_check_includes(${ROOT})
endif()
