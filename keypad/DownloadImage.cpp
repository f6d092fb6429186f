#include "keypad/DownloadImage.h"

namespace pad {

DownloadImage BuildDownloadImage(const Profile& profile) {
    DownloadImage image{};
    for (int s = 0; s < SlotCount; ++s) {
        const auto bytes = profile.slotAt(s).action.bytes();
        std::copy(bytes.begin(), bytes.end(),
                  image.begin() + FirstImageAddress + ActionSize * std::ptrdiff_t(s));
    }
    return image;
}

} // namespace pad
