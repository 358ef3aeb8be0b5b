# The data tests read the fuzz corpora and the sample data of the source tree.
target_compile_definitions(test_data PRIVATE ZENDRAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
