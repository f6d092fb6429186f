#include "keypad/PadLinkLibrary.h"

#include "common/FileAccess.h"
#include "common/WindowsError.h"
#include "devicelink/PadLink.h"

#include <windows.h>

namespace pad {
namespace {

constexpr wchar_t LibraryName[] = L"PadLink.dll";

// The export of the given ordinal as a function of type F; null when the DLL lacks it.
template <typename F> F Export(HMODULE library, WORD ordinal) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(ordinal))));
}

} // namespace

PadLinkBinding BindPadLinkLibrary() {
    // Only the program's own folder and the system's: never the current folder or PATH,
    // where another PadLink.dll could lie.
    HMODULE library = ::LoadLibraryExW(
        LibraryName, nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!library)
        return {std::nullopt, "PadLink.dll cannot be loaded from the program's folder: " +
                                  FileErrorText(ErrnoOfWindowsError(::GetLastError())) + "."};
    const auto initDriver = Export<decltype(&InitDriver)>(library, 2);
    const auto setKbdFeatures = Export<decltype(&SetKbdFeatures)>(library, 3);
    if (!initDriver || !setKbdFeatures) {
        ::FreeLibrary(library);
        return {std::nullopt, "PadLink.dll has no InitDriver (ordinal 2) or SetKbdFeatures "
                              "(ordinal 3)."};
    }
    DeviceLinkPort port;
    port.initDriver = [initDriver](HostWindow host, std::uint32_t message, std::uint32_t page) {
        return initDriver(host, message, page);
    };
    port.setKbdFeatures = [setKbdFeatures](std::uint32_t page, std::uint32_t usage,
                                           const std::uint8_t* report) {
        setKbdFeatures(page, usage, report);
    };
    if (const auto deviceArrival = Export<decltype(&DeviceArrival)>(library, 6))
        port.deviceArrival = deviceArrival;
    if (const auto writeReport = Export<decltype(&PadLinkWriteReport)>(library, 7))
        port.writeReport = writeReport;
    if (const auto listKeypads = Export<decltype(&PadLinkListKeypads)>(library, 8))
        port.keypadNodes = [listKeypads] {
            std::vector<std::string> nodes;
            listKeypads(
                [](void* context, const char* path, std::uint16_t, std::uint16_t, std::uint32_t,
                   std::uint32_t, std::int32_t, std::int32_t) {
                    static_cast<std::vector<std::string>*>(context)->push_back(path);
                },
                &nodes);
            return nodes;
        };
    return {std::move(port), {}};
}

} // namespace pad
