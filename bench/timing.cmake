# The timing view: a click that redraws the whole window, program start to the first painted
# frame, and the README screenshot of the main window.
add_executable(timing_bench ${CMAKE_CURRENT_LIST_DIR}/timing_window.cpp)
target_link_libraries(timing_bench PRIVATE zq_warnings)
target_link_libraries(timing_bench PRIVATE zq_app Qt6::Test benchmark::benchmark)
target_compile_definitions(timing_bench PRIVATE ZQ_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")

add_executable(timing_screenshot ${CMAKE_CURRENT_LIST_DIR}/timing_screenshot.cpp)
target_link_libraries(timing_screenshot PRIVATE zq_warnings)
target_link_libraries(timing_screenshot PRIVATE zq_app Qt6::Test benchmark::benchmark)

# Resident memory over many loads through the real file dialog.
add_executable(load_memory ${CMAKE_CURRENT_LIST_DIR}/load_memory.cpp)
target_link_libraries(load_memory PRIVATE zq_warnings)
target_link_libraries(load_memory PRIVATE zq_app)

# The chart's gestures: a wheel step, a pan step, a cursor click, the hover read-out.
add_executable(chart_gestures_bench ${CMAKE_CURRENT_LIST_DIR}/chart_gestures.cpp)
target_link_libraries(chart_gestures_bench PRIVATE zq_warnings)
target_link_libraries(chart_gestures_bench PRIVATE zq_timing Qt6::Test benchmark::benchmark)
