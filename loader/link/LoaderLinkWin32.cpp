// PadConfig's link to the loader on Windows: the loader's window, looked up afresh for
// every message, and PostMessageA, which never waits for it.

#include "loader/link/LoaderLink.h"

#include "common/UserRuntimeFolder.h"

#include <windows.h>

namespace pad {
namespace {

HWND FindLoaderWindow() {
    return ::FindWindowA("TQd6LdrSDlg", "Qd6 Loader Show Status Only");
}

// Only the users file's name is of use on Windows: in %LOCALAPPDATA%\PadConfig.
LoaderSocketPlace WindowsPlace() {
    LoaderSocketPlace place;
    const std::u8string folder = UserRuntimeFolder().u8string();
    place.folder.path.assign(folder.begin(), folder.end()); // UTF-8, as the users file takes it
    place.socket = place.folder.path.empty() ? std::string() : place.folder.path + "\\Qd6LoaderS";
    return place;
}

} // namespace

LoaderLink::LoaderLink() : place_(WindowsPlace()) {}

LoaderLink::LoaderLink(LoaderSocketPlace place) : place_(std::move(place)) {}

bool LoaderLink::placeUsable() const {
    return !place_.socket.empty();
}

bool LoaderLink::find() const {
    return FindLoaderWindow() != nullptr;
}

bool LoaderLink::post(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) const {
    const HWND window = FindLoaderWindow();
    return window && ::PostMessageA(window, message, wParam, lParam);
}

} // namespace pad
