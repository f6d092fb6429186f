#pragma once
// What one record asks of the loader. A status record is a hello (wParam 0,
// lParam 241), a progress step (sender's window id, 1 ... 240) or the end of a
// download (sender's window id, 241); 0x0012 asks the loader to exit. Anything
// else is malformed and ignored.

#include "loader/LoaderProtocol.h"

namespace pad {

enum class LoaderCommandKind { Ignore, Hello, Progress, Complete, Quit };

struct LoaderCommand {
    LoaderCommandKind kind = LoaderCommandKind::Ignore;
    int progress = 0; // 1 ... 240 for Progress, 240 for Complete

    friend bool operator==(const LoaderCommand&, const LoaderCommand&) = default;
};

LoaderCommand interpretLoaderRecord(const LoaderRecord& record);

} // namespace pad
