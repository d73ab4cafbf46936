# Coverage instrumentation for libFuzzer, with AddressSanitizer and UndefinedBehaviorSanitizer,
# for the whole build. The fuzz targets link libFuzzer itself (fuzz/CMakeLists.txt); every
# other program links only the sanitizers, whose runtime stands in for the coverage callbacks.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "OBSCUT_FUZZ needs clang (libFuzzer): configure with CXX=clang++")
endif()
set(OBSCUT_FUZZ_SANITIZERS address,undefined)
add_compile_options(-fsanitize=fuzzer-no-link,${OBSCUT_FUZZ_SANITIZERS}
                    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_link_options(-fsanitize=${OBSCUT_FUZZ_SANITIZERS})
