#pragma once
// PadConfig's link to the companion loader Qd6LoaderS. The loader counts as
// found while a connection to its socket succeeds; a message is posted by
// connecting, writing one 12-byte record and closing, without waiting for any
// answer, so PadConfig never waits on the loader.

#include "loader/LoaderProtocol.h"

#include <QString>

#include <cstdint>

namespace pad {

class LoaderLink {
  public:
    // The loader's socket for this user (see loaderSocketPath).
    LoaderLink();
    explicit LoaderLink(QString socketPath);

    const QString& socketPath() const { return socketPath_; }

    // True when the loader is running and accepts connections.
    bool find() const;
    // Sends one record; false when the loader could not be reached.
    bool post(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) const;

  private:
    QString socketPath_;
};

} // namespace pad
