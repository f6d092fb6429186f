// libFuzzer target: the profile JSON reader on arbitrary text. A profile it accepts
// must hold the kind invariant and come back unchanged through the JSON writer and
// through the profile file.
#include "model/ProfileFile.h"
#include "model/ProfileJson.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = pad::DecodeProfileJson({reinterpret_cast<const char*>(data), size});
    const auto* profile = std::get_if<pad::Profile>(&decoded);
    if (!profile)
        return 0;
    for (int i = 0; i < pad::SlotCount; ++i) {
        const auto kind = profile->kindAt(i);
        if (kind < 0 || (kind >= pad::KindMacroBase &&
                         std::size_t(kind - pad::KindMacroBase) >= profile->macros().count()))
            std::abort();
    }
    const auto again = pad::DecodeProfileJson(pad::EncodeProfileJson(*profile, ".QD6"));
    if (!std::holds_alternative<pad::Profile>(again) ||
        !(std::get<pad::Profile>(again) == *profile))
        std::abort();
    pad::Profile fromFile;
    if (pad::DecodeProfileFile(pad::EncodeProfileFile(*profile), fromFile) != pad::FileResult::Ok ||
        !(fromFile == *profile))
        std::abort();
    return 0;
}
