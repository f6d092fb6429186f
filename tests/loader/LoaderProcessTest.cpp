// Runs the real Qd6LoaderS with --trace in a private runtime directory and
// talks to it over its socket the way PadConfig does.

#include "loader/LoaderProtocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace pad;

namespace {

class LoaderProcess {
  public:
    explicit LoaderProcess(const QString& runtimeDir) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtimeDir);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process_.setProcessEnvironment(env);
        process_.setReadChannel(QProcess::StandardError);
        process_.start(LOADER_BINARY, {"--trace"});
    }
    ~LoaderProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    // The next trace line, or "<timeout>".
    QString nextLine(int timeoutMs = 5000) {
        QDeadlineTimer deadline(timeoutMs);
        while (!process_.canReadLine() && !deadline.hasExpired())
            process_.waitForReadyRead(int(deadline.remainingTime()));
        if (!process_.canReadLine())
            return "<timeout>";
        return QString::fromUtf8(process_.readLine()).trimmed();
    }
    bool finished(int timeoutMs) { return process_.waitForFinished(timeoutMs); }
    int exitCode() const { return process_.exitCode(); }
    bool running() const { return process_.state() == QProcess::Running; }

  private:
    QProcess process_;
};

bool sendBytes(const QString& path, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(bytes);
    const bool ok = socket.bytesToWrite() == 0 || socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return ok;
}

QByteArray recordBytes(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) {
    const LoaderRecordBytes bytes = encodeLoaderRecord({message, wParam, lParam});
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

bool post(const QString& path, std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) {
    return sendBytes(path, recordBytes(message, wParam, lParam));
}

class LoaderProcessTest : public ::testing::Test {
  protected:
    QTemporaryDir runtimeDir;
    QString socketPath() const { return runtimeDir.filePath("Qd6LoaderS.sock"); }
};

} // namespace

TEST_F(LoaderProcessTest, ShowsADownloadFromHelloToCompleteAndExitsOnQuit) {
    LoaderProcess loader(runtimeDir.path());
    ASSERT_EQ(loader.nextLine(), "listening " + socketPath());

    ASSERT_TRUE(post(socketPath(), MSG_LOADER_STATUS, 0, 241));
    EXPECT_EQ(loader.nextLine(), "hello");

    const std::uint32_t window = 0x02A00007;
    for (int n = 1; n <= 240; ++n) {
        ASSERT_TRUE(post(socketPath(), MSG_LOADER_STATUS, window, n));
        ASSERT_EQ(loader.nextLine(), QString("progress %1").arg(n));
        if (n == 1) { // the window appears with the first report
            ASSERT_EQ(loader.nextLine(), "shown");
        }
    }
    ASSERT_TRUE(post(socketPath(), MSG_LOADER_STATUS, window, 241));
    EXPECT_EQ(loader.nextLine(), "complete");

    ASSERT_TRUE(post(socketPath(), LoaderQuitMessage, 0, 0));
    EXPECT_EQ(loader.nextLine(), "quit");
    ASSERT_TRUE(loader.finished(5000));
    EXPECT_EQ(loader.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(socketPath()));
}

// Waits out the moment the finished download stays on screen: in the e2e suite.
TEST_F(LoaderProcessTest, HidesItsWindowAMomentAfterADownloadCompletes) {
    LoaderProcess loader(runtimeDir.path());
    ASSERT_EQ(loader.nextLine(), "listening " + socketPath());
    ASSERT_TRUE(post(socketPath(), MSG_LOADER_STATUS, 0x02A00007, 240));
    ASSERT_EQ(loader.nextLine(), "progress 240");
    ASSERT_EQ(loader.nextLine(), "shown");
    ASSERT_TRUE(post(socketPath(), MSG_LOADER_STATUS, 0x02A00007, 241));
    EXPECT_EQ(loader.nextLine(), "complete");
    EXPECT_EQ(loader.nextLine(500), "<timeout>"); // still on screen
    EXPECT_EQ(loader.nextLine(4000), "hidden");
}

