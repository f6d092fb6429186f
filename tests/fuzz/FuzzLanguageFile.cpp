// libFuzzer target: the language-file reader on arbitrary bytes. Every text it
// returns must respect the 511-unit limit.
#include "texts/LanguageFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = pad::LanguageFile::fromBytes({data, size});
    std::u16string text;
    for (int n = 0; n <= 60; ++n)
        if (file.ReadLanguageText(n, text) && text.size() > pad::MaxLanguageTextUnits)
            std::abort();
    (void)pad::FontRowFor(file.languageId());
    pad::LanguageTextTable table;
    table.fill(&file);
    return 0;
}
