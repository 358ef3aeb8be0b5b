# The sample-data test reads Data/ of the source tree.
target_compile_definitions(test_ui PRIVATE ZENDRAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
