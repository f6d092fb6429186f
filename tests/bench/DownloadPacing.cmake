# Wall time of a whole `qd6 download` against the simulated keypad, divided by the
# nominal 240 x 70 ms. Run: build/bin/download_pacing_bench
if(TARGET qd6)
    add_executable(download_pacing_bench ${CMAKE_CURRENT_LIST_DIR}/DownloadPacingBench.cpp)
    target_link_libraries(download_pacing_bench PRIVATE benchmark::benchmark)
    target_compile_definitions(download_pacing_bench PRIVATE
        QD6_PATH="$<TARGET_FILE:qd6>"
        PROFILE_PATH="${PROJECT_SOURCE_DIR}/resources/samples/example.qd6")
    add_dependencies(download_pacing_bench qd6)
endif()
