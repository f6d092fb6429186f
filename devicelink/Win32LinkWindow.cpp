// The link window on Windows (devicelink/LinkWindow.h): a hidden top-level window of
// zero size and of the link's own class ("PADLKClass", "USBHIDClass"; arrow cursor,
// white background, no menu), made on the thread that called InitDriver, whose message
// loop runs it. The host is a window handle: presence messages are posted to it with
// PostMessageA and input reports sent with SendMessageA.
//
// The window procedure hands on:
//   WM_DEVICECHANGE               the notification, decoded (DBT_DEVICEARRIVAL,
//                                 DBT_DEVICEQUERYREMOVE, DBT_DEVICEREMOVECOMPLETE with
//                                 the interface's name); returns 0
//   MSG_READER_REPORT/HEAD        to the link; the readers' letters arrive through the
//                                 mailbox and are sent to the window on its own thread
//   WM_DESTROY                    PostQuitMessage(0), unless the link itself closes it
// and gives everything else the default window procedure.

#include "devicelink/LinkWindow.h"

#include "common/KeypadProtocol.h"

#include <atomic>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include <windows.h>

#include <dbt.h>

namespace pad {
namespace {

// The window's own messages: letters of the readers are waiting; lParam is a
// std::function<void()>* to run and delete.
constexpr UINT MsgMailbox = WM_APP + 0x100;
constexpr UINT MsgQueued = WM_APP + 0x101;

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// Device notifications are registered only on the NT family (the high bit of
// GetVersion's result clear), as on every Windows of today.
bool IsNtFamily() {
    return (::GetVersion() & 0x80000000u) == 0;
}

DeviceEvent DecodeDeviceChange(WPARAM event, LPARAM data) {
    DeviceEvent decoded;
    switch (event) {
    case DBT_DEVICEARRIVAL:
        decoded.kind = DeviceEvent::Kind::Arrival;
        break;
    case DBT_DEVICEQUERYREMOVE:
        decoded.kind = DeviceEvent::Kind::QueryRemove;
        break;
    case DBT_DEVICEREMOVECOMPLETE:
        decoded.kind = DeviceEvent::Kind::RemoveComplete;
        break;
    default:
        decoded.kind = DeviceEvent::Kind::Other;
        break;
    }
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    decoded.interfaceEvent = header && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE;
    if (decoded.interfaceEvent) {
        // Registered with the ANSI function, the system names the interface in ANSI.
        const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(header);
        const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
        const std::size_t room =
            record->dbcc_size > nameOffset ? record->dbcc_size - nameOffset : 0;
        decoded.path.assign(record->dbcc_name, ::strnlen(record->dbcc_name, room));
    }
    return decoded;
}

class Win32LinkWindow : public LinkWindow {
  public:
    Win32LinkWindow(const char* className, const char* title, Receiver& receiver)
        : receiver_(receiver) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = ThisModule();
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = className;
        if (!::RegisterClassA(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return; // no window: the host is still reached, nothing else comes
        window_ = ::CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr,
                                    nullptr, windowClass.hInstance, this);
        if (!window_)
            return;
        // One wake-up for any number of letters: the flag is cleared before delivery.
        mailbox_ = std::make_shared<ReaderMailbox>([window = window_, pending = wakePending_] {
            if (!pending->exchange(true))
                ::PostMessageW(window, MsgMailbox, 0, 0);
        });
    }

    ~Win32LinkWindow() override {
        for (Follower& follower : followers_) {
            ::SetEvent(follower.stop);
            follower.thread.join();
            ::CloseHandle(follower.stop);
            ::FindCloseChangeNotification(follower.change);
        }
        if (!window_)
            return;
        // Closed by the link itself: not a reason to end the thread's message loop.
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        MSG queued;
        while (::PeekMessageW(&queued, window_, MsgQueued, MsgQueued, PM_REMOVE))
            delete reinterpret_cast<std::function<void()>*>(queued.lParam);
        ::DestroyWindow(window_);
    }

