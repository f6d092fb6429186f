// The device-link tests' host on Linux: a QObject that takes the links' WindowMessage
// events, and Qt's event loop.

#include "devicelink/WindowMessage.h"
#include "tests/support/LinkTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>

#include <cstdlib>

namespace pad::test {

struct RecordingHost::Window : QObject {
    explicit Window(RecordingHost& host) : host(host) {}
    bool event(QEvent* event) override {
        const WindowMessage* m = WindowMessage::from(event);
        if (!m)
            return QObject::event(event);
        host.record(m->message(), m->wParam(), m->lParam());
        return true;
    }
    RecordingHost& host;
};

RecordingHost::RecordingHost() : window_(std::make_unique<Window>(*this)) {}
RecordingHost::~RecordingHost() = default;

HostWindow RecordingHost::window() const {
    return window_.get();
}

void drainEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

bool runUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    return done();
}

void setEnvironment(const char* name, const char* value) {
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

} // namespace pad::test
