// The loader's inbox on Windows: a hidden top-level window of class "TQd6LdrSDlg",
// titled "Qd6 Loader Show Status Only", which PadConfig finds with FindWindowA and to
// which it posts MSG_LOADER_STATUS; Qt's event loop delivers those to the window's
// procedure, which hands them on as records. The quit message (WM_QUIT) posted to it
// ends Qt's event loop by itself. A named mutex keeps to one loader per session.

#include "loader/LoaderInbox.h"

#include <QCoreApplication>

#include <windows.h>

namespace pad {
namespace {

constexpr char WindowClass[] = "TQd6LdrSDlg";
constexpr char WindowTitle[] = "Qd6 Loader Show Status Only";

class WindowInbox : public LoaderInbox {
  public:
    WindowInbox() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = WindowClass;
        ::RegisterClassA(&windowClass);
        window_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, WindowClass, WindowTitle, WS_POPUP, 0, 0, 0,
                                    0, nullptr, nullptr, windowClass.hInstance, this);
        // The first ShowWindow of a process takes the show state its starter asked for
        // (PadConfig asks for hidden): this hidden window takes it, not the status window.
        if (window_)
            ::ShowWindow(window_, SW_HIDE);
    }
    ~WindowInbox() override {
        if (window_) {
            ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
            ::DestroyWindow(window_);
        }
    }
    bool open() const { return window_ != nullptr; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        }
        auto* inbox = reinterpret_cast<WindowInbox*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (inbox && message >= WM_USER) {
            emit inbox->recordReceived(
                {message, std::uint32_t(wParam), std::int32_t(std::intptr_t(lParam))});
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

} // namespace

std::variant<std::unique_ptr<LoaderInbox>, int> OpenLoaderInbox(const LoaderInbox::Trace& trace) {
    // Held until the process ends; a second loader of the session finds it taken.
    ::CreateMutexW(nullptr, FALSE, L"Local\\PadConfig-Qd6LoaderS");
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        trace("already running");
        return 0;
    }
    auto inbox = std::make_unique<WindowInbox>();
    if (!inbox->open()) {
        std::fprintf(stderr, "Qd6LoaderS: cannot make its window (error %lu)\n", ::GetLastError());
        return 1;
    }
    // The loop's end by the quit message is the only one the window sees of it.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [trace] { trace("quit"); });
    trace(QString("window %1 \"%2\"").arg(WindowClass, WindowTitle));
    return std::unique_ptr<LoaderInbox>(std::move(inbox));
}

} // namespace pad
