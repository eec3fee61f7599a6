# Builds for hostile input: the sanitizers over everything, and the libFuzzer
# targets of fuzz/. Included from the top-level CMakeLists.txt after the
# warning flags, so every target made afterwards is instrumented the same way.
#
#   -DPEXOR_SANITIZE=ON  AddressSanitizer, UndefinedBehaviorSanitizer and
#                        LeakSanitizer (part of ASan on Linux) over the program
#                        and the whole test suite; g++ or clang.
#   -DPEXOR_FUZZ=ON      also the fuzz targets (clang only); the rest of the
#                        project carries libFuzzer's coverage instrumentation
#                        so that it can be fuzzed, and still builds and tests.

option(PEXOR_SANITIZE "Build with AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer" OFF)
option(PEXOR_FUZZ "Build the libFuzzer targets of fuzz/ (clang only; implies PEXOR_SANITIZE)" OFF)

if(PEXOR_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "PEXOR_FUZZ needs clang (libFuzzer): configure with "
                            "-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14")
    endif()
    set(PEXOR_SANITIZE ON CACHE BOOL "" FORCE)
endif()

if(PEXOR_SANITIZE)
    # A finding must fail the run: UBSan stops at the first report instead of
    # printing and going on.
    set(pexor_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                              -fno-omit-frame-pointer)
    add_compile_options(${pexor_sanitizer_flags})
    add_link_options(${pexor_sanitizer_flags})
    if(PEXOR_FUZZ)
        # Coverage feedback for libFuzzer in every library; only the fuzz
        # targets link libFuzzer's main().
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
endif()

if(PEXOR_FUZZ)
    add_subdirectory(${PROJECT_SOURCE_DIR}/fuzz ${PROJECT_BINARY_DIR}/fuzz-targets)
endif()
