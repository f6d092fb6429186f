#pragma once
// The running mode service's window on Windows: a hidden top-level window of this
// class, which PadConfig, the installer and the uninstaller find with FindWindow. It
// ends the service when it is sent WM_CLOSE, and the pid of its process is the
// running instance's.

namespace pad {

inline constexpr wchar_t ServiceWindowClass[] = L"PadConfigModesService";
inline constexpr wchar_t ServiceWindowTitle[] = L"padconfig-modes";

} // namespace pad
