# The listing window: the whole-window build with the widget filled, and the README screenshot.
add_executable(hexlist_bench ${CMAKE_CURRENT_LIST_DIR}/hexlist_window.cpp)
target_link_libraries(hexlist_bench PRIVATE zq_warnings)
target_link_libraries(hexlist_bench PRIVATE zq_hexlist benchmark::benchmark)

add_executable(hexlist_screenshot ${CMAKE_CURRENT_LIST_DIR}/hexlist_screenshot.cpp)
target_link_libraries(hexlist_screenshot PRIVATE zq_warnings)
target_link_libraries(hexlist_screenshot PRIVATE zq_app benchmark::benchmark)

# Switching windows needs the program's window host.
add_executable(hexlist_switch_bench ${CMAKE_CURRENT_LIST_DIR}/hexlist_switch.cpp)
target_link_libraries(hexlist_switch_bench PRIVATE zq_warnings)
target_link_libraries(hexlist_switch_bench PRIVATE zq_app benchmark::benchmark)
