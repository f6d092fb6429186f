// libFuzzer target: the profile-file reader on arbitrary bytes. A file it accepts
// must hold the kind invariant and survive a write and a second read unchanged.
#include "model/ProfileFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pad::Profile profile;
    if (pad::DecodeProfileFile({data, size}, profile) != pad::FileResult::Ok)
        return 0;
    for (int i = 0; i < pad::SlotCount; ++i) {
        const auto kind = profile.kindAt(i);
        if (kind >= pad::KindMacroBase &&
            std::size_t(kind - pad::KindMacroBase) >= profile.macros().count())
            std::abort();
    }
    pad::Profile again;
    if (pad::DecodeProfileFile(pad::EncodeProfileFile(profile), again) != pad::FileResult::Ok ||
        !(again == profile))
        std::abort();
    return 0;
}
