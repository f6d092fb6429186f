#include "devicelink/LinkCore.h"

#include "common/LittleEndian.h"

#include <cerrno>
#include <chrono>

namespace pad {

namespace {

// One reader thread: blocking 32-byte reads on its own handle. Each report is sent to
// the link window (the thread waits until it was handled, so the buffer stays as it
// is meanwhile), then its first 4 bytes are posted. Ends when a read fails or was
// woken, or when the channel was abandoned (the reader is being stopped).
void runReader(std::size_t index, HidHandle* handle, std::shared_ptr<SendChannel> channel,
               std::shared_ptr<ReaderMailbox> linkWindow) {
    auto buffer = std::make_shared<InputReport>();
    while (!channel->abandoned()) {
        buffer->fill(0);
        if (!handle->read(*buffer) || channel->abandoned())
            return;
        if (!linkWindow->send(MSG_READER_REPORT, index,
                              reinterpret_cast<std::intptr_t>(buffer->data()), channel, buffer))
            return;
        const std::uint32_t head = DecodeFixed32(buffer->data());
        linkWindow->post(MSG_READER_HEAD, index, std::intptr_t(head));
    }
}

} // namespace

LinkCore::LinkCore(std::shared_ptr<HidSystem> hid, std::unique_ptr<DeviceNotifier> notifier)
    : hid_(std::move(hid)), notifier_(std::move(notifier)) {}

LinkCore::~LinkCore() {
    stopAllReaders();
    entries_.clear();
    // The notifier goes before the window it delivers through.
    notifier_.reset();
    window_.reset();
}

void LinkCore::attach(HostWindow host, std::uint32_t hostMessage, std::uint32_t usagePage,
                      const char* windowClass, const char* windowTitle) {
    hostMessage_ = hostMessage;
    usagePage_ = usagePage;
    if (!window_) {
        window_ = LinkWindow::create(windowClass, windowTitle, *this);
        if (notifier_)
            notifier_->start(*window_, [this](const DeviceEvent& e) { onDeviceEvent(e); });
    }
    window_->setHost(host);
}

void LinkCore::onReaderMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == MSG_READER_REPORT)
        onReaderReport(wParam, reinterpret_cast<const std::uint8_t*>(lParam));
    else if (message == MSG_READER_HEAD)
        onReaderHead(wParam, std::uint32_t(lParam));
}

void LinkCore::scan() {
    entries_.clear();
    matched_.clear();
    auto interfaces = hid_->enumerate();
    if (!interfaces)
        return;
    entries_.reserve(interfaces->size());
    for (const auto& info : *interfaces) {
        HidDeviceEntry entry;
        if (info.readable && !info.path.empty()) {
            entry.path = info.path;
            entry.usagePage = info.usagePage;
            entry.usage = info.usage;
            entry.vendorId = info.vendorId;
            entry.productId = info.productId;
        }
        entries_.push_back(std::move(entry));
    }
}

HidOpenResult LinkCore::openEntry(std::size_t index, HidAccess access) {
    if (index >= entries_.size() || entries_[index].path.empty())
        return {nullptr, ENOENT};
    return hid_->open(entries_[index].path, access);
}

void LinkCore::startReader(std::size_t index) {
    const std::shared_ptr<ReaderMailbox> mailbox = window_ ? window_->mailbox() : nullptr;
    if (index >= entries_.size() || index >= ReaderSlots || entries_[index].isOpen() || !mailbox)
        return;
    HidOpenResult opened = openEntry(index, HidAccess::ReadWrite);
    if (!opened.handle)
        return;
    HidDeviceEntry& entry = entries_[index];
    entry.handle = std::move(opened.handle);
    entry.removalWatch = window_->watchRemoval(*entry.handle);
    ReaderSlot& slot = readers_[index];
    slot.channel = std::make_shared<SendChannel>();
    slot.thread = std::thread(runReader, index, entry.handle.get(), slot.channel, mailbox);
}

void LinkCore::closeEntry(std::size_t index) {
    entries_[index].removalWatch.reset();
    entries_[index].handle.reset();
}

void LinkCore::stopReader(std::size_t index) {
    if (index >= entries_.size() || !entries_[index].isOpen())
        return;
    if (index < ReaderSlots && readers_[index].thread.joinable()) {
        // Release the reader from a pending send, wake its read, let it end.
        readers_[index].channel->abandon();
        entries_[index].handle->wake();
        readers_[index].thread.join();
        readers_[index].channel.reset();
    }
    closeEntry(index);
}

void LinkCore::stopAllReaders() {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        stopReader(i);
}

bool LinkCore::readerRunning(std::size_t index) const {
    return index < ReaderSlots && readers_[index].thread.joinable();
}

std::size_t LinkCore::runningReaderCount() const {
    std::size_t running = 0;
    for (const auto& slot : readers_)
        running += slot.thread.joinable() ? 1 : 0;
    return running;
}

std::size_t LinkCore::writeFeature(const std::function<bool(const HidDeviceEntry&)>& qualifies,
                                   const FeatureReport& report) {
    std::size_t taken = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        HidDeviceEntry& entry = entries_[i];
        if (entry.path.empty() || !qualifies(entry))
            continue;
        if (entry.isOpen()) {
            taken += entry.handle->sendFeatureReport(report) ? 1 : 0;
        } else {
            HidOpenResult opened = openEntry(i, HidAccess::Query);
            if (!opened.handle)
                continue;
            taken += opened.handle->sendFeatureReport(report) ? 1 : 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return taken;
}

bool LinkCore::postToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return window_ && window_->postToHost(message, wParam, lParam);
}

bool LinkCore::sendToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return window_ && window_->sendToHost(message, wParam, lParam);
}

bool samePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace pad