    void setHost(HostWindow host) override { host_ = host; }

    bool postToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        return host_ && ::PostMessageA(host_, message, wParam, lParam);
    }

    bool sendToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        if (!host_ || !::IsWindow(host_))
            return false;
        ::SendMessageA(host_, message, wParam, lParam);
        return true;
    }

    void queue(std::function<void()> work) override {
        if (!window_)
            return;
        auto* call = new std::function<void()>(std::move(work));
        if (!::PostMessageW(window_, MsgQueued, 0, reinterpret_cast<LPARAM>(call)))
            delete call;
    }

    // A thread waits for changes of the folder (FindFirstChangeNotificationW) and
    // queues changed for the window each time.
    void followFile(const std::filesystem::path& file, std::function<void()> changed) override {
        const std::filesystem::path folder =
            file.has_parent_path() ? file.parent_path() : std::filesystem::path(L".");
        HANDLE change = ::FindFirstChangeNotificationW(
            folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
        if (change == INVALID_HANDLE_VALUE)
            return;
        Follower& follower = followers_.emplace_back();
        follower.change = change;
        follower.stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        follower.thread = std::thread([this, change, stop = follower.stop, changed] {
            const HANDLE events[2] = {stop, change};
            // Watching again before the look: a change in between is not lost.
            while (::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
                const bool watching = ::FindNextChangeNotification(change);
                queue(changed);
                if (!watching)
                    return;
            }
        });
    }

    std::shared_ptr<void> watchRemoval(const HidHandle& handle) override {
        if (!window_ || !handle.systemHandle() || !IsNtFamily())
            return nullptr;
        DEV_BROADCAST_HANDLE filter{};
        filter.dbch_size = sizeof filter;
        filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
        filter.dbch_handle = static_cast<HANDLE>(handle.systemHandle());
        HDEVNOTIFY registration =
            ::RegisterDeviceNotificationA(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
        if (!registration)
            return nullptr;
        return std::shared_ptr<void>(registration, [](void* r) {
            ::UnregisterDeviceNotification(static_cast<HDEVNOTIFY>(r));
        });
    }

    void* nativeHandle() const override { return window_; }

  private:
    struct Follower {
        HANDLE change = INVALID_HANDLE_VALUE;
        HANDLE stop = nullptr;
        std::thread thread;
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32LinkWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self)
            return ::DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
        case WM_DEVICECHANGE:
            self->receiver_.onDeviceEvent(DecodeDeviceChange(wParam, lParam));
            return 0;
        case MSG_READER_REPORT:
        case MSG_READER_HEAD:
            self->receiver_.onReaderMessage(message, wParam, lParam);
            return 0;
        case MsgMailbox:
            self->wakePending_->store(false);
            self->mailbox_->deliver([window](const ReaderMailbox::Letter& letter) {
                ::SendMessageA(window, letter.message, letter.wParam, letter.lParam);
            });
            return 0;
        case MsgQueued: {
            auto* call = reinterpret_cast<std::function<void()>*>(lParam);
            (*call)();
            delete call;
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
        }
    }

    Receiver& receiver_;
    HWND window_ = nullptr;
    HWND host_ = nullptr;
    std::shared_ptr<std::atomic<bool>> wakePending_ = std::make_shared<std::atomic<bool>>(false);
    std::vector<Follower> followers_;
};

} // namespace

std::unique_ptr<LinkWindow> LinkWindow::create(const char* className, const char* title,
                                               Receiver& receiver) {
    return std::make_unique<Win32LinkWindow>(className, title, receiver);
}

void LinkWindow::keepUntilProgramEnd(void (*)()) {
    // The window procedure and the reader threads run code of this library: it stays
    // loaded, also over a FreeLibrary, until the process ends and the system takes
    // everything back. Nothing runs at the end: other threads are gone by then.
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
}

} // namespace pad
