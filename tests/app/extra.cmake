# The command-line tests guess the formats of the sample files in Data/.
target_compile_definitions(test_app PRIVATE ZENDRAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
