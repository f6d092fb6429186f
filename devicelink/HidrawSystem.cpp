#include "devicelink/HidrawSystem.h"

#include "common/LittleEndian.h"
#include "common/Utf16.h"

#include <hidapi.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace pad {
namespace {

// Feature reports and strings go through hidapi. Input reports are read from a
// descriptor of our own, polled together with an eventfd so that wake() can end a
// blocked read without a time-out loop.
class HidrawHandle : public HidHandle {
  public:
    HidrawHandle(hid_device* device, int readFd, int wakeFd)
        : device_(device), readFd_(readFd), wakeFd_(wakeFd) {}

    ~HidrawHandle() override {
        if (readFd_ >= 0)
            ::close(readFd_);
        if (wakeFd_ >= 0)
            ::close(wakeFd_);
        hid_close(device_);
    }

    bool sendFeatureReport(const FeatureReport& report) override {
        return hid_send_feature_report(device_, report.data(), report.size()) >= 0;
    }

    bool read(InputReport& report) override {
        if (readFd_ < 0 || wakeFd_ < 0)
            return false;
        pollfd fds[2] = {{readFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        for (;;) {
            int ready = ::poll(fds, 2, -1);
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready < 0 || fds[1].revents != 0)
                return false;
            if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
                return false;
            report.fill(0);
            ssize_t got = ::read(readFd_, report.data(), report.size());
            if (got < 0 && errno == EINTR)
                continue;
            return got > 0;
        }
    }

    void wake() override {
        if (wakeFd_ < 0)
            return;
        std::uint64_t one = 1;
        // The counter only needs to become non-zero; a full counter is just as good.
        [[maybe_unused]] ssize_t written = ::write(wakeFd_, &one, sizeof one);
    }

    bool getIndexedString(int index, std::uint8_t* buffer, std::size_t bufferBytes) override {
        if (bufferBytes < 2)
            return false;
        const std::size_t units = bufferBytes / 2;
        std::vector<wchar_t> wide(units, L'\0');
        if (hid_get_indexed_string(device_, index, wide.data(), units) < 0)
            return false;
        // hidapi gives code points; the caller gets UTF-16LE and its terminator.
        std::u16string text;
        for (wchar_t c : wide) {
            if (c == L'\0')
                break;
            AppendUtf16(text, char32_t(c));
        }
        const std::u16string_view fitting = ClampUtf16(text, units - 1);
        for (std::size_t i = 0; i < fitting.size(); ++i)
            EncodeFixed16(buffer + 2 * i, fitting[i]);
        EncodeFixed16(buffer + 2 * fitting.size(), 0);
        return true;
    }

  private:
    hid_device* device_;
    int readFd_;
    int wakeFd_;
};

} // namespace

HidrawSystem::HidrawSystem() {
    hid_init();
}

std::optional<std::vector<HidInterfaceInfo>> HidrawSystem::enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* info = list; info; info = info->next) {
        HidInterfaceInfo entry;
        entry.path = info->path ? info->path : "";
        entry.vendorId = info->vendor_id;
        entry.productId = info->product_id;
        entry.usagePage = info->usage_page;
        entry.usage = info->usage;
        entry.readable = !entry.path.empty();
        interfaces.push_back(std::move(entry));
    }
    hid_free_enumeration(list);
    return interfaces;
}

HidOpenResult HidrawSystem::open(const std::string& path, HidAccess access) {
    if (path.empty())
        return {nullptr, ENOENT};
    errno = 0;
    hid_device* device = hid_open_path(path.c_str());
    if (!device)
        return {nullptr, errno != 0 ? errno : EIO};
    int readFd = -1;
    int wakeFd = -1;
    if (access == HidAccess::ReadWrite) {
        readFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        int openError = errno;
        wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (readFd < 0 || wakeFd < 0) {
            int error = readFd < 0 ? openError : errno;
            if (readFd >= 0)
                ::close(readFd);
            if (wakeFd >= 0)
                ::close(wakeFd);
            hid_close(device);
            return {nullptr, error != 0 ? error : EIO};
        }
    }
    return {std::make_unique<HidrawHandle>(device, readFd, wakeFd), 0};
}

} // namespace pad
