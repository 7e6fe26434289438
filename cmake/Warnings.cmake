# Our own targets call this; third-party code (gtest, Qt headers) keeps its own flags.
function(merivane_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
