#pragma once
// The qd6 commands that talk to the keypad through PadLink: list, mode and download.

namespace CLI {
class App;
}

namespace pad {

void addDeviceCommands(CLI::App& app);

} // namespace pad
