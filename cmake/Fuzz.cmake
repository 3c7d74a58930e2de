# The decoder's libFuzzer target (tests/capture/fuzz/decoder_fuzz.cpp): any bytes as a capture
# file, through the chart's pass and the listing's build. It needs clang: configure with the
# "fuzz" preset, run it with scripts/fuzz.sh. With ZQ_FUZZ every target is built with coverage
# instrumentation and the sanitizers, so the libraries the fuzzer links are explored as well.
if(ZQ_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "ZQ_FUZZ needs clang (libFuzzer): use cmake --preset fuzz")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Called once the core libraries exist.
function(zq_add_decoder_fuzzer)
    add_executable(decoder_fuzz ${PROJECT_SOURCE_DIR}/tests/capture/fuzz/decoder_fuzz.cpp)
    target_link_libraries(decoder_fuzz PRIVATE zq_warnings)
    target_link_libraries(decoder_fuzz PRIVATE zq_chart zq_export)
    target_link_options(decoder_fuzz PRIVATE -fsanitize=fuzzer)
endfunction()
