#include "look/PadLook.h"

#include "look/FocusRing.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace pad {

void ApplyLook(QApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
    const QColor text(0xe6, 0xe8, 0xeb);
    const QColor dimmed(0x80, 0x84, 0x8a);
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2e, 0x33));
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, QColor(0x1e, 0x20, 0x24));
    p.setColor(QPalette::AlternateBase, QColor(0x26, 0x29, 0x2e));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9f, 0xa6));
    p.setColor(QPalette::Button, QColor(0x33, 0x37, 0x3d));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xfb, 0xe6));
    p.setColor(QPalette::ToolTipText, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::Highlight, QColor(0x2f, 0x9b, 0xd6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x4f, 0xc3, 0xf7));
    p.setColor(QPalette::Disabled, QPalette::Text, dimmed);
    p.setColor(QPalette::Disabled, QPalette::WindowText, dimmed);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, dimmed);
    app.setPalette(p);
    FocusRing::Install();
}

} // namespace pad
