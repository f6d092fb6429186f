# Loading and saving a profile of 65,535 macros. Run: build/bin/profile_bench
add_executable(profile_bench ${CMAKE_CURRENT_LIST_DIR}/ProfileFileBench.cpp)
target_link_libraries(profile_bench PRIVATE pad_model benchmark::benchmark)
