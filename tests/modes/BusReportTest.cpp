// A compositor's report of a window as the service takes it: "no window", the pid,
// and texts cut at a character's start.

#include "modes/bus/BusContract.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(CompositorReports, BecomeWindows) {
    const QString longTitle = QString(4095, 'x') + QString::fromUtf8("\u00e9\u00e9");
    const struct {
        QString appId, title;
        qint64 pid;
        std::optional<WindowInfo> window;
    } cases[] = {
        {"", "", 42, std::nullopt},
        {"game", "", 0, WindowInfo{"game"}},
        {"", "Untitled", -1, WindowInfo{"", "", "Untitled"}},
        {"game", "Game", 42, WindowInfo{"game", "", "Game", 42}},
        // 4,096 bytes at most: the first two-byte character would end at 4,097.
        {"game", longTitle, 0, WindowInfo{"game", "", std::string(4095, 'x')}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportedWindow(c.appId, "", c.title, c.pid), c.window) << c.title.size();
}

} // namespace
} // namespace pad
