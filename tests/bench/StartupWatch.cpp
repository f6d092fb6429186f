// Starts a program and waits, on the X display, until the program's first ordinary
// top-level window is mapped: the moment its window appears. Prints the time from
// launch to then in milliseconds and the program's peak resident memory (VmHWM) at
// that moment in kB and the CPU time its threads have used by then in ms, as
// "MS KB CPU_MS", then ends the program.
//
// The root window's substructure is watched before the program starts, so no map
// can be missed; a mapped window counts when its _NET_WM_PID is the program's. With
// a reparenting window manager the map happens inside the frame and is not seen: run
// it on a bare X server such as xvfb-run's.
//
// Usage: startup_watch [--timeout-ms N] PROGRAM [ARGS...]

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window's _NET_WM_PID, or -1 when it has none.
long WindowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t netWmPid) {
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return -1;
    return long(*static_cast<std::uint32_t*>(xcb_get_property_value(reply.get())));
}

// VmHWM of a process in kB, or -1.
long PeakResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// CPU time the process's threads have run so far, in ms, or -1.
double CpuMs(pid_t pid) {
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    double ns = 0;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double runNs = 0;
        if (schedstat >> runNs)
            ns += runNs;
    }
    return error ? -1 : ns / 1e6;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

} // namespace

int main(int argc, char** argv) {
    int first = 1;
    int timeoutMs = 10000;
    if (argc > 2 && std::strcmp(argv[1], "--timeout-ms") == 0) {
        timeoutMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: startup_watch [--timeout-ms N] PROGRAM [ARGS...]\n");
        return 2;
    }

    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "startup_watch: cannot open the X display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmPid = Atom(c, "_NET_WM_PID"); // the round trip makes the mask hold

    const double start = NowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[first], argv + first);
        std::perror("startup_watch: exec");
        _exit(127);
    }

    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (NowMs() - start < timeoutMs) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "startup_watch: %s ended before showing a window\n", argv[first]);
            return 1;
        }
        std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(xcb_poll_for_event(c));
        if (!event) {
            if (xcb_connection_has_error(c))
                break;
            poll(&fd, 1, 5);
            continue;
        }
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
            continue;
        const double mapped = NowMs();
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
        if (map->override_redirect || WindowPid(c, map->window, netWmPid) != long(pid))
            continue;
        const long peakKb = PeakResidentKb(pid);
        const double cpuMs = CpuMs(pid);
        Stop(pid);
        std::printf("%.1f %ld %.1f\n", mapped - start, peakKb, cpuMs);
        xcb_disconnect(c);
        return 0;
    }
    std::fprintf(stderr, "startup_watch: no window of %s within %d ms\n", argv[first], timeoutMs);
    Stop(pid);
    xcb_disconnect(c);
    return 1;
}
