#include "model/PhysicalKeys.h"

namespace pad {
namespace {

// What the conversions read from the table rely on. A row added or changed in a way
// that breaks one of these fails to compile here.

constexpr bool scanCodesAreUnique() {
    for (const auto& a : PhysicalKeys)
        for (const auto& b : PhysicalKeys)
            if (&a != &b && a.sendsScan() && b.sendsScan() && a.scan == b.scan)
                return false;
    return true;
}

constexpr bool evdevCodesAreUnique() {
    for (const auto& a : PhysicalKeys)
        for (const auto& b : PhysicalKeys)
            if (&a != &b && a.evdev != 0 && a.evdev == b.evdev)
                return false;
    return true;
}

// Every code from 1 to the right mouse button stands on exactly one row, and exactly
// the rows with a code have a code name.
constexpr bool everyCodeHasOneNamedRow() {
    for (unsigned code = 1; code <= MouseRightCode; ++code) {
        int rows = 0;
        for (const auto& k : PhysicalKeys)
            rows += k.code == code ? 1 : 0;
        if (rows != 1)
            return false;
    }
    for (const auto& k : PhysicalKeys)
        if (k.code > MouseRightCode || (k.code == 0) != k.codeName.empty())
            return false;
    return true;
}

// A usage has at most one code, and keyboard codes come with a usage.
constexpr bool usagesHaveOneCode() {
    for (const auto& a : PhysicalKeys) {
        if (a.code != 0 && a.code < MouseLeftCode && a.usage == 0)
            return false;
        for (const auto& b : PhysicalKeys)
            if (&a != &b && a.code != 0 && b.code != 0 && a.usage != 0 && a.usage == b.usage)
                return false;
    }
    return true;
}

// A usage-only row names its usage by the scan code of a key that is sent.
constexpr bool usageOnlyRowsBorrowASentScan() {
    for (const auto& a : PhysicalKeys) {
        if (!a.is(UsageOnly))
            continue;
        bool sent = false;
        for (const auto& b : PhysicalKeys)
            sent = sent || (b.sendsScan() && b.scan == a.scan);
        if (!sent || a.code == 0 || a.evdev != 0 || !a.name.empty())
            return false;
    }
    return true;
}

// The layout names a character key by its evdev code.
constexpr bool characterKeysHaveEvdevCodes() {
    for (const auto& k : PhysicalKeys)
        if (k.is(Character) && k.evdev == 0)
            return false;
    return true;
}

// A key that an evdev code names sends its scan code and has a name, so a key captured
// by its evdev code is the key its scan code leads to.
constexpr bool evdevKeysSendTheirScan() {
    for (const auto& k : PhysicalKeys)
        if (k.evdev != 0 && (!k.sendsScan() || k.name.empty()))
            return false;
    return true;
}

static_assert(scanCodesAreUnique());
static_assert(evdevCodesAreUnique());
static_assert(everyCodeHasOneNamedRow());
static_assert(usagesHaveOneCode());
static_assert(usageOnlyRowsBorrowASentScan());
static_assert(characterKeysHaveEvdevCodes());
static_assert(evdevKeysSendTheirScan());

} // namespace
} // namespace pad
