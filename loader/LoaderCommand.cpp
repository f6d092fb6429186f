#include "loader/LoaderCommand.h"

namespace pad {

LoaderCommand interpretLoaderRecord(const LoaderRecord& record) {
    if (record.message == LoaderQuitMessage)
        return {LoaderCommandKind::Quit, 0};
    if (record.message != MSG_LOADER_STATUS)
        return {};
    if (record.lParam == LoaderDownloadEnd)
        return record.wParam == 0 ? LoaderCommand{LoaderCommandKind::Hello, 0}
                                  : LoaderCommand{LoaderCommandKind::Complete, LoaderReportCount};
    // Progress always names the sending window; a step without one is not ours.
    if (record.wParam != 0 && record.lParam >= 1 && record.lParam <= LoaderReportCount)
        return {LoaderCommandKind::Progress, record.lParam};
    return {};
}

} // namespace pad
