// A Win32 host without Qt, as PadConfig binds the device links on Windows: it loads
// PadLink.dll or HidBridge.dll, binds the exports by ordinal, gives InitDriver a window
// of its own and runs a message loop. One case a run (a link's state is process-wide):
//   link_host_check LIBRARY absent FOLDER     MSG_KEYPAD_ABSENT; the link window has its
//                     class and title, and a device arrival sent to it rescans
//   link_host_check LIBRARY simulated FOLDER  MSG_KEYPAD_PRESENT; SetKbdFeatures puts the
//                     report into the simulator's log; pulling the plug file makes the
//                     keypad leave and making it again brings it back
//   link_host_check LIBRARY locked FOLDER     a keypad that cannot be opened: PadLink adds
//                     MSG_KEYPAD_NO_ACCESS with the errno
// Every case ends with a FreeLibrary, after which the link window must still work.
// Exit status 0 when the case holds; each check is printed.

#include "common/KeypadProtocol.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include <dbt.h>

namespace {

using InitDriverFn = std::int32_t (*)(HWND, std::uint32_t, std::uint32_t);
using SetKbdFeaturesFn = std::int32_t (*)(std::uint32_t, std::uint32_t, const std::uint8_t*);
using GetIndexStrFn = std::int32_t (*)(std::uint32_t, std::uint32_t, std::uint32_t, std::uint8_t*,
                                       std::uint32_t);
using Messages = std::vector<UINT>;

// An export as the function it is.
template <typename Function> Function bound(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

int failures = 0;
Messages received; // the host window's messages of the links' range, in order
LPARAM accessError = 0;

void check(bool holds, const std::string& what) {
    std::printf("%s  %s\n", holds ? "ok  " : "FAIL", what.c_str());
    failures += holds ? 0 : 1;
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < 0x8000)
        received.push_back(message);
    if (message == pad::MSG_KEYPAD_NO_ACCESS)
        accessError = lParam;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Runs the message loop until count messages came, at most five seconds; returns them.
Messages awaitMessages(std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return std::exchange(received, {});
}

void expectMessages(const Messages& expected, const std::string& what) {
    const Messages got = awaitMessages(expected.size());
    std::string numbers;
    for (UINT m : got) {
        char number[8];
        std::snprintf(number, sizeof number, " 0x%04X", m);
        numbers += number;
    }
    check(got == expected, what + ": received" + (numbers.empty() ? " none" : numbers));
}

// A device arrival as the system tells of it, sent to the link window.
void sendArrival(HWND linkWindow) {
    std::vector<std::uint8_t> record(sizeof(DEV_BROADCAST_DEVICEINTERFACE_A) + 32, 0);
    auto* arrival = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(record.data());
    arrival->dbcc_size = DWORD(record.size());
    arrival->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::snprintf(arrival->dbcc_name, 32, "\\\\?\\hid#vid_0000&pid_0000#other");
    SendMessageA(linkWindow, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                 reinterpret_cast<LPARAM>(record.data()));
}

void makeFile(const std::filesystem::path& file) {
    std::ofstream{file};
}

// This process's window of the class and title: another process may run a link too.
HWND findOwnWindow(const char* windowClass, const char* title) {
    HWND window = nullptr;
    DWORD process = 0;
    while ((window = FindWindowExA(nullptr, window, windowClass, title)) &&
           (GetWindowThreadProcessId(window, &process), process != GetCurrentProcessId())) {
    }
    return window;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const bool bridge = std::string(argv[1]) == "HidBridge.dll";
    const std::string keypad = argv[2];
    const std::filesystem::path folder = argv[3];
    const std::string name = std::string(argv[1]) + " (" + keypad + ")";
    // The simulated keypad: a log that is a device makes one that cannot be opened.
    const auto log = folder / (keypad == "locked" ? "NUL" : "keypad.log");
    const auto plug = folder / "keypad.plug";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(log);
    makeFile(plug);
    if (keypad != "absent") { // read by InitDriver, through the C runtime
        _wputenv_s(L"PADLINK_SIMULATOR", log.c_str());
        _wputenv_s(L"PADLINK_SIMULATOR_PLUG", plug.c_str());
    }

    HMODULE module = LoadLibraryA(argv[1]);
    auto ordinal = [module](int n) { return GetProcAddress(module, MAKEINTRESOURCEA(n)); };
    const int last = bridge ? 4 : 9;
    bool numbered = module && !ordinal(1) && !ordinal(last + 1);
    for (int n = 2; n <= last; ++n)
        numbered = numbered && ordinal(n);
    check(numbered, name + ": exports at ordinals 2 to " + std::to_string(last) + " only");
    if (!numbered)
        return 1;
    const auto initDriver = bound<InitDriverFn>(ordinal(2));
    const auto setKbdFeatures = bound<SetKbdFeaturesFn>(ordinal(3));

    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = HostProcedure;
    hostClass.hInstance = GetModuleHandleW(nullptr);
    hostClass.lpszClassName = L"LinkHostCheck";
    RegisterClassW(&hostClass);
    HWND host = CreateWindowExW(0, L"LinkHostCheck", L"Link host check", WS_OVERLAPPEDWINDOW, 0, 0,
                                200, 100, nullptr, nullptr, hostClass.hInstance, nullptr);
    check(initDriver(host, pad::HostMessage, pad::KEYPAD_USAGE_PAGE) == 1, name + ": InitDriver");
    HWND linkWindow =
        findOwnWindow(bridge ? "USBHIDClass" : "PADLKClass", bridge ? "BRDGKEYMSG" : "PADLKKEYMSG");
    check(linkWindow && !IsWindowVisible(linkWindow), name + ": its hidden window");
    // HidBridge tells of absence before every rescan.
    const Messages arrival = bridge ? Messages{pad::MSG_KEYPAD_ABSENT, pad::MSG_KEYPAD_PRESENT}
                                    : Messages{pad::MSG_KEYPAD_PRESENT};

    if (keypad == "absent") {
        expectMessages({pad::MSG_KEYPAD_ABSENT}, name + ": absent");
        sendArrival(linkWindow);
        expectMessages(Messages(arrival.size(), pad::MSG_KEYPAD_ABSENT),
                       name + ": an arrival rescans");
    } else if (keypad == "locked") {
        expectMessages({pad::MSG_KEYPAD_PRESENT, pad::MSG_KEYPAD_NO_ACCESS},
                       name + ": present but not writable");
        check(accessError == EINVAL, name + ": the reason is an errno");
    } else {
        expectMessages({pad::MSG_KEYPAD_PRESENT}, name + ": present");
        const std::uint8_t modeB[8] = {0x03, 0xFF, 0xFF, 0x02, 0, 0, 0, 0x5A};
        check(setKbdFeatures(pad::KEYPAD_USAGE_PAGE, pad::KEYPAD_USAGE, modeB) == 1,
              name + ": SetKbdFeatures");
        std::ifstream in(log, std::ios::binary);
        check(std::string(std::istreambuf_iterator<char>(in), {}) == "03 ff ff 02 00 00 00 5a\n",
              name + ": the report is in the log");
        if (bridge) {
            std::uint8_t buffer[8] = {7, 7, 7, 7, 7, 7, 7, 7};
            check(bound<GetIndexStrFn>(ordinal(4))(0xFF00, 0xFF00, 1, buffer, 7) == 1 &&
                      buffer[0] == 7,
                  name + ": GetIndexStr counts the table and asks no other product");
        }
        std::filesystem::remove(plug);
        expectMessages({pad::MSG_KEYPAD_ABSENT}, name + ": the plug pulled, the keypad leaves");
        makeFile(plug);
        expectMessages(arrival, name + ": plugged in again, it comes back");
    }
    // The library stays loaded while its window and readers live: a FreeLibrary does
    // not pull the window procedure from under the next device notification.
    FreeLibrary(module);
    sendArrival(linkWindow);
    check(!awaitMessages(1).empty(), name + ": after FreeLibrary an arrival still rescans");
    DestroyWindow(host);
    return failures == 0 ? 0 : 1;
}
