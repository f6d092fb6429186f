#pragma once
// The running mode service's window on Windows: a message-only window of this class,
// which PadConfig, the installer and the uninstaller find with
// FindWindowEx(HWND_MESSAGE, ...) (FindServiceWindow). It ends the service when it is
// sent WM_CLOSE, and the pid of its process is the running instance's.

namespace pad {

inline constexpr wchar_t ServiceWindowClass[] = L"PadConfigModesService";
inline constexpr wchar_t ServiceWindowTitle[] = L"padconfig-modes";

// The running service's window (an HWND), or null.
void* FindServiceWindow();

} // namespace pad
