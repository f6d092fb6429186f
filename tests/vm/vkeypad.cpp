/* A virtual Corvask 12 keypad on the kernel's uhid interface, with no libraries; the
 * keypad's ids and report layout come from common/KeypadProtocol.h.
 *
 * It creates a HID device with the keypad's identifiers and a report descriptor
 * with the vendor-defined collection (usage page 0xFF00, usage 0xFF00) holding
 *   feature report 3: 7 data bytes (address low, address high, 4 data bytes, 1 spare)
 *   input report 1:   7 data bytes
 * and answers feature writes like the keypad: the 4 data bytes land in its 820-byte
 * memory at the address (only addresses 4-819 are writable), and the mode-select
 * address sets its mode to the first data byte.
 *
 *   vkeypad [--vendor ID] [--product ID] [--state DIR]
 *
 * Signals: SIGUSR1 writes the state to DIR, SIGUSR2 sends one input report
 * (01 C1 C2 C3 C4 C5 C6 C7, then C1 counts up), SIGTERM/SIGINT write the state,
 * destroy the device and exit. The state is DIR/memory.bin (820 bytes), DIR/mode
 * (the mode code as a decimal number), DIR/writes (feature writes accepted) and
 * DIR/rejected (feature requests refused), then DIR/dumped once all of them are
 * written. DIR/ready appears once the kernel has started the device. DIR/created and
 * DIR/destroyed hold the CLOCK_MONOTONIC time in microseconds at which the device was
 * created and destroyed, for measuring how long the host takes to notice. */

#include "common/KeypadProtocol.h"
#include "common/LittleEndian.h"

#include <errno.h>
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <signal.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/signalfd.h>
#include <time.h>
#include <unistd.h>

namespace protocol = pad; // the keypad's protocol; "pad" names the virtual keypad below

constexpr unsigned MEMORY_SIZE = protocol::KeypadMemorySize;
constexpr unsigned FIRST_WRITABLE = 4;
constexpr uint8_t INPUT_REPORT_ID = 1;

// clang-format off
static const uint8_t report_descriptor[] = {
    0x06, 0x00, 0xFF,               /* Usage Page (0xFF00, vendor defined) */
    0x0A, 0x00, 0xFF,               /* Usage (0xFF00) */
    0xA1, 0x01,                     /* Collection (Application) */
    0x15, 0x00,                     /*   Logical Minimum (0) */
    0x26, 0xFF, 0x00,               /*   Logical Maximum (255) */
    0x75, 0x08,                     /*   Report Size (8) */
    0x85, protocol::WriteReportId,  /*   Report ID (3) */
    0x95, protocol::ReportSize - 1, /*   Report Count (7) */
    0x09, 0x01,                     /*   Usage (1) */
    0xB1, 0x02,                     /*   Feature (Data, Variable, Absolute) */
    0x85, INPUT_REPORT_ID,          /*   Report ID (1) */
    0x95, 0x07,                     /*   Report Count (7) */
    0x09, 0x02,                     /*   Usage (2) */
    0x81, 0x02,                     /*   Input (Data, Variable, Absolute) */
    0xC0,                           /* End Collection */
};
// clang-format on

struct keypad {
    int uhid;
    uint16_t vendor;
    uint16_t product;
    const char* state_dir;
    uint8_t memory[MEMORY_SIZE];
    int mode;
    unsigned writes;
    unsigned rejected;
    uint8_t input_counter;
};

static void fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    fputs("vkeypad: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
    va_end(args);
    exit(1);
}

static int send_event(struct keypad* pad, const struct uhid_event* event) {
    ssize_t written = write(pad->uhid, event, sizeof *event);
    if (written != (ssize_t)sizeof *event) {
        fprintf(stderr, "vkeypad: uhid write failed: %s\n", strerror(errno));
        return -1;
    }
    return 0;
}

