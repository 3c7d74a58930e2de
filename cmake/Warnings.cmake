# Warnings for the project's own code: -Wall -Wextra -Wpedantic, and -Werror unless ZQ_WERROR is
# switched off (packagers building with newer compilers may want that).
set(zq_warning_flags -Wall -Wextra -Wpedantic)
if(ZQ_WERROR)
    list(APPEND zq_warning_flags -Werror)
endif()

# Every target links this (PRIVATE), so warnings follow the project's targets and nothing else.
add_library(zq_warnings INTERFACE)
add_library(zq::warnings ALIAS zq_warnings)
target_compile_options(zq_warnings INTERFACE ${zq_warning_flags})
