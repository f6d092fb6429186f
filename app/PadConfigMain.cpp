#include "app/PadConfigMain.h"

#include "app/KeyedBitmap.h"
#include "app/TForm1.h"
#include "devicelink/WindowMessage.h"
#include "profile/FileSystemName.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QStyleFactory>

#include <algorithm>
#include <exception>
#include <string_view>
#include <vector>

namespace pad {
namespace {

// A dark look that suits the keypad picture in every mode colour.
void ApplyLook(QApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2e, 0x33));
    p.setColor(QPalette::WindowText, QColor(0xe6, 0xe8, 0xeb));
    p.setColor(QPalette::Base, QColor(0x1e, 0x20, 0x24));
    p.setColor(QPalette::AlternateBase, QColor(0x26, 0x29, 0x2e));
    p.setColor(QPalette::Text, QColor(0xe6, 0xe8, 0xeb));
    p.setColor(QPalette::Button, QColor(0x33, 0x37, 0x3d));
    p.setColor(QPalette::ButtonText, QColor(0xe6, 0xe8, 0xeb));
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xfb, 0xe6));
    p.setColor(QPalette::ToolTipText, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::Highlight, QColor(0x2f, 0x9b, 0xd6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x4f, 0xc3, 0xf7));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x84, 0x8a));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x84, 0x8a));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x84, 0x8a));
    app.setPalette(p);
}

} // namespace

int RunPadConfig(int argc, char** argv, const DeviceLinkPort& deviceLink) {
    // Qt takes its own options (-reverse, -style, ...) out of the arguments it gets.
    // It gets only those before "--", so `padconfig -- FILE` opens FILE whatever its
    // name; "--" itself names nothing.
    int separator = std::min(argc, 1);
    while (separator < argc && std::string_view(argv[separator]) != "--")
        ++separator;
    int qtArgc = separator;
    std::vector<char*> qtArgv(argv, argv + separator);
    qtArgv.push_back(nullptr);
    QApplication app(qtArgc, qtArgv.data());
    app.setApplicationName("Corvask 12");
    app.setOrganizationName("PadConfig");
    try {
        ApplyLook(app);
        app.setWindowIcon(QIcon(QPixmap::fromImage(KeyedToAlpha(LoadKeyedBitmap("icon")))));
        Workspace workspace;
        TForm1Options options;
        options.deviceLink = deviceLink;
        TForm1 form(workspace, options); // its dialogs are made when first needed
        form.show();

        // Linux hands the arguments over already split; the program's own path comes
        // first. The names keep their bytes, whatever their encoding. The window reads
        // them when the posted message arrives, after the message loop has started.
        for (int i = 0; i < qtArgc; ++i)
            form.PendingCommandLine.push_back(DecodeFileName(qtArgv[std::size_t(i)]));
        for (int i = separator + 1; i < argc; ++i)
            form.PendingCommandLine.push_back(DecodeFileName(argv[i]));
        WindowMessage::post(&form, OpenProfileMessage,
                            reinterpret_cast<std::uintptr_t>(&form.PendingCommandLine), 1);
        app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Corvask 12", QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

} // namespace pad
