# Strict warnings for the project's own targets only; generated UNO headers are included as system headers.
function(quillmere_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                                             -Woverloaded-virtual -Wconversion -Wno-sign-conversion)
endfunction()
