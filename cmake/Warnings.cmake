# Warnings are errors on our own code; third-party headers come in as SYSTEM.
function(lindor_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
