// The mode service as PadConfig sees it on Windows. Whether it runs is whether its
// window exists; Windows tells no one when another program makes a window, so a timer
// looks every second (a lookup that sends no message and waits for nobody). The open
// windows and the status come from `padconfig-modes.exe --list-windows`, run once per
// request as a child process, whether the service runs or not: every program of the
// session sees the same top-level windows and the same foreground events, so the
// running service would tell nothing else.

#include "modes/control/ServiceLink.h"

#include "modes/control/Autostart.h"
#include "modes/control/ChildProcess.h"
#include "modes/rules/ModeRules.h"

#include <QTimer>

namespace pad {
namespace {

constexpr int RunningPollMs = 1000;

class Win32ServiceLink : public ModeServiceLink {
  public:
    explicit Win32ServiceLink(QString serviceProgram)
        : serviceProgram_(std::move(serviceProgram)), runs_(ServiceRunning()) {
        connect(&poll_, &QTimer::timeout, this, [this] {
            if (ServiceRunning() == runs_)
                return;
            runs_ = !runs_;
            emit serviceRunsChanged();
        });
        poll_.start(RunningPollMs);
    }

    bool serviceRuns() const override { return ServiceRunning(); }

    void requestOpenWindows(std::function<void(const OpenWindows&)> done) override {
        ListWindows(this, serviceProgram_, [done](const WindowList& list) {
            OpenWindows open{list.windows, list.failure};
            std::erase_if(open.windows, IsOwnWindow);
            done(open);
        });
    }

    void requestStatus(std::function<void(const FocusStatus&)> done) override {
        ListWindows(this, serviceProgram_, [done](const WindowList& list) { done(list.status); });
    }

  private:
    QString serviceProgram_;
    QTimer poll_;
    bool runs_;
};

} // namespace

std::unique_ptr<ModeServiceLink> MakeServiceLink(QString serviceProgram) {
    return std::make_unique<Win32ServiceLink>(std::move(serviceProgram));
}

} // namespace pad
