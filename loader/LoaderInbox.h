#pragma once
// Where the loader's messages from PadConfig arrive, one inbox per platform: on Linux
// its local socket (LoaderInboxSocket.cpp, see LoaderProtocol.h), on Windows its window
// of class "TQd6LdrSDlg", titled "Qd6 Loader Show Status Only", to which PadConfig posts
// window messages (LoaderInboxWin32.cpp). Either way one loader runs per user.

#include "loader/LoaderProtocol.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <variant>

namespace pad {

class LoaderInbox : public QObject {
    Q_OBJECT
  public:
    using Trace = std::function<void(const QString&)>;

  signals:
    void recordReceived(const pad::LoaderRecord& record);
    // A record cut short: the bytes that came of it (the socket only).
    void shortRecordDropped(int bytes);
    // The inbox can never be reached again (its socket was removed): the loader ends.
    void gone();
};

// The opened inbox, or the exit status of a loader that cannot or need not run (0 when
// another loader of the user runs already; 1, said on standard error, when it fails).
std::variant<std::unique_ptr<LoaderInbox>, int> OpenLoaderInbox(const LoaderInbox::Trace& trace);

} // namespace pad
