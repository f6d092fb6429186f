# Parsing language files of 1k, 10k and 100k entries. Run: build/bin/language_file_bench
add_executable(language_file_bench ${CMAKE_CURRENT_LIST_DIR}/LanguageFileBench.cpp)
target_link_libraries(language_file_bench PRIVATE pad_texts benchmark::benchmark)
