# Warning set for the project's own targets; third-party code keeps its own flags.
function(qm07_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wcast-align
                                           -Wformat=2 -Wimplicit-fallthrough)
  if(QM07_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
