#pragma once
// The qd6 command that explains the keypad's key codes: keys.

namespace CLI {
class App;
}

namespace pad {

void addKeyCommands(CLI::App& app);

} // namespace pad
