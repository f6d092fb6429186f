#include "texts/Texts.h"

#include "texts/ShellStrings.h"

#include <string>

namespace pad {

std::u16string Texts::text(const UiText& text) const {
    std::u16string words;
    if (file_ && text.number != NoLanguageNumber && file_->ReadLanguageText(text.number, words))
        return words;
    return std::u16string(text.english);
}

std::u16string Texts::plainText(const UiText& text) const {
    return WithoutAccelerators(this->text(text));
}

std::u16string Texts::keyLabelName(int key, std::u16string_view label) const {
    std::u16string name = text(KeyNumberName);
    const std::string digits = std::to_string(key + 1);
    const std::u16string number(digits.begin(), digits.end());
    for (auto at = name.find(u"%1"); at != std::u16string::npos; at = name.find(u"%1", at))
        name.replace(at, 2, number);
    return label.empty() ? name : name + u": " + std::u16string(label);
}

std::u16string Texts::overwriteQuestion() const {
    if (!file_)
        return std::u16string(OverwriteQuestionText);
    // The platform's own words where it has them (Windows' shell), else the built-in ones.
    if (std::u16string shell = ShellOverwriteQuestion(); !shell.empty())
        return shell;
    const int id = languageId();
    switch (id & 0x3FF) { // the primary language
    case 0x07:
        return u"Eine Datei mit diesem Namen ist bereits vorhanden. Geben Sie einen anderen "
               u"Dateinamen an.";
    case 0x0C:
        return u"Un fichier portant ce nom existe déjà. Indiquez un autre nom de fichier.";
    case 0x0A:
        return u"Ya existe un archivo con ese nombre. Especifique otro nombre de archivo.";
    case 0x10:
        return u"Esiste già un file con questo nome. Specificare un nome file diverso.";
    case 0x11:
        return u"その名前のファイルは既に存在します。別のファイル名を指定してください。";
    case 0x12:
        return u"같은 이름의 파일이 이미 있습니다. 다른 파일 이름을 지정하십시오.";
    case 0x04:
        return id == 2052 || id == 4100 ? u"已存在同名文件。请指定其他文件名。"
                                        : u"已有同名的檔案。請指定其他檔案名稱。";
    default:
        return std::u16string(OverwriteQuestionText);
    }
}

std::u16string WithoutAccelerators(std::u16string_view text) {
    std::u16string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != u'&' || (i + 1 < text.size() && text[i + 1] == u'&'))
            plain += text[i];
    return plain;
}

} // namespace pad
