#pragma once
// What the system tells of a process: ProcessInfo.cpp (Linux /proc) and
// ProcessInfoWin32.cpp (the process image name). Qt-free.

#include "modes/WindowInfo.h"

#include <cstdint>
#include <string>

namespace pad {

// The file name of the process's executable ("factorio", on Windows "factorio.exe"); empty
// when it cannot be read (another user's process, a process that has ended).
std::string ExecutableName(std::int64_t pid);

// Fills in the window's executable from its pid, where the pid is known.
void AddExecutable(WindowInfo& window);

} // namespace pad
