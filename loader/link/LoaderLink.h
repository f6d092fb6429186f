#pragma once
// PadConfig's link to the companion loader Qd6LoaderS. On Windows the loader is
// its window, found with FindWindowA (class "TQd6LdrSDlg", title "Qd6 Loader Show
// Status Only"), and a message is posted to it with PostMessageA (LoaderLinkWin32.cpp).
// On Linux the loader counts as found while its socket takes connections; a message is posted by
// connecting, writing one 12-byte record and closing. Nothing here ever waits for the loader: a
// loader that is stopped or hung, whose queue of connections is full, loses the message instead of
// holding up PadConfig (a download's pace must not suffer).

#include "loader/LoaderProtocol.h"
#include "loader/LoaderSocketPlace.h"

#include <cstdint>

namespace pad {

class LoaderLink {
  public:
    // The loader's socket for this user (see LoaderSocketPlace.h); on Windows the place
    // names only the users file's folder.
    LoaderLink();
    explicit LoaderLink(LoaderSocketPlace place);

    const LoaderSocketPlace& place() const { return place_; }

    // True when the loader is running: it accepts connections or has a queue of
    // them waiting.
    bool find() const;
    // Sends one record; false when the loader did not take it at once.
    bool post(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) const;
    // Makes the socket's folder where it is missing and checks the place; false when
    // it may not be used, which standard error hears of the first time.
    bool placeUsable() const;
    // The file of the windows that use the loader (LoaderUsers.h), beside the socket.
    std::string usersFile() const { return place_.socket + ".users"; }

  private:
    LoaderSocketPlace place_;
    mutable bool warned_ = false;
};

} // namespace pad