static void create_device(struct keypad* pad) {
    struct uhid_event event;
    memset(&event, 0, sizeof event);
    event.type = UHID_CREATE2;
    snprintf((char*)event.u.create2.name, sizeof event.u.create2.name, "Corvask 12 Gaming Keypad");
    snprintf((char*)event.u.create2.phys, sizeof event.u.create2.phys, "vkeypad/input0");
    snprintf((char*)event.u.create2.uniq, sizeof event.u.create2.uniq, "VK0001");
    memcpy(event.u.create2.rd_data, report_descriptor, sizeof report_descriptor);
    event.u.create2.rd_size = sizeof report_descriptor;
    event.u.create2.bus = 0x03; /* USB */
    event.u.create2.vendor = pad->vendor;
    event.u.create2.product = pad->product;
    if (send_event(pad, &event) != 0)
        fail("could not create the device");
}

static void destroy_device(struct keypad* pad) {
    struct uhid_event event;
    memset(&event, 0, sizeof event);
    event.type = UHID_DESTROY;
    send_event(pad, &event);
}

static void write_file(const struct keypad* pad, const char* name, const void* data, size_t size) {
    char path[4096], temporary[4096];
    snprintf(path, sizeof path, "%s/%s", pad->state_dir, name);
    snprintf(temporary, sizeof temporary, "%s/.%s.tmp", pad->state_dir, name);
    /* Written aside and renamed, so a reader never sees half a file. */
    FILE* file = fopen(temporary, "wb");
    if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0) {
        fprintf(stderr, "vkeypad: cannot write %s\n", temporary);
        return;
    }
    rename(temporary, path);
}

static void write_number(const struct keypad* pad, const char* name, unsigned value) {
    char text[32];
    int length = snprintf(text, sizeof text, "%u\n", value);
    write_file(pad, name, text, (size_t)length);
}

static unsigned long long monotonic_microseconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (unsigned long long)now.tv_sec * 1000000ULL + (unsigned long long)now.tv_nsec / 1000ULL;
}

static void write_time(const struct keypad* pad, const char* name,
                       unsigned long long microseconds) {
    if (!pad->state_dir)
        return;
    char text[32];
    int length = snprintf(text, sizeof text, "%llu\n", microseconds);
    write_file(pad, name, text, (size_t)length);
}

static void dump_state(const struct keypad* pad) {
    if (!pad->state_dir)
        return;
    write_file(pad, "memory.bin", pad->memory, sizeof pad->memory);
    write_number(pad, "mode", (unsigned)pad->mode);
    write_number(pad, "writes", pad->writes);
    write_number(pad, "rejected", pad->rejected);
    /* Last, so that a reader waiting for it finds every other file up to date. */
    write_file(pad, "dumped", "1\n", 2);
}

/* One feature write, data[0] being the report id. Returns 0 when the keypad takes it. */
static int apply_feature_write(struct keypad* pad, const uint8_t* data, size_t size) {
    if (size != protocol::ReportSize || data[protocol::ReportIdOffset] != protocol::WriteReportId)
        return EIO;
    unsigned address = protocol::DecodeFixed16(data + protocol::ReportAddressOffset);
    if (address == protocol::ModeSelectAddress) {
        pad->mode = data[protocol::ReportDataOffset];
        return 0;
    }
    if (address < FIRST_WRITABLE || address >= MEMORY_SIZE)
        return EIO;
    /* The last report of a download starts at 819; its bytes past the memory are dropped. */
    for (unsigned i = 0; i < protocol::ReportDataSize && address + i < MEMORY_SIZE; ++i)
        pad->memory[address + i] = data[protocol::ReportDataOffset + i];
    return 0;
}

static void answer_set_report(struct keypad* pad, const struct uhid_event* request) {
    const struct uhid_set_report_req* set = &request->u.set_report;
    int error = EIO;
    if (set->rtype == UHID_FEATURE_REPORT && set->size <= sizeof set->data)
        error = apply_feature_write(pad, set->data, set->size);
    if (error == 0)
        ++pad->writes;
    else
        ++pad->rejected;

    struct uhid_event reply;
    memset(&reply, 0, sizeof reply);
    reply.type = UHID_SET_REPORT_REPLY;
    reply.u.set_report_reply.id = set->id;
    reply.u.set_report_reply.err = (uint16_t)error;
    send_event(pad, &reply);
}

