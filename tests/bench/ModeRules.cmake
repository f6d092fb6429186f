# Reading the largest rules file and deciding a focus change by its 9,999 rules.
# Run: build/bin/mode_rules_bench
if(TARGET pad_modes_rules)
    add_executable(mode_rules_bench ${CMAKE_CURRENT_LIST_DIR}/ModeRulesBench.cpp)
    target_link_libraries(mode_rules_bench PRIVATE pad_modes_rules benchmark::benchmark)
endif()
