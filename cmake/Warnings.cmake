# Warnings for our own targets only (not for third-party headers).
function(qamp_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(QAMP_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
