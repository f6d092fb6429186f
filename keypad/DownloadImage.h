#pragma once
// The download image of a profile: its 48 KeyActions as the keypad's memory holds them
// (keypad/KeypadReports.h describes the image and the reports that carry it).

#include "keypad/KeypadReports.h"
#include "model/Profile.h"

namespace pad {

// The image of the profile's 48 KeyActions; addresses 0-3 are 0.
DownloadImage BuildDownloadImage(const Profile& profile);

} // namespace pad
