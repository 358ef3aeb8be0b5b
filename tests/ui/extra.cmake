# The sample-data test reads Data/ of the source tree.
target_compile_definitions(test_ui PRIVATE ZENDRAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# Tells the tests of the real program where the panel's controls stand; it sits
# next to the program, where those tests look for it.
add_executable(zendral_panel_layout ${CMAKE_CURRENT_SOURCE_DIR}/ui/panel_layout_main.cpp)
target_link_libraries(zendral_panel_layout PRIVATE zendral_app)
set_target_properties(zendral_panel_layout PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
