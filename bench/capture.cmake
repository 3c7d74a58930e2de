# The pure hot paths: one decoder pass, the listing lines, the measurements.
add_executable(bench_capture ${CMAKE_CURRENT_LIST_DIR}/capture_bench.cpp)
target_link_libraries(bench_capture PRIVATE zq_warnings)
target_link_libraries(bench_capture PRIVATE zq_chart benchmark::benchmark)
target_include_directories(bench_capture PRIVATE ${PROJECT_SOURCE_DIR}/tests)
