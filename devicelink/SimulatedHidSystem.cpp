#include "devicelink/SimulatedHidSystem.h"

#include "common/LittleEndian.h"
#include "common/Utf16.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <map>

namespace pad {

namespace {
struct HandleState {
    std::string path;
    bool readable = false;
    bool woken = false;
    bool gone = false;
    bool blocked = false;
    std::deque<InputReport> queue;
};

struct PathRecord {
    std::vector<FeatureReport> received;
    int opens = 0;
    int stringRequests = 0;
};
} // namespace

struct SimulatedHidSystem::Core {
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::vector<SimulatedInterface> interfaces;
    bool enumerationFails = false;
    std::vector<std::shared_ptr<HandleState>> handles;
    std::map<std::string, PathRecord> records;

    std::function<void(const std::string&)> unplugListener;

    const SimulatedInterface* find(const std::string& path) const {
        auto it = std::find_if(interfaces.begin(), interfaces.end(),
                               [&](const auto& i) { return i.info.path == path; });
        return it == interfaces.end() ? nullptr : &*it;
    }

    // With the mutex held.
    void remove(const std::string& path) {
        std::erase_if(interfaces, [&](const auto& i) { return i.info.path == path; });
        for (auto& handle : handles) {
            if (handle->path == path)
                handle->gone = true;
        }
        changed.notify_all();
    }
};

namespace {
using Core = SimulatedHidSystem::Core;

class SimulatedHandle : public HidHandle {
  public:
    SimulatedHandle(std::shared_ptr<Core> core, std::shared_ptr<HandleState> state)
        : core_(std::move(core)), state_(std::move(state)) {}

    ~SimulatedHandle() override {
        std::lock_guard lock(core_->mutex);
        std::erase(core_->handles, state_);
        core_->changed.notify_all();
    }

    bool sendFeatureReport(const FeatureReport& report) override {
        std::function<void(const std::string&)> unplugged;
        {
            std::lock_guard lock(core_->mutex);
            const SimulatedInterface* interface = core_->find(state_->path);
            if (state_->gone || !interface || interface->rejectsFeatureReports)
                return false;
            auto& received = core_->records[state_->path].received;
            received.push_back(report);
            if (interface->keypad)
                interface->keypad->receive(report);
            if (interface->unplugAfterReports > 0 &&
                received.size() >= interface->unplugAfterReports) {
                core_->remove(state_->path);
                unplugged = core_->unplugListener;
            }
        }
        // Outside the lock: the listener may look at the system again.
        if (unplugged)
            unplugged(state_->path);
        return true;
    }

    bool read(InputReport& report) override {
        std::unique_lock lock(core_->mutex);
        if (!state_->readable)
            return false;
        state_->blocked = true;
        core_->changed.notify_all();
        core_->changed.wait(
            lock, [&] { return state_->woken || state_->gone || !state_->queue.empty(); });
        state_->blocked = false;
        core_->changed.notify_all();
        if (state_->woken || state_->gone)
            return false;
        report = state_->queue.front();
        state_->queue.pop_front();
        return true;
    }

    void wake() override {
        std::lock_guard lock(core_->mutex);
        state_->woken = true;
        core_->changed.notify_all();
    }

    bool getIndexedString(int, std::uint8_t* buffer, std::size_t bufferBytes) override {
        std::lock_guard lock(core_->mutex);
        core_->records[state_->path].stringRequests++;
        const SimulatedInterface* interface = core_->find(state_->path);
        if (state_->gone || !interface || !interface->answersStrings || bufferBytes < 2)
            return false;
        const std::u16string_view fitting =
            ClampUtf16(interface->indexedString, bufferBytes / 2 - 1);
        for (std::size_t i = 0; i < fitting.size(); ++i)
            EncodeFixed16(buffer + 2 * i, fitting[i]);
        EncodeFixed16(buffer + 2 * fitting.size(), 0);
        return true;
    }

