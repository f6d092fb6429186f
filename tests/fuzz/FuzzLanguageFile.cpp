// libFuzzer target: the language-file reader on arbitrary bytes. Every text it
// returns must respect the 511-unit limit.
#include "texts/Texts.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = pad::LanguageFile::fromBytes({data, size});
    std::u16string text;
    for (int n = 0; n <= 60; ++n)
        if (file.ReadLanguageText(n, text) && text.size() > pad::MaxLanguageTextUnits)
            std::abort();
    (void)pad::FontRowFor(file.languageId());
    const pad::Texts texts(file);
    for (const pad::UiText& entry : pad::UiTexts)
        if (texts.text(entry).empty() && !entry.english.empty())
            std::abort(); // a text is never shown empty
    return 0;
}
