#pragma once
// The qd6 commands that work on profile files: show, reports, new, convert and import.

namespace CLI {
class App;
}

namespace pad {

void addFileCommands(CLI::App& app);

} // namespace pad
