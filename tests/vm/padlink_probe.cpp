// A PadLink host for the tests on a real kernel: starts PadLink like PadConfig does
// and prints every message PadLink gives it, one line each, flushed at once:
//   READY                      after InitDriver (and ReadDevice with --read) returned
//   PRESENT / ABSENT / NO_ACCESS
//   INPUT <index> <32 bytes in hex>   an input report handed over by a reader
//   MSG <number> <wParam> <lParam>     anything else
// With --times each presence line ends with the CLOCK_MONOTONIC time in microseconds
// at which the message reached the host. It quits after --seconds (default 10), or as
// soon as --until names a word that has been printed --count times (default 1).
//
//   padlink_probe [--read] [--times] [--seconds N] [--until WORD] [--count N]

#include "devicelink/PadLink.h"
#include "devicelink/WindowMessage.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <time.h>

namespace {

class Host : public QObject {
  public:
    Host(std::string until, int count, bool times)
        : until_(std::move(until)), remaining_(count), times_(times) {}

    bool event(QEvent* event) override {
        const auto* message = pad::WindowMessage::from(event);
        if (!message)
            return QObject::event(event);
        switch (message->message()) {
        case pad::MSG_KEYPAD_PRESENT:
            printPresence("PRESENT");
            break;
        case pad::MSG_KEYPAD_ABSENT:
            printPresence("ABSENT");
            break;
        case pad::MSG_KEYPAD_NO_ACCESS:
            printPresence("NO_ACCESS");
            break;
        case pad::HostMessage: {
            // lParam is the reader's buffer, valid only while this handler runs.
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(message->lParam());
            std::string line = "INPUT " + std::to_string(message->wParam() & 0xFFFF);
            char hex[4];
            for (std::size_t i = 0; bytes && i < pad::InputReportSize; ++i) {
                std::snprintf(hex, sizeof hex, " %02x", bytes[i]);
                line += hex;
            }
            print(line.c_str());
            break;
        }
        default: {
            char line[96];
            std::snprintf(line, sizeof line, "MSG 0x%04x %llu %lld", message->message(),
                          static_cast<unsigned long long>(message->wParam()),
                          static_cast<long long>(message->lParam()));
            print(line);
        }
        }
        return true;
    }

  private:
    void printPresence(const char* word) {
        if (!times_) {
            print(word);
            return;
        }
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        char line[64];
        std::snprintf(line, sizeof line, "%s %lld", word,
                      static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
        print(line);
    }

    void print(const char* line) {
        std::printf("%s\n", line);
        std::fflush(stdout);
        if (!until_.empty() && std::strncmp(line, until_.c_str(), until_.size()) == 0 &&
            --remaining_ == 0)
            QCoreApplication::quit();
    }

    std::string until_;
    int remaining_;
    bool times_;
};

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: padlink_probe [--read] [--times] [--seconds N] [--until WORD] "
                         "[--count N]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool read = false;
    bool times = false;
    int seconds = 10;
    int count = 1;
    std::string until;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--read")
            read = true;
        else if (arg == "--times")
            times = true;
        else if (arg == "--seconds" && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
        else if (arg == "--until" && i + 1 < argc)
            until = argv[++i];
        else if (arg == "--count" && i + 1 < argc)
            count = std::atoi(argv[++i]);
        else
            usage();
    }
    if (seconds <= 0 || count <= 0)
        usage();

    Host host(until, count, times);
    InitDriver(&host, pad::HostMessage, pad::KEYPAD_USAGE_PAGE);
    if (read)
        ReadDevice(pad::KEYPAD_USAGE_PAGE, pad::KEYPAD_USAGE);
    std::printf("READY\n");
    std::fflush(stdout);

    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    int result = app.exec();
    // Stops the readers and closes the keypad before the host goes away.
    RemoveDevice();
    return result;
}
