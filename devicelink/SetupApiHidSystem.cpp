#include "devicelink/SetupApiHidSystem.h"

#include "common/LittleEndian.h"
#include "common/Utf16.h"
#include "common/WindowsError.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <windows.h>

#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}
#include <hidpi.h>

namespace pad {
namespace {

// The named event every open of an interface creates (or opens, when it exists) and
// closes with it: manual reset, created signalled. Nothing waits on it.
constexpr const char* OpenEventName = "HIDOV";

// What the completion routine of a read reports, through the OVERLAPPED record's
// hEvent field, which ReadFileEx leaves to the caller.
struct ReadResult {
    bool done = false;
    DWORD error = 0;
    DWORD bytes = 0;
};

void CALLBACK ReadDone(DWORD error, DWORD bytes, LPOVERLAPPED overlapped) {
    auto* result = static_cast<ReadResult*>(overlapped->hEvent);
    result->error = error;
    result->bytes = bytes;
    result->done = true;
}

class Win32HidHandle : public HidHandle {
  public:
    Win32HidHandle(HANDLE device, HANDLE openEvent, bool readable)
        : device_(device), openEvent_(openEvent), readable_(readable) {}

    ~Win32HidHandle() override {
        if (openEvent_)
            ::CloseHandle(openEvent_);
        ::CloseHandle(device_);
    }

    bool sendFeatureReport(const FeatureReport& report) override {
        FeatureReport buffer = report; // the call takes a writable buffer
        return ::HidD_SetFeature(device_, buffer.data(), ULONG(buffer.size()));
    }

    // One 32-byte ReadFileEx, completed in an alertable SleepEx. wake() cancels it
    // (CancelIoEx); a wake that comes before the read was issued is seen right after.
    bool read(InputReport& report) override {
        if (!readable_ || woken_)
            return false;
        InputReport buffer{};
        ReadResult result;
        OVERLAPPED overlapped{};
        overlapped.hEvent = &result;
        if (!::ReadFileEx(device_, buffer.data(), DWORD(buffer.size()), &overlapped, ReadDone))
            return false;
        if (woken_)
            ::CancelIoEx(device_, &overlapped);
        while (!result.done)
            ::SleepEx(INFINITE, TRUE);
        if (result.error != ERROR_SUCCESS || result.bytes == 0 || woken_)
            return false;
        report = buffer;
        return true;
    }

    void wake() override {
        woken_ = true;
        ::CancelIoEx(device_, nullptr);
    }

    bool getIndexedString(int index, std::uint8_t* buffer, std::size_t bufferBytes) override {
        if (bufferBytes < 2)
            return false;
        const std::size_t units = bufferBytes / 2;
        std::u16string text(units, u'\0');
        if (!::HidD_GetIndexedString(device_, ULONG(index), text.data(), ULONG(units * 2)))
            return false;
        text.resize(std::char_traits<char16_t>::length(text.data()));
        const std::u16string_view fitting = ClampUtf16(text, units - 1);
        for (std::size_t i = 0; i < fitting.size(); ++i)
            EncodeFixed16(buffer + 2 * i, fitting[i]);
        EncodeFixed16(buffer + 2 * fitting.size(), 0);
        return true;
    }

    void* systemHandle() const override { return device_; }

  private:
    HANDLE device_;
    HANDLE openEvent_;
    bool readable_;
    std::atomic<bool> woken_{false};
};

// Opens an interface with no access rights, as the scan and the writes do.
HANDLE OpenForQuery(const char* path, DWORD flags) {
    return ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                         nullptr);
}

// The identifiers of one interface; readable is false when they cannot be read.
HidInterfaceInfo Describe(const char* path) {
    HidInterfaceInfo info;
    info.readable = false;
    HANDLE device = OpenForQuery(path, 0);
    if (device == INVALID_HANDLE_VALUE)
        return info;
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    HIDP_CAPS caps{};
    if (::HidD_GetPreparsedData(device, &preparsed)) {
        if (::HidD_GetAttributes(device, &attributes) &&
            ::HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS) {
            info = {path,           attributes.VendorID, attributes.ProductID,
                    caps.UsagePage, caps.Usage,          true};
        }
        ::HidD_FreePreparsedData(preparsed);
    }
    ::CloseHandle(device);
    return info;
}

// An entry that never matches: an interface that could not be enumerated or read.
HidInterfaceInfo Unreadable() {
    HidInterfaceInfo info;
    info.readable = false;
    return info;
}

} // namespace

std::optional<std::vector<HidInterfaceInfo>> SetupApiHidSystem::enumerate() {
    GUID hidClass;
    ::HidD_GetHidGuid(&hidClass);
    HDEVINFO set =
        ::SetupDiGetClassDevsA(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<HidInterfaceInfo> interfaces;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interface {};
        interface.cbSize = sizeof interface;
        if (!::SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &interface)) {
            if (::GetLastError() == ERROR_NO_MORE_ITEMS)
                break;
            interfaces.push_back(Unreadable());
            continue;
        }
        // The size first, then the path.
        DWORD size = 0;
        ::SetupDiGetDeviceInterfaceDetailA(set, &interface, nullptr, 0, &size, nullptr);
        std::vector<std::uint8_t> detailBuffer(size, 0);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBuffer.data());
        if (size < sizeof *detail) {
            interfaces.clear();
            break;
        }
        detail->cbSize = sizeof *detail;
        if (!::SetupDiGetDeviceInterfaceDetailA(set, &interface, detail, size, nullptr, nullptr)) {
            interfaces.clear();
            break;
        }
        interfaces.push_back(Describe(detail->DevicePath));
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return interfaces;
}

HidOpenResult SetupApiHidSystem::open(const std::string& path, HidAccess access) {
    if (path.empty())
        return {nullptr, ENOENT};
    const bool readable = access == HidAccess::ReadWrite;
    HANDLE device = readable ? ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr)
                             : OpenForQuery(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (device == INVALID_HANDLE_VALUE)
        return {nullptr, LastErrno()};
    HANDLE openEvent = ::CreateEventA(nullptr, TRUE, TRUE, OpenEventName);
    return {std::make_unique<Win32HidHandle>(device, openEvent, readable), 0};
}

} // namespace pad