static void answer_get_report(struct keypad* pad, const struct uhid_event* request) {
    /* The keypad has no readable reports. */
    struct uhid_event reply;
    memset(&reply, 0, sizeof reply);
    reply.type = UHID_GET_REPORT_REPLY;
    reply.u.get_report_reply.id = request->u.get_report.id;
    reply.u.get_report_reply.err = EIO;
    send_event(pad, &reply);
}

static void send_input_report(struct keypad* pad) {
    struct uhid_event event;
    memset(&event, 0, sizeof event);
    event.type = UHID_INPUT2;
    event.u.input2.size = 8;
    event.u.input2.data[0] = INPUT_REPORT_ID;
    for (int i = 1; i < 8; ++i)
        event.u.input2.data[i] = (uint8_t)(0xC0 + i);
    event.u.input2.data[1] = (uint8_t)(0xC1 + pad->input_counter++);
    send_event(pad, &event);
}

static void handle_uhid_event(struct keypad* pad) {
    struct uhid_event event;
    ssize_t got = read(pad->uhid, &event, sizeof event);
    if (got < 0) {
        if (errno == EINTR || errno == EAGAIN)
            return;
        fail("uhid read failed: %s", strerror(errno));
    }
    switch (event.type) {
    case UHID_START:
        if (pad->state_dir) {
            dump_state(pad);
            write_file(pad, "ready", "1\n", 2);
        }
        break;
    case UHID_SET_REPORT:
        answer_set_report(pad, &event);
        break;
    case UHID_GET_REPORT:
        answer_get_report(pad, &event);
        break;
    default: /* open, close, stop and output reports need no answer */
        break;
    }
}

static uint16_t parse_id(const char* text) {
    char* end = NULL;
    unsigned long value = strtoul(text, &end, 0);
    if (!*text || *end || value > 0xFFFF)
        fail("not a 16-bit identifier: %s", text);
    return (uint16_t)value;
}

int main(int argc, char** argv) {
    struct keypad pad;
    memset(&pad, 0, sizeof pad);
    pad.vendor = protocol::KEYPAD_DEFAULT_VENDOR_ID;
    pad.product = protocol::KEYPAD_PRODUCT_ID;
    const char* vendor_env = getenv(protocol::VendorIdVariable);
    if (vendor_env && *vendor_env)
        pad.vendor = parse_id(vendor_env);

    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--vendor") == 0 && i + 1 < argc)
            pad.vendor = parse_id(argv[++i]);
        else if (strcmp(argv[i], "--product") == 0 && i + 1 < argc)
            pad.product = parse_id(argv[++i]);
        else if (strcmp(argv[i], "--state") == 0 && i + 1 < argc)
            pad.state_dir = argv[++i];
        else
            fail("usage: vkeypad [--vendor ID] [--product ID] [--state DIR]");
    }

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGUSR1);
    sigaddset(&signals, SIGUSR2);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &signals, NULL) != 0)
        fail("cannot block signals");
    int signal_fd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signal_fd < 0)
        fail("signalfd: %s", strerror(errno));

    pad.uhid = open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (pad.uhid < 0)
        fail("cannot open /dev/uhid: %s", strerror(errno));
    unsigned long long created = monotonic_microseconds();
    create_device(&pad);
    write_time(&pad, "created", created);
    fprintf(stderr, "vkeypad: created %04x:%04x\n", pad.vendor, pad.product);

    for (;;) {
        struct pollfd fds[2] = {{pad.uhid, POLLIN, 0}, {signal_fd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            fail("poll: %s", strerror(errno));
        }
        if (fds[0].revents & POLLIN)
            handle_uhid_event(&pad);
        else if (fds[0].revents & (POLLERR | POLLHUP))
            fail("uhid closed");
        if (fds[1].revents & POLLIN) {
            struct signalfd_siginfo info;
            if (read(signal_fd, &info, sizeof info) != (ssize_t)sizeof info)
                continue;
            if (info.ssi_signo == SIGUSR1) {
                dump_state(&pad);
            } else if (info.ssi_signo == SIGUSR2) {
                send_input_report(&pad);
            } else {
                dump_state(&pad);
                unsigned long long destroyed = monotonic_microseconds();
                destroy_device(&pad);
                write_time(&pad, "destroyed", destroyed);
                close(pad.uhid);
                return 0;
            }
        }
    }
}
