# The mode service's latency, from a focus change to the mode report at the simulated
# keypad, on each desktop: tests/modes/mode-latency.sh BIN_DIR (see the README).
if(TARGET padconfig-modes)
    add_executable(mode_latency_probe ModeLatencyProbe.cpp)
endif()