TEST_F(LoaderProcessTest, SurvivesShortRecordsGarbageAndSilentPeers) {
    LoaderProcess loader(runtimeDir.path());
    ASSERT_EQ(loader.nextLine(), "listening " + socketPath());

    ASSERT_TRUE(sendBytes(socketPath(), QByteArray("\x33\x6a\x00", 3)));
    EXPECT_EQ(loader.nextLine(), "short 3");

    // 20 bytes of text: one record with an unknown message, 8 bytes left over.
    ASSERT_TRUE(sendBytes(socketPath(), "not a record at all!"));
    EXPECT_TRUE(loader.nextLine().startsWith("ignored "));
    EXPECT_EQ(loader.nextLine(), "short 8");

    // A peer that connects and never writes holds nothing up.
    QLocalSocket silent;
    silent.connectToServer(socketPath());
    ASSERT_TRUE(silent.waitForConnected(1000));

    // Several records on one connection are all taken.
    ASSERT_TRUE(sendBytes(socketPath(), recordBytes(MSG_LOADER_STATUS, 9, 3) +
                                            recordBytes(MSG_LOADER_STATUS, 9, 242) +
                                            recordBytes(MSG_LOADER_STATUS, 9, 4)));
    EXPECT_EQ(loader.nextLine(), "progress 3");
    EXPECT_EQ(loader.nextLine(), "shown");
    EXPECT_EQ(loader.nextLine(), "ignored 6a33 9 242");
    EXPECT_EQ(loader.nextLine(), "progress 4");
    EXPECT_TRUE(loader.running());
    EXPECT_EQ(silent.state(), QLocalSocket::ConnectedState);

    ASSERT_TRUE(post(socketPath(), LoaderQuitMessage, 0, 0));
    EXPECT_EQ(loader.nextLine(), "quit");
    EXPECT_TRUE(loader.finished(5000));
}

TEST_F(LoaderProcessTest, RunsOncePerUserOnAUserOnlySocket) {
    LoaderProcess first(runtimeDir.path());
    ASSERT_EQ(first.nextLine(), "listening " + socketPath());

    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(socketPath()).permissions() & others, QFile::Permissions());

    LoaderProcess second(runtimeDir.path());
    EXPECT_EQ(second.nextLine(), "already running");
    ASSERT_TRUE(second.finished(3000));
    EXPECT_EQ(second.exitCode(), 0);

    // The first one still listens.
    ASSERT_TRUE(post(socketPath(), MSG_LOADER_STATUS, 0, 241));
    EXPECT_EQ(first.nextLine(), "hello");
    ASSERT_TRUE(post(socketPath(), LoaderQuitMessage, 0, 0));
    EXPECT_EQ(first.nextLine(), "quit");
    EXPECT_TRUE(first.finished(5000));
}

TEST_F(LoaderProcessTest, ReplacesASocketFileLeftBehind) {
    QFile stale(socketPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    LoaderProcess loader(runtimeDir.path());
    ASSERT_EQ(loader.nextLine(), "listening " + socketPath());
    ASSERT_TRUE(post(socketPath(), LoaderQuitMessage, 0, 0));
    EXPECT_EQ(loader.nextLine(), "quit");
    EXPECT_TRUE(loader.finished(5000));
}

// Many more silent clients than it keeps: the loader drops the ones idle longest.
TEST_F(LoaderProcessTest, StaysUpWhenClientsPileUp) {
    LoaderProcess loader(runtimeDir.path());
    ASSERT_EQ(loader.nextLine(), "listening " + socketPath());
    std::vector<std::unique_ptr<QLocalSocket>> clients(300);
    for (auto& client : clients) {
        client = std::make_unique<QLocalSocket>();
        client->connectToServer(socketPath());
        ASSERT_TRUE(client->waitForConnected(2000));
    }
    ASSERT_TRUE(post(socketPath(), MSG_LOADER_STATUS, 0, 241));
    EXPECT_EQ(loader.nextLine(), "hello");
    EXPECT_TRUE(clients.front()->waitForDisconnected(1000));
    EXPECT_EQ(clients.back()->state(), QLocalSocket::ConnectedState);
}

// The socket removed alone, and with the whole runtime folder as at logout. The loader
// notices before its two-second check would.
TEST_F(LoaderProcessTest, EndsWhenItsSocketHasGone) {
    for (const bool wholeFolder : {false, true}) {
        SCOPED_TRACE(wholeFolder ? "runtime folder removed" : "socket removed");
        QTemporaryDir folder;
        const QString socket = folder.filePath("Qd6LoaderS.sock");
        LoaderProcess loader(folder.path());
        ASSERT_EQ(loader.nextLine(), "listening " + socket);
        ASSERT_TRUE(wholeFolder ? QDir(folder.path()).removeRecursively() : QFile::remove(socket));
        EXPECT_EQ(loader.nextLine(1500), "socket gone");
        EXPECT_TRUE(loader.finished(5000));
    }
}
