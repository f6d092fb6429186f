#include "loader/link/LoaderLink.h"
#include "loader/link/LoaderUsers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace pad;

namespace {

// A stand-in loader: accepts connections and keeps what each one sent.
class RecordingServer {
  public:
    explicit RecordingServer(const QString& path) {
        QObject::connect(&server_, &QLocalServer::newConnection, [this] {
            while (QLocalSocket* socket = server_.nextPendingConnection()) {
                const int index = int(received.size());
                received.push_back({});
                closed.push_back(false);
                QObject::connect(socket, &QLocalSocket::readyRead,
                                 [this, socket, index] { received[index] += socket->readAll(); });
                QObject::connect(socket, &QLocalSocket::disconnected, [this, socket, index] {
                    received[index] += socket->readAll();
                    closed[index] = true;
                    socket->deleteLater();
                });
            }
        });
        listening = server_.listen(path);
    }

    // Runs the event loop until count connections have closed.
    bool waitForClosed(int count, int timeoutMs = 3000) {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            if (std::count(closed.begin(), closed.end(), true) >= count)
                return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return false;
    }

    bool listening = false;
    std::vector<QByteArray> received;
    std::vector<bool> closed;

  private:
    QLocalServer server_;
};

// The link to the loader socket in dir as the runtime folder.
LoaderLink LinkIn(const QTemporaryDir& dir) {
    return LoaderLink(LoaderSocketPlaceFor(QFile::encodeName(dir.path()).constData(), ::geteuid()));
}

} // namespace

TEST(LoaderLink, FindsNothingAndPostsNothingWithoutALoader) {
    QTemporaryDir dir;
    const LoaderLink link = LinkIn(dir);
    EXPECT_FALSE(link.find());
    EXPECT_FALSE(link.post(MSG_LOADER_STATUS, 0, 241));
}

TEST(LoaderLink, PostsOneTwelveByteRecordPerConnectionAndCloses) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Qd6LoaderS.sock");
    RecordingServer loader(path);
    ASSERT_TRUE(loader.listening);
    const LoaderLink link = LinkIn(dir);

    EXPECT_TRUE(link.find());
    EXPECT_TRUE(link.post(MSG_LOADER_STATUS, 0x03C00005, 17));
    EXPECT_TRUE(link.post(LoaderQuitMessage, 0, 0));
    ASSERT_TRUE(loader.waitForClosed(3));

    ASSERT_EQ(loader.received.size(), 3u);
    EXPECT_TRUE(loader.received[0].isEmpty()); // finding sends nothing
    EXPECT_EQ(loader.received[1], QByteArray::fromHex("336a0000"
                                                      "0500c003"
                                                      "11000000"));
    EXPECT_EQ(loader.received[2], QByteArray::fromHex("12000000"
                                                      "00000000"
                                                      "00000000"));
}

TEST(LoaderLink, DefaultsToTheSocketInTheRuntimeDirectory) {
    QTemporaryDir dir;
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(LoaderLink().place().socket)),
              dir.filePath("Qd6LoaderS.sock"));
}

TEST(LoaderUsers, OnlyTheLastWindowToLeaveQuitsTheLoader) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("Qd6LoaderS.sock.users").toStdString();
    LoaderUsers first(file), second(file);
    EXPECT_FALSE(first.leave()); // never joined
    first.join();
    first.join(); // joining again changes nothing
    second.join();
    {
        LoaderUsers crashed(file); // its lock goes with it
        crashed.join();
    }
    EXPECT_FALSE(first.leave());
    EXPECT_FALSE(first.leave()); // already gone
    EXPECT_TRUE(second.leave());

    // A lock that cannot be taken: the closing window quits the loader, as before locks.
    LoaderUsers unlocked(dir.filePath("missing/Qd6LoaderS.sock.users").toStdString());
    EXPECT_FALSE(unlocked.leave());
    unlocked.join();
    EXPECT_TRUE(unlocked.leave());
}
