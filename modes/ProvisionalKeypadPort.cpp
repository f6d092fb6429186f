// Provisional: a keypad port that reaches no keypad. The service decides and prints
// its decisions, and sends nothing, until the keypad session takes this file's place.

#include "modes/KeypadPortFactory.h"

#include <cstdio>

namespace pad {
namespace {

class NoKeypadPort : public KeypadModePort {
  public:
    bool keypadPresent() const override { return false; }
    std::optional<KeypadMode> lastSetMode() const override { return std::nullopt; }
    Send sendMode(KeypadMode) override { return Send::Failed; }
};

} // namespace

std::unique_ptr<KeypadModePort> makeKeypadModePort(QObject*, KeypadPortEvents) {
    std::fputs("padconfig-modes: this build does not reach the keypad yet: modes are decided, "
               "not sent\n",
               stderr);
    return std::make_unique<NoKeypadPort>();
}

} // namespace pad
