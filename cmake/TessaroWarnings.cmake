# Warnings on our own code only; system headers stay quiet. As errors when
# TESSARO_WARNINGS_AS_ERRORS is on (the presets and CI turn it on).
add_library(tessaro_warnings INTERFACE)
if(MSVC)
    target_compile_options(tessaro_warnings INTERFACE /W4 $<$<BOOL:${TESSARO_WARNINGS_AS_ERRORS}>:/WX>)
else()
    target_compile_options(tessaro_warnings INTERFACE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                           $<$<BOOL:${TESSARO_WARNINGS_AS_ERRORS}>:-Werror>)
endif()
# GCC 12 at -O3 reports impossible overlapping copies inside std::string (GCC bug 105329);
# the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(tessaro_warnings INTERFACE -Wno-restrict)
endif()

# Tests build test values field by field, and GCC 12 at -O3 takes some of them for uninitialised
# once gtest's macros have inlined them; the test that counts allocations pairs its own operator
# new with free, which GCC 12 then reads as a mismatch. The optimised build of the tests is what
# the benchmarks build beside them.
add_library(tessaro_test_warnings INTERFACE)
target_link_libraries(tessaro_test_warnings INTERFACE tessaro_warnings)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(tessaro_test_warnings INTERFACE
                           "$<$<CONFIG:Release>:-Wno-maybe-uninitialized;-Wno-mismatched-new-delete>")
endif()
