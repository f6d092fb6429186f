#pragma once
// CoolBar1: the tool bar strip at the top of the main window, with the document and
// help buttons and PadLink's presence on ToolBar1, and the four mode buttons on
// ToolBar2. The main window connects the buttons to its commands.

#include "common/KeypadMode.h"
#include "texts/Texts.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QToolBar;
class QToolButton;

namespace pad {

struct MainMenus;
class PresenceLabel;

class ToolBarStrip : public QWidget {
    Q_OBJECT
  public:
    static constexpr int StripHeight = 29;

    // The texts come from texts, the texts of the language in force.
    ToolBarStrip(QWidget* parent, int width, const Texts& texts);
    // Places the strip, its bars and buttons and sizes their icons: layout pixels times scale.
    void SetScale(qreal scale);

    // Shows the texts of the language in force: the tips and names of the buttons and
    // the keypad's presence.
    void applyTexts();

    // The New, Open, Save and Help buttons trigger the menu's actions, and the mode
    // buttons trigger the mode actions and show which one is checked.
    void UseActions(const MainMenus& menus);

    // PadLink's last presence message (0: none yet), shown beside the buttons.
    void ShowKeypadPresence(std::uint32_t message);

    // Object names: ToolButton4, 5, 6, 7, 10 on ToolBar1; ToolButton8 (Normal) and
    // ToolButton1 to 3 (Modes A to C) on ToolBar2.
    QToolButton* NewButton() const { return newButton_; }
    QToolButton* OpenButton() const { return openButton_; }
    QToolButton* SaveButton() const { return saveButton_; }
    QToolButton* HelpButton() const { return helpButton_; }
    QToolButton* SoundButton() const { return soundButton_; }
    QToolButton* ModeButton(KeypadMode mode) const { return modeButtons_[std::size_t(mode)]; }

  private:
    void BuildDocumentBar();
    void BuildModeBar();

    int width_;
    QToolBar* documentBar_ = nullptr; // ToolBar1
    QToolBar* modeBar_ = nullptr;     // ToolBar2
    QToolButton* newButton_ = nullptr;
    QToolButton* openButton_ = nullptr;
    QToolButton* saveButton_ = nullptr;
    QToolButton* helpButton_ = nullptr;
    QToolButton* soundButton_ = nullptr;
    std::array<QToolButton*, KeypadModes.size()> modeButtons_{};
    QWidget* gap_ = nullptr; // ToolButton9, the separator
    const Texts& texts_;
    PresenceLabel* presence_ = nullptr;
    std::uint32_t presenceMessage_ = 0;
};

} // namespace pad