  private:
    std::shared_ptr<Core> core_;
    std::shared_ptr<HandleState> state_;
};
} // namespace

SimulatedHidSystem::SimulatedHidSystem() : core_(std::make_shared<Core>()) {}
SimulatedHidSystem::~SimulatedHidSystem() = default;

std::optional<std::vector<HidInterfaceInfo>> SimulatedHidSystem::enumerate() {
    std::lock_guard lock(core_->mutex);
    if (core_->enumerationFails)
        return std::nullopt;
    std::vector<HidInterfaceInfo> list;
    for (const auto& interface : core_->interfaces)
        list.push_back(interface.info);
    return list;
}

HidOpenResult SimulatedHidSystem::open(const std::string& path, HidAccess access) {
    std::lock_guard lock(core_->mutex);
    const SimulatedInterface* interface = core_->find(path);
    if (path.empty() || !interface)
        return {nullptr, ENOENT};
    if (interface->openError != 0)
        return {nullptr, interface->openError};
    if (access == HidAccess::ReadWrite && interface->readWriteOpenError != 0)
        return {nullptr, interface->readWriteOpenError};
    auto state = std::make_shared<HandleState>();
    state->path = path;
    state->readable = access == HidAccess::ReadWrite;
    core_->handles.push_back(state);
    core_->records[path].opens++;
    return {std::make_unique<SimulatedHandle>(core_, state), 0};
}

void SimulatedHidSystem::addInterface(SimulatedInterface interface) {
    std::lock_guard lock(core_->mutex);
    core_->interfaces.push_back(std::move(interface));
}

void SimulatedHidSystem::removeInterface(const std::string& path) {
    std::lock_guard lock(core_->mutex);
    core_->remove(path);
}

void SimulatedHidSystem::setUnplugListener(std::function<void(const std::string&)> listener) {
    std::lock_guard lock(core_->mutex);
    core_->unplugListener = std::move(listener);
}

void SimulatedHidSystem::setEnumerationFails(bool fails) {
    std::lock_guard lock(core_->mutex);
    core_->enumerationFails = fails;
}

int SimulatedHidSystem::pushInputReport(const std::string& path, const InputReport& report) {
    std::lock_guard lock(core_->mutex);
    int reached = 0;
    for (auto& handle : core_->handles) {
        if (handle->path == path && handle->readable && !handle->gone) {
            handle->queue.push_back(report);
            ++reached;
        }
    }
    core_->changed.notify_all();
    return reached;
}

std::vector<FeatureReport> SimulatedHidSystem::reportsReceived(const std::string& path) const {
    std::lock_guard lock(core_->mutex);
    auto it = core_->records.find(path);
    return it == core_->records.end() ? std::vector<FeatureReport>{} : it->second.received;
}

int SimulatedHidSystem::openCount(const std::string& path) const {
    std::lock_guard lock(core_->mutex);
    auto it = core_->records.find(path);
    return it == core_->records.end() ? 0 : it->second.opens;
}

int SimulatedHidSystem::openHandleCount(const std::string& path) const {
    std::lock_guard lock(core_->mutex);
    return int(std::count_if(core_->handles.begin(), core_->handles.end(),
                             [&](const auto& h) { return h->path == path; }));
}

int SimulatedHidSystem::stringRequestCount(const std::string& path) const {
    std::lock_guard lock(core_->mutex);
    auto it = core_->records.find(path);
    return it == core_->records.end() ? 0 : it->second.stringRequests;
}

int SimulatedHidSystem::blockedReaderCount(const std::string& path) const {
    std::lock_guard lock(core_->mutex);
    return int(std::count_if(core_->handles.begin(), core_->handles.end(),
                             [&](const auto& h) { return h->path == path && h->blocked; }));
}

bool SimulatedHidSystem::waitForBlockedReaders(const std::string& path, int count,
                                               std::chrono::milliseconds timeout) const {
    std::unique_lock lock(core_->mutex);
    return core_->changed.wait_for(lock, timeout, [&] {
        return std::count_if(core_->handles.begin(), core_->handles.end(),
                             [&](const auto& h) { return h->path == path && h->blocked; }) == count;
    });
}

} // namespace pad
