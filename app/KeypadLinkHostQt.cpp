#include "app/KeypadLinkHost.h"

#include "keypad/KeypadSession.h"

namespace pad {

std::unique_ptr<KeypadLinkHost> StartKeypadLink(KeypadSession& session, QWidget&) {
    session.Start();
    return std::make_unique<KeypadLinkHost>();
}

} // namespace pad
