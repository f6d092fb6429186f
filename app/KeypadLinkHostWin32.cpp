#include "app/KeypadLinkHost.h"

#include "keypad/KeypadSession.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>

#include <windows.h>

namespace pad {
namespace {

// Hands the messages PadLink posts to the main window to its keypad session.
class WindowMessageFilter : public KeypadLinkHost, public QAbstractNativeEventFilter {
  public:
    WindowMessageFilter(KeypadSession& session, QWidget& window)
        : session_(session), window_(window) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowMessageFilter() override {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "windows_generic_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        return msg->hwnd == reinterpret_cast<HWND>(window_.winId()) &&
               session_.TakeHostMessage(msg->message, msg->lParam);
    }

  private:
    KeypadSession& session_;
    QWidget& window_;
};

} // namespace

std::unique_ptr<KeypadLinkHost> StartKeypadLink(KeypadSession& session, QWidget& window) {
    auto host = std::make_unique<WindowMessageFilter>(session, window);
    session.StartOn(reinterpret_cast<HWND>(window.winId()));
    return host;
}

} // namespace pad
