# The panel demo program and the tests that drive it in a real X server.
add_executable(panel_demo ${CMAKE_CURRENT_SOURCE_DIR}/panel/panel_demo.cpp)
target_link_libraries(panel_demo PRIVATE zendral_panel)

foreach(script test_panel_clicks test_panel_idle_cpu)
  add_test(NAME e2e_${script}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script}.sh $<TARGET_FILE:panel_demo>
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(e2e_${script} PROPERTIES LABELS e2e TIMEOUT 300 RUN_SERIAL TRUE)
endforeach()
