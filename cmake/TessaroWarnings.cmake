# Warnings as errors on our own code only; system headers stay quiet.
add_library(tessaro_warnings INTERFACE)
target_compile_options(tessaro_warnings INTERFACE -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor)
# GCC 12 at -O3 reports impossible overlapping copies inside std::string (GCC bug 105329);
# the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(tessaro_warnings INTERFACE -Wno-restrict)
endif()
