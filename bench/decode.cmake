# Protocol decoders: one decoder over the whole capture with the library loaded, and loading
# the library with every decoder it has.
add_executable(decode_bench ${CMAKE_CURRENT_LIST_DIR}/decode_bench.cpp)
target_link_libraries(decode_bench PRIVATE zq_warnings)
target_link_libraries(decode_bench PRIVATE zq_decode benchmark::benchmark)
target_compile_definitions(decode_bench PRIVATE ZQ_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
