# Runs one layer check on a fixture that breaks the layers and passes only when the check
# fails naming each fault the fixture holds, and nothing it does not.
if(KIND STREQUAL "includes")
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${FIXTURE} -P ${LAYERS}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(expected
        "chat/Engine.cpp includes \"Window.h\" of ui/"
        "cclean/Other.cpp includes \"Engine.h\" of chat/"
        "work/Base.cpp includes \"Engine.h\" of chat/"
        "cli/Main.cpp includes \"Window.h\" of ui/"
        "chat/Engine.cpp includes its page host \"Work_ChatHost.h\"")
    set(unexpected "Base.h\" of" "Other.h\" of" "Thing.h\" of" "Work_ChatHost.cpp")
else()
    file(REMOVE_RECURSE ${BUILD})
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${FIXTURE} -B ${BUILD} -DLAYERS=${LAYERS}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(expected "cclean links Qt5::Gui" "chat links ui" "largefile links cclean"
        "cli links uninstall_host" "work links Qt5::Gui" "platform links Qt5::Core")
    set(unexpected "cclean links work" "cclean links platform" "cclean links Qt5::Core"
        "cli links cclean" "privacy links")
endif()
if(result EQUAL 0)
    message(FATAL_ERROR "the check passed a fixture that breaks the layers:\n${output}")
endif()
foreach(line ${expected})
    string(FIND "${output}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the check did not name \"${line}\":\n${output}")
    endif()
endforeach()
foreach(line ${unexpected})
    string(FIND "${output}" "${line}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "the check named \"${line}\", which is allowed:\n${output}")
    endif()
endforeach()
message(STATUS "caught:\n${output}")
