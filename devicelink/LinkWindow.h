#pragma once
// The hidden window of a device link: device notifications and the reader threads'
// messages reach the link through it, on the thread that made it (the host's, which
// runs the message loop), and through it the link reaches its host. One
// implementation per platform: QtLinkWindow.cpp (a QObject on Linux, with the host a
// QObject) and Win32LinkWindow.cpp (a hidden top-level window of its own class on
// Windows, with the host a window handle).

#include "devicelink/DeviceNotifier.h"
#include "devicelink/HidSystem.h"
#include "devicelink/HostWindow.h"
#include "devicelink/ReaderMailbox.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace pad {

class LinkWindow {
  public:
    // What the window hands on to its link, on the window's thread.
    class Receiver {
      public:
        // A reader's message (MSG_READER_REPORT, MSG_READER_HEAD).
        virtual void onReaderMessage(std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
        // A device notification the platform delivered to the window itself.
        virtual void onDeviceEvent(const DeviceEvent& event) = 0;

      protected:
        ~Receiver() = default;
    };

    // A window of class className titled title on the calling thread. Where the
    // platform refuses the window, the object still reaches the host, but receives
    // nothing: no notifications, no readers (mailbox() is null).
    static std::unique_ptr<LinkWindow> create(const char* className, const char* title,
                                              Receiver& receiver);
    // Keeps what the library's exports hold until the end of the program run: on Linux
    // end runs before the Qt application object goes; on Windows the library stays
    // loaded until the process ends, when the system takes everything back.
    static void keepUntilProgramEnd(void (*end)());

    virtual ~LinkWindow() = default;

    // The window that receives the link's messages; null: none.
    virtual void setHost(HostWindow host) = 0;
    // Queues a message for the host; false when there is no host or it is gone.
    virtual bool postToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // Has the host handle a message and returns once it has; false as postToHost.
    virtual bool sendToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    // From any thread: runs work later on the window's thread, from its message loop;
    // dropped when the window is gone by then.
    virtual void queue(std::function<void()> work) = 0;
    // Calls changed on the window's thread whenever the folder that holds file changes.
    virtual void followFile(const std::filesystem::path& file, std::function<void()> changed) = 0;
    // Registers the window for the platform's notifications about an open interface
    // (query-remove); the registration ends with the returned token. Null where the
    // platform has none.
    virtual std::shared_ptr<void> watchRemoval(const HidHandle& handle) = 0;
    // The platform's own handle of the window, for its notifications.
    virtual void* nativeHandle() const = 0;

    // Through it the readers reach the window; null when the window cannot be woken.
    std::shared_ptr<ReaderMailbox> mailbox() const { return mailbox_; }

  protected:
    std::shared_ptr<ReaderMailbox> mailbox_;
};

} // namespace pad
