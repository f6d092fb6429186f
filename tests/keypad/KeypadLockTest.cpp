// The keypad lock on the system's own means (flock, LockFileEx): one holder at a time,
// also within one process, and the recorded mode readable while a download holds the
// lock, which Windows' binding byte-range locks would forbid for a locked record (wine
// does not bind reads to locks, so only Windows itself tells that part).

#include "keypad/KeypadLock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(KeypadLock, OneHolderAtATimeAndTheRecordReadableMeanwhile) {
    test::TempDir dir;
    KeypadLock download(dir / "k.lock");
    KeypadLock select(dir / "k.lock");
    ASSERT_TRUE(download.TryAcquire());
    download.RecordMode(KeypadMode::B);
    EXPECT_FALSE(select.TryAcquire());
    EXPECT_EQ(select.RecordedMode(), KeypadMode::B);
    download.Release();
    EXPECT_TRUE(select.TryAcquire());
    select.RecordMode(KeypadMode::Normal);
    EXPECT_EQ(download.RecordedMode(), KeypadMode::Normal);
}

} // namespace
} // namespace pad
