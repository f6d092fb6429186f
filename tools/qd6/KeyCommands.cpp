#include "tools/qd6/KeyCommands.h"

#include "texts/KeyNames.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

namespace pad {
namespace {

// One line per key: the code in hex, its press and release events as the JSON of
// show --json writes them, and the key's name as show prints it.
void printKeyTable() {
    std::cout << "Code  Press  Release  Key\n";
    for (unsigned code = 1; code < ReleaseFlag; ++code) {
        const DeviceKeyCode key = DeviceKeyCode(code);
        if (!IsNamedDeviceKey(key))
            continue;
        char numbers[32];
        std::snprintf(numbers, sizeof numbers, "0x%02X  %5u  %7u  ", code, unsigned(pressOf(key)),
                      unsigned(releaseOf(key)));
        std::cout << numbers << DeviceKeyName(key) << '\n';
    }
}

} // namespace

void addKeyCommands(CLI::App& app) {
    auto* keys = app.add_subcommand(
        "keys", "Print the keypad's key codes with their key names, and the event numbers of "
                "a press and a release as show --json writes them");
    keys->callback([] { printKeyTable(); });
}

} // namespace pad
