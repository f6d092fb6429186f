#pragma once
// What marks a function as an export of PadLink and HidBridge: default visibility in
// the hidden-by-default shared objects on Linux; on Windows the .def files (padlink.def,
// hidbridge.def) name the exports and their ordinals, so nothing is needed there.

#ifdef _WIN32
#define DEVICELINK_EXPORT
#else
#define DEVICELINK_EXPORT __attribute__((visibility("default")))
#endif
