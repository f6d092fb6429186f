#pragma once
// CoolBar1: the tool bar strip at the top of the main window, with the document and
// help buttons and PadLink's presence on ToolBar1, and the four mode buttons on
// ToolBar2. The main window connects the buttons to its commands.

#include "app/LanguageSetup.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QToolBar;
class QToolButton;

namespace pad {

class ToolBarStrip : public QWidget {
    Q_OBJECT
  public:
    static constexpr int StripHeight = 29;

    // The texts come from language, when it holds them, from ApplyLanguage on.
    ToolBarStrip(QWidget* parent, int width, const LanguageSetup& language);
    // Grows the strip, its buttons and their icons from layout pixels by scale.
    void SetScale(qreal scale);

    // Shows the texts of the language file in force.
    void ApplyLanguage();

    // The mode button of a view mode: ToolButton8 for Normal (-1), ToolButton1 to 3
    // for Modes A to C (0-2).
    QToolButton* ModeButton(int viewMode) const;
    // PadLink's last presence message (0: none yet), shown beside the buttons.
    void ShowKeypadPresence(std::uint32_t message);

    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QToolButton* ToolButton4 = nullptr;  // New
    QToolButton* ToolButton5 = nullptr;  // Open
    QToolButton* ToolButton6 = nullptr;  // Save
    QToolButton* ToolButton7 = nullptr;  // Help
    QToolButton* ToolButton10 = nullptr; // sound settings
    QToolButton* ToolButton8 = nullptr;  // Normal mode
    QToolButton* ToolButton1 = nullptr;  // Mode A
    QToolButton* ToolButton2 = nullptr;  // Mode B
    QToolButton* ToolButton3 = nullptr;  // Mode C

  private:
    void BuildToolBar1();
    void BuildToolBar2(int width);

    int width_;
    QWidget* gap_ = nullptr;
    const LanguageSetup& language_;
    QLabel* presence_ = nullptr;
    std::uint32_t presenceMessage_ = 0;
};

} // namespace pad
