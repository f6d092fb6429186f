// The mode service's keypad: a keypad session over PadLink. It follows permission
// changes too, so that a keypad the user is given access to counts as appearing.

#include "common/Utf16.h"
#include "keypad/KeypadSession.h"
#include "keypad/PadLinkPort.h"
#include "modes/KeypadPortFactory.h"
#include "texts/KeypadAccessAdvice.h"

#include <cstring>

namespace pad {
namespace {

class SessionKeypadPort : public KeypadModePort {
  public:
    SessionKeypadPort(QObject* owner, KeypadPortEvents events) : session_(PadLinkPort()) {
        QObject::connect(&session_, &KeypadSession::keypadReady, owner,
                         [appeared = events.appeared] { appeared(); });
        QObject::connect(
            &session_, &KeypadSession::presenceChanged, owner,
            [this, gone = events.gone, noAccess = events.noAccess](std::uint32_t message) {
                if (message == MSG_KEYPAD_ABSENT)
                    gone();
                else if (message == MSG_KEYPAD_NO_ACCESS)
                    noAccess("the keypad is connected but cannot be opened for "
                             "writing (" +
                             std::string(std::strerror(session_.AccessError())) + ").\n" +
                             ToUtf8(NoAccessAdvice(KeypadVendorId())));
            });
        QObject::connect(&session_, &KeypadSession::lockFreed, owner,
                         [ended = events.downloadEnded] { ended(); });
        session_.FollowAccessChanges();
        session_.Start();
    }

    bool keypadPresent() const override { return session_.Writable(); }
    bool keypadUnwritable() const override {
        return session_.PresenceMessage() == MSG_KEYPAD_NO_ACCESS;
    }
    std::optional<KeypadMode> lastSetMode() const override { return session_.LastSelectedMode(); }
    Send sendMode(KeypadMode mode) override {
        switch (session_.TrySelectMode(mode)) {
        case KeypadSession::SelectResult::Sent:
            return Send::Sent;
        case KeypadSession::SelectResult::Busy:
            return Send::Busy;
        case KeypadSession::SelectResult::NotTaken:
            break;
        }
        return Send::Failed;
    }

  private:
    // The session reads the keypad lock's record, which a const port may ask for.
    mutable KeypadSession session_;
};

} // namespace

std::unique_ptr<KeypadModePort> makeKeypadModePort(QObject* owner, KeypadPortEvents events) {
    return std::make_unique<SessionKeypadPort>(owner, std::move(events));
}

} // namespace pad
