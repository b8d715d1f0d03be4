# Warnings are errors in our own targets; third-party headers come in as system headers.
function(spinewise_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wno-missing-field-initializers -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast -Werror)
endfunction()
