// A Win32 host without Qt, as PadConfig binds the device links on Windows: it loads
// PadLink.dll and HidBridge.dll, binds their exports by ordinal, gives InitDriver a
// window of its own and runs a message loop. Each case runs in a child process of its
// own (a link's state is process-wide), with or without the simulated keypad:
//   without a keypad  MSG_KEYPAD_ABSENT; the link window has its class and title, and
//                     a device arrival sent to it (WM_DEVICECHANGE) rescans
//   simulated keypad  MSG_KEYPAD_PRESENT; SetKbdFeatures puts the report into the
//                     simulator's log; pulling the plug file makes the keypad leave
//                     and making it again brings it back
//   a keypad it cannot open (PadLink)   MSG_KEYPAD_PRESENT, then MSG_KEYPAD_NO_ACCESS
// Exit status 0 when every case holds; what failed is printed.

#include "common/KeypadProtocol.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <windows.h>

#include <dbt.h>

namespace {

using InitDriverFn = std::int32_t (*)(HWND, std::uint32_t, std::uint32_t);
using SetKbdFeaturesFn = std::int32_t (*)(std::uint32_t, std::uint32_t, const std::uint8_t*);
using GetIndexStrFn = std::int32_t (*)(std::uint32_t, std::uint32_t, std::uint32_t, std::uint8_t*,
                                       std::uint32_t);

// An export as the function it is.
template <typename Function> Function bound(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

struct Library {
    const wchar_t* file;
    const char* windowClass;
    const char* windowTitle;
    int lastOrdinal; // the exports are 2 ... lastOrdinal
};
const Library PadLink{L"PadLink.dll", "PADLKClass", "PADLKKEYMSG", 9};
const Library HidBridge{L"HidBridge.dll", "USBHIDClass", "BRDGKEYMSG", 4};

int failures = 0;

void check(bool holds, const std::string& what) {
    std::printf("%s  %s\n", holds ? "ok  " : "FAIL", what.c_str());
    failures += holds ? 0 : 1;
}

// The messages of the links' range that the host window received, in order, and the
// errno of the last MSG_KEYPAD_NO_ACCESS.
std::vector<UINT> received;
LPARAM accessError = 0;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < 0x8000)
        received.push_back(message);
    if (message == pad::MSG_KEYPAD_NO_ACCESS)
        accessError = lParam;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Runs the message loop until count messages came, at most five seconds.
bool awaitMessages(std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return received.size() >= count;
}

std::string messagesText() {
    std::string text;
    for (UINT m : received) {
        char number[16];
        std::snprintf(number, sizeof number, " 0x%04X", m);
        text += number;
    }
    return text.empty() ? " none" : text;
}

std::string fileText(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = L"";
    GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
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

// One case, in this process: the library named, with the simulated keypad when
// PADLINK_SIMULATOR is set.
int runCase(const Library& library) {
    const std::wstring log = environment(L"PADLINK_SIMULATOR");
    const bool simulated = !log.empty();
    // A log that is a device makes a simulated keypad that cannot be opened.
    const bool locked = simulated && log.ends_with(L"\\NUL");
    const std::string name = std::string(library.file, library.file + wcslen(library.file)) +
                             (locked      ? " with a keypad it cannot open"
                              : simulated ? " with the simulated keypad"
                                          : " without a keypad");
    HMODULE module = LoadLibraryW(library.file);
    check(module != nullptr, name + ": loads");
    if (!module)
        return 1;
    auto ordinal = [module](int n) { return GetProcAddress(module, MAKEINTRESOURCEA(n)); };
    const auto initDriver = bound<InitDriverFn>(ordinal(2));
    const auto setKbdFeatures = bound<SetKbdFeaturesFn>(ordinal(3));
    bool exportsAsNumbered =
        initDriver && setKbdFeatures && !ordinal(1) && !ordinal(library.lastOrdinal + 1);
    for (int n = 4; n <= library.lastOrdinal; ++n)
        exportsAsNumbered = exportsAsNumbered && ordinal(n);
    check(exportsAsNumbered, name + ": exports at ordinals 2 to " +
                                 std::to_string(library.lastOrdinal) + " and nowhere else");
    if (!initDriver || !setKbdFeatures)
        return 1;

    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = HostProcedure;
    hostClass.hInstance = GetModuleHandleW(nullptr);
    hostClass.lpszClassName = L"LinkHostCheck";
    RegisterClassW(&hostClass);
    HWND host = CreateWindowExW(0, L"LinkHostCheck", L"Link host check", WS_OVERLAPPEDWINDOW, 0, 0,
                                200, 100, nullptr, nullptr, hostClass.hInstance, nullptr);
    check(initDriver(host, pad::HostMessage, pad::KEYPAD_USAGE_PAGE) == 1,
          name + ": InitDriver returns 1");
    const UINT first = simulated ? pad::MSG_KEYPAD_PRESENT : pad::MSG_KEYPAD_ABSENT;
    awaitMessages(1);
    check(!received.empty() && received.front() == first, name + ": the first message is " +
                                                              (simulated ? "0x0600" : "0x0700") +
                                                              "; received" + messagesText());

    HWND linkWindow = FindWindowA(library.windowClass, library.windowTitle);
    check(linkWindow && !IsWindowVisible(linkWindow), name + ": a hidden window \"" +
                                                          library.windowClass + "\" titled \"" +
                                                          library.windowTitle + "\"");
    const bool bridge = library.lastOrdinal == 4;

    if (locked) {
        // PadLink says that it cannot write to the keypad, with the reason as an errno.
        awaitMessages(2);
        check(received == std::vector<UINT>{pad::MSG_KEYPAD_PRESENT, pad::MSG_KEYPAD_NO_ACCESS} &&
                  accessError == EINVAL,
              name + ": 0x0600, then 0x0601 with EINVAL: received" + messagesText());
    } else if (!simulated) {
        // Any interface's arrival rescans; HidBridge tells of absence first.
        received.clear();
        sendArrival(linkWindow);
        const std::size_t expected = bridge ? 2 : 1;
        awaitMessages(expected);
        check(received.size() == expected && received.back() == pad::MSG_KEYPAD_ABSENT,
              name + ": a device arrival rescans: received" + messagesText());
    } else {
        const std::uint8_t modeB[8] = {0x03, 0xFF, 0xFF, 0x02, 0, 0, 0, 0x5A};
        check(setKbdFeatures(pad::KEYPAD_USAGE_PAGE, pad::KEYPAD_USAGE, modeB) == 1,
              name + ": SetKbdFeatures returns 1");
        const std::string log = fileText(environment(L"PADLINK_SIMULATOR"));
        check(log == "03 ff ff 02 00 00 00 5a\n", name + ": the report is in the log");
        if (bridge) {
            const auto getIndexStr = bound<GetIndexStrFn>(ordinal(4));
            std::uint8_t buffer[8] = {7, 7, 7, 7, 7, 7, 7, 7};
            check(getIndexStr(0xFF00, 0xFF00, 1, buffer, 7) == 1 && buffer[0] == 7,
                  name + ": GetIndexStr counts the table and asks no other product");
        }
        const std::wstring plug = environment(L"PADLINK_SIMULATOR_PLUG");
        received.clear();
        DeleteFileW(plug.c_str());
        awaitMessages(1);
        check(received == std::vector<UINT>{pad::MSG_KEYPAD_ABSENT},
              name + ": the keypad leaves when its plug is pulled: received" + messagesText());
        received.clear();
        CloseHandle(
            CreateFileW(plug.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        // HidBridge tells of absence before every rescan.
        const std::vector<UINT> back =
            bridge ? std::vector<UINT>{pad::MSG_KEYPAD_ABSENT, pad::MSG_KEYPAD_PRESENT}
                   : std::vector<UINT>{pad::MSG_KEYPAD_PRESENT};
        awaitMessages(back.size());
        check(received == back,
              name + ": and comes back when it is plugged in: received" + messagesText());
    }
    // The library stays loaded while its window and readers live: a FreeLibrary does
    // not pull the window procedure from under the next device notification.
    FreeLibrary(module);
    received.clear();
    sendArrival(linkWindow);
    awaitMessages(1);
    check(!received.empty(), name + ": after FreeLibrary the link window still rescans");
    DestroyWindow(host);
    return failures == 0 ? 0 : 1;
}

// Runs this program for one case with the environment given, and waits for it.
bool runChild(const wchar_t* library, bool simulated, bool locked, const std::wstring& folder) {
    const std::wstring log = folder + L"\\" + (locked ? L"NUL" : library + std::wstring(L".log"));
    const std::wstring plug = folder + L"\\" + library + L".plug";
    SetEnvironmentVariableW(L"PADLINK_SIMULATOR", simulated ? log.c_str() : nullptr);
    SetEnvironmentVariableW(L"PADLINK_SIMULATOR_PLUG", simulated ? plug.c_str() : nullptr);
    if (simulated)
        CloseHandle(
            CreateFileW(plug.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + library;
    // The child prints to this program's output.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE standard : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        SetHandleInformation(standard, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2)
        return runCase(std::string(argv[1]) == "PadLink.dll" ? PadLink : HidBridge);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"link-host-check-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    bool passed = true;
    for (const wchar_t* library : {L"PadLink.dll", L"HidBridge.dll"})
        for (bool simulated : {false, true})
            passed = runChild(library, simulated, false, folder) && passed;
    passed = runChild(L"PadLink.dll", true, true, folder) && passed;
    for (const wchar_t* leftover :
         {L"PadLink.dll.log", L"PadLink.dll.plug", L"HidBridge.dll.log", L"HidBridge.dll.plug"})
        DeleteFileW((folder + L"\\" + leftover).c_str());
    RemoveDirectoryW(folder.c_str());
    std::fflush(stdout);
    return passed ? 0 : 1;
}
