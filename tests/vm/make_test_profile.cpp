// Writes a profile for the download test on a real kernel, and the 820 bytes the
// keypad's memory must hold after that profile is downloaded.
//
//   make_test_profile PROFILE.qd6 EXPECTED_MEMORY.bin
//
// Every slot gets a different macro-like action, so a report that lands at the wrong
// address or carries shifted bytes shows up in the comparison. The expected memory is
// laid out here from the keypad's address rule (mode m, key k at 4 + 17 * (16m + k),
// 16 events then the play mode), not from the download encoder, so it checks both.

#include "common/KeypadProtocol.h"
#include "model/Profile.h"
#include "model/ProfileFile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_test_profile PROFILE.qd6 EXPECTED_MEMORY.bin\n");
        return 2;
    }
    constexpr int Modes = 3, Keys = 16, Events = 16, ActionBytes = 17;
    constexpr std::size_t FirstAddress = 4;
    constexpr std::array<std::uint8_t, 4> PlayModes{0xA0, 0xA1, 0xA2, 0xA3};

    pad::Profile profile;
    std::array<std::uint8_t, pad::KeypadMemorySize> memory{};
    for (int m = 0; m < Modes; ++m) {
        for (int k = 0; k < Keys; ++k) {
            int slot = Keys * m + k;
            pad::KeySlot& target = profile.slot(m, k);
            std::size_t base = FirstAddress + std::size_t(ActionBytes * slot);
            for (int j = 0; j < Events; ++j) {
                // Presses and releases of varied codes; never two equal slots.
                auto event = std::uint8_t((slot * 7 + j * 13 + 1) & 0xFF);
                target.action.events[std::size_t(j)] = event;
                memory[base + std::size_t(j)] = event;
            }
            target.action.playMode = PlayModes[std::size_t(slot) % PlayModes.size()];
            memory[base + Events] = target.action.playMode;
            pad::Profile::setLabel(target, u"VM slot " + std::u16string(1, u'A' + m) + u"-" +
                                               std::u16string(1, u'a' + k));
            profile.setKind(m, k, pad::KindSingleKey);
        }
    }

    if (pad::SaveProfileFile(profile, argv[1]) != pad::FileResult::Ok) {
        std::fprintf(stderr, "make_test_profile: cannot write %s\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "make_test_profile: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
