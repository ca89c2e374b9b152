# Warnings as errors on our own code only; system headers stay quiet.
add_library(tessaro_warnings INTERFACE)
target_compile_options(tessaro_warnings INTERFACE -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor)
