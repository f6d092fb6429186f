// A compositor's report of a window as the service takes it: "no window", the pid,
// and texts cut at a character's start, which --print tells.

#include "modes/ServiceText.h"
#include "modes/bus/BusContract.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(CompositorReports, BecomeWindows) {
    const auto x = [](std::size_t n) { return std::string(n, 'x'); };
    const QString longTitle = QString::fromStdString(x(MaxWindowTextBytes - 1)) + "\u00e9\u00e9";
    const QString fullTitle = QString::fromStdString(x(MaxWindowTextBytes - 2)) + "\u00e9";
    const struct {
        QString appId, title;
        qint64 pid;
        std::optional<WindowInfo> window;
    } cases[] = {
        {"", "", 42, std::nullopt},
        {"game", "", 0, WindowInfo{"game"}},
        {"", "Untitled", -1, WindowInfo{"", "", "Untitled"}},
        {"game", "Game", 42, WindowInfo{"game", "", "Game", 42}},
        // 64 KiB at most: the first two-byte character would end one byte beyond.
        {"game", longTitle, 0, WindowInfo{"game", "", x(MaxWindowTextBytes - 1), {}, "", true}},
        {"game", fullTitle, 0, WindowInfo{"game", "", x(MaxWindowTextBytes - 2) + "\u00e9"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportedWindow(c.appId, "", c.title, c.pid), c.window) << c.title.size();
    EXPECT_NE(
        DescribeWindow(*ReportedWindow("game", "", longTitle, 0)).find("(cut at 65536 bytes)"),
        std::string::npos);
}

} // namespace
} // namespace pad
