#pragma once
// What the system tells of a process: ProcessInfo.cpp (Linux /proc) and
// ProcessInfoWin32.cpp (the process image name). Qt-free.

#include "modes/rules/WindowInfo.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pad {

// The file name of the process's executable ("factorio", on Windows "factorio.exe"); empty
// when it cannot be read (another user's process, a process that has ended).
std::string ExecutableName(std::int64_t pid);

// Fills in the window's executable from its pid, where the pid is known.
void AddExecutable(WindowInfo& window);

// The parent of the process, from /proc/PID/stat; nullopt when it cannot be read.
std::optional<std::int64_t> ParentPid(std::int64_t pid);

// The process that serves the Wayland display WAYLAND_DISPLAY names, as the kernel
// tells it to a client of its socket (the process that listens there, SO_PEERCRED);
// nullopt when it cannot be told (no display, another pid namespace).
std::optional<std::int64_t> WaylandCompositorPid();

} // namespace pad
