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

# GCC 12 reports overlapping copies inside std::string's own assignment at -O3 and with
# Debian's hardening flags (GCC bug 105329, fixed in 13): a false positive in the library, not
# in our code, so on GCC 12 it stays a warning rather than an error.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(zq_warnings INTERFACE -Wno-error=restrict)
endif()
