#include "editing/Assignment.h"
#include "tests/support/RecordingView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pad {
namespace {

class AssignmentTest : public ::testing::Test {
  protected:
    void Select(int mode, int key) {
        ws.selection.currentMode = std::int16_t(mode);
        ws.selection.currentKey = std::int16_t(key);
    }
    Workspace ws;
    RecordingView view{ws};
};

TEST_F(AssignmentTest, DefaultWritesTheNativeKeyAfterAMacro) {
    Select(1, 3);
    KeyAction macro;
    for (int i = 0; i < 16; ++i)
        macro.events[std::size_t(i)] = KeyEvent(i + 1);
    macro.playMode = RepeatWhileHeld;
    ws.profile.macros().append({u"Combo", macro});
    ws.profile.slot(1, 3) = {macro, u"Combo"};
    ws.profile.setKind(1, 3, KindMacroBase);

    AssignDefault(ws, view);
    const KeySlot& slot = ws.profile.slot(1, 3);
    EXPECT_EQ(slot.action, KeyAction::direct(0x63)); // L-Ctrl, nothing of the macro left
    EXPECT_EQ(slot.label, u"L-Ctrl");
    EXPECT_EQ(ws.profile.kindOf(1, 3), KindDefault);
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"UpdateMenuChecks", "RefreshKeyLabels", "MarkModified"}));
    EXPECT_TRUE(view.flagAtMark);
    EXPECT_EQ(ws.profile.macros().count(), 1u);
    // Other slots stay as they were.
    EXPECT_EQ(ws.profile.kindOf(0, 3), KindNone);
    EXPECT_EQ(ws.profile.slot(2, 3).label, u"Normal");
}

TEST_F(AssignmentTest, DefaultKeepsTheEnglishNativeLabelUnderALanguage) {
    ws.language.macroOffLabel = u"Makro aus";
    Select(2, 11);
    AssignDefault(ws, view);
    EXPECT_EQ(ws.profile.slot(2, 11).label, u"M-Mouse");
    EXPECT_EQ(ws.profile.slot(2, 11).action, KeyAction::direct(0x74));
}

TEST_F(AssignmentTest, MacroOffEmptiesTheSlotAndKeepsTheMacro) {
    Select(0, 5);
    KeyAction macro = KeyAction::direct(0x10);
    macro.events[1] = 0x90;
    macro.playMode = PlayOnce;
    ws.profile.macros().append({u"A", KeyAction::empty()});
    ws.profile.macros().append({u"B", KeyAction::empty()});
    ws.profile.macros().append({u"Two", macro});
    ws.profile.slot(0, 5) = {macro, u"Two"};
    ws.profile.setKind(0, 5, KindMacroBase + 2);

    AssignMacroOff(ws, view);
    const KeySlot& slot = ws.profile.slot(0, 5);
    EXPECT_EQ(slot.action, KeyAction::empty());
    EXPECT_EQ(slot.label, u"Macro Off");
    EXPECT_EQ(ws.profile.kindOf(0, 5), KindMacroOff);
    EXPECT_EQ(ws.profile.macros().count(), 3u);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"RefreshSlotCaptions", "MarkModified"}));
}

TEST_F(AssignmentTest, MacroOffWritesTheLanguagesText) {
    ws.language.macroOffLabel = u"Makro aus";
    Select(1, 0);
    AssignMacroOff(ws, view);
    EXPECT_EQ(ws.profile.slot(1, 0).label, u"Makro aus");
}

TEST_F(AssignmentTest, AssignCutsLongLabelsAndCanLeaveTheMarkToTheCaller) {
    Select(2, 15);
    const std::u16string longLabel(300, u'k');
    Assign(ws, view, KeyAction::direct(0x73), longLabel, KindMouseButton,
           CaptionMark::AtDialogClose);
    EXPECT_EQ(ws.profile.slot(2, 15).label.size(), MaxTextUnits);
    EXPECT_EQ(ws.profile.kindAt(47), KindMouseButton);
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"RefreshSlotCaptions"}));
}

TEST_F(AssignmentTest, SetSlotKindChangesTheSelectedSlotAlone) {
    for (int mode = 0; mode < ModeCount; ++mode)
        for (int key = 0; key < KeysPerMode; ++key) {
            ws.profile = Profile{};
            Select(mode, key);
            SetSlotKind(ws, KindSingleKey);
            for (int m = 0; m < ModeCount; ++m)
                for (int k = 0; k < KeysPerMode; ++k)
                    EXPECT_EQ(ws.profile.kindOf(m, k),
                              m == mode && k == key ? KindSingleKey : KindNone)
                        << mode << "," << key << " set; " << m << "," << k << " read";
        }
}

} // namespace
} // namespace pad
