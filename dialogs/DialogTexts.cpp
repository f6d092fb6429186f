#include "dialogs/DialogTexts.h"

#include "texts/Texts.h"

#include <QWidget>

namespace pad {

bool ApplyLanguageFont(QWidget& widget, const DialogHost& host) {
    if (!host.LanguageActive())
        return false;
    widget.setFont(host.LanguageFont());
    return true;
}

QString RunTimeText(const DialogHost& host, const UiText& text) {
    QString words;
    return host.LanguageActive() && host.ReadLanguageText(text.number, words) ? words
                                                                              : BuiltIn(text);
}

QString WithoutAccelerators(const QString& text) {
    return FromU16(WithoutAccelerators(ToU16(text)));
}

} // namespace pad
