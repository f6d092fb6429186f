// Writes the sample profiles into a folder (normally resources/samples):
//   make_sample_profiles <folder>
#include "model/ProfileFile.h"
#include "tests/support/SampleProfiles.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sample_profiles <folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    if (pad::SaveProfileFile(pad::test::ExampleProfile(), folder / "example.qd6") !=
        pad::FileResult::Ok) {
        std::cerr << "cannot write example.qd6\n";
        return 1;
    }
    const auto legacy = pad::test::LegacyQd5Sample();
    std::ofstream out(folder / "legacy.qd5", std::ios::binary);
    out.write(reinterpret_cast<const char*>(legacy.data()), std::streamsize(legacy.size()));
    out.close();
    return out ? 0 : 1;
}
