// The mode service driven through a fake desktop and a fake keypad: what reaches the
// keypad as the focus, the rules file, a download and the keypad change.

#include "modes/ModeService.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <fstream>

namespace pad {
namespace {

using enum KeypadMode;
using Send = KeypadModePort::Send;

struct FakeSource : FocusSource {
    std::optional<WindowInfo> focused;
    std::string description() const override { return "a fake desktop"; }
    std::optional<WindowInfo> focusedWindow() const override { return focused; }
    std::vector<WindowInfo> openWindows() override { return {}; }
};

struct FakePort : KeypadModePort {
    bool present = true;
    Send answer = Send::Sent;
    std::optional<KeypadMode> last;
    std::vector<KeypadMode> sent; // every mode the service tried to send

    bool keypadPresent() const override { return present; }
    std::optional<KeypadMode> lastSetMode() const override { return last; }
    Send sendMode(KeypadMode mode) override {
        sent.push_back(mode);
        if (answer == Send::Sent)
            last = mode;
        return answer;
    }
};

WindowInfo App(const std::string& id) {
    return {id, {}, id + " window"};
}

// A service on a rules file of its own, following the fake desktop, which has the
// focus on `focused` at the start, and writing to the fake keypad.
class ServiceRig {
  public:
    ServiceRig(const std::string& rules, std::optional<WindowInfo> focused) {
        writeRules(rules);
        ServiceParts parts;
        parts.connectFocus = [this, focused](const FocusSource::Events& events,
                                             const CompositorRoute&) {
            events_ = events;
            auto source = std::make_unique<FakeSource>();
            source->focused = focused;
            return FocusConnection{std::move(source), {}};
        };
        parts.makePort = [this](QObject*, KeypadPortEvents events) {
            keypad = std::move(events);
            auto port = std::make_unique<FakePort>();
            this->port = port.get();
            return port;
        };
        service_ = std::make_unique<ModeService>(
            ServiceOptions{false, dir_ / "modes.conf", std::nullopt, false}, std::move(parts));
        EXPECT_TRUE(service_->start());
    }

    void focus(const WindowInfo& window) { events_.focusChanged(window); }
    void writeRules(const std::string& text) {
        std::ofstream(dir_ / "modes.conf", std::ios::trunc) << text;
    }
    // Runs the event loop until the keypad was sent count modes, or 5 s have passed.
    void waitForSends(std::size_t count) {
        QElapsedTimer clock;
        clock.start();
        while (port->sent.size() < count && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }

    FakePort* port = nullptr;
    KeypadPortEvents keypad;

  private:
    test::TempDir dir_;
    FocusSource::Events events_;
    std::unique_ptr<ModeService> service_;
};

class ModeServices : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "modes_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }
};

TEST_F(ModeServices, SendTheFocusedWindowsModeOnlyWhenItChanges) {
    ServiceRig rig("app:game b\ndefault a\n", App("game"));
    EXPECT_EQ(rig.port->sent, (std::vector{B}));
    rig.focus(App("editor"));
    rig.focus(App("browser")); // Mode A already
    rig.focus(App("game"));
    EXPECT_EQ(rig.port->sent, (std::vector{B, A, B}));
}

TEST_F(ModeServices, ApplyReloadedRulesToTheFocusedWindow) {
    ServiceRig rig("app:game b\n", App("game"));
    rig.writeRules("app:game c\n");
    rig.waitForSends(2);
    EXPECT_EQ(rig.port->sent, (std::vector{B, C}));
}

TEST_F(ModeServices, SendAModeThatADownloadHeldBackWhenItEnds) {
    ServiceRig rig("app:game b\n", App("editor"));
    rig.port->answer = Send::Busy;
    rig.focus(App("game"));
    rig.port->answer = Send::Sent;
    rig.keypad.downloadEnded();
    EXPECT_EQ(rig.port->sent, (std::vector{B, B}));
    EXPECT_EQ(rig.port->last, B);
}

TEST_F(ModeServices, SendTheModeToEveryKeypadThatAppears) {
    ServiceRig rig("app:game b\n", std::nullopt);
    rig.port->present = false;
    rig.focus(App("game"));
    EXPECT_TRUE(rig.port->sent.empty());
    rig.port->present = true;
    rig.keypad.appeared();
    rig.keypad.gone();
    rig.keypad.appeared(); // a new keypad, whatever the last one was set to
    EXPECT_EQ(rig.port->sent, (std::vector{B, B}));
}

} // namespace
} // namespace pad
