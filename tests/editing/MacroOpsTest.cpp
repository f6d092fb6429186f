#include "editing/MacroOps.h"
#include "editing/MacroFlows.h"
#include "tests/support/RecordingView.h"
#include "tests/support/TiedMacros.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

using test::MacroActionOf;

// The three tied macros, and a single key at (1,4).
class MacroOpsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::AddThreeTiedMacros(ws.profile);
        ws.profile.slot(1, 4).action = KeyAction::direct(0x10);
        ws.profile.setKind(1, 4, KindSingleKey);
    }

    Workspace ws;
    RecordingView view{ws};
};

TEST_F(MacroOpsTest, DeleteMacroOneEmptiesItsSlotsAndRenumbersLaterKinds) {
    DeleteMacro(ws, 1);
    ASSERT_EQ(ws.profile.macros().count(), 2u);
    EXPECT_EQ(ws.profile.macros().macroAt(1).name, u"Two");
    for (auto [mode, key] : {std::pair{0, 1}, std::pair{2, 5}}) {
        const KeySlot& s = ws.profile.slot(mode, key);
        EXPECT_EQ(s.action, KeyAction::empty());
        EXPECT_EQ(s.label, u"Macro Disappear");
        EXPECT_EQ(ws.profile.kindOf(mode, key), KindNone);
    }
    EXPECT_EQ(ws.profile.kindOf(0, 0), 10);
    EXPECT_EQ(ws.profile.kindOf(1, 3), 11);
    EXPECT_EQ(ws.profile.kindOf(1, 4), KindSingleKey);
    EXPECT_TRUE(ws.document.modifiedFlag);
}

TEST_F(MacroOpsTest, DeleteWithoutSelectionChangesNothingButMarksModified) {
    const Profile before = ws.profile;
    DeleteMacro(ws, std::nullopt);
    EXPECT_EQ(ws.profile, before);
    EXPECT_TRUE(ws.document.modifiedFlag);
}

TEST_F(MacroOpsTest, ReplaceMovesMacroToTheEndWithItsKeys) {
    const KeyAction edited = MacroActionOf(0x04, RepeatWhileHeld);
    EXPECT_EQ(ReplaceMacro(ws, 0, u"Zero edited", edited), 2u);
    const auto& macros = ws.profile.macros();
    ASSERT_EQ(macros.count(), 3u);
    EXPECT_EQ(macros.macroAt(0).name, u"One");
    EXPECT_EQ(macros.macroAt(1).name, u"Two");
    EXPECT_EQ(macros.macroAt(2), (MacroRecord{u"Zero edited", edited}));
    EXPECT_EQ(ws.profile.kindOf(0, 0), 12);
    EXPECT_EQ(ws.profile.slot(0, 0), (KeySlot{edited, u"Zero edited"}));
    EXPECT_EQ(ws.profile.kindOf(0, 1), 10);
    EXPECT_EQ(ws.profile.kindOf(2, 5), 10);
    EXPECT_EQ(ws.profile.kindOf(1, 3), 11);
    EXPECT_EQ(ws.profile.slot(1, 3).label, u"Two");
}

TEST_F(MacroOpsTest, ReplaceOfTheLastMacroKeepsItLast) {
    EXPECT_EQ(ReplaceMacro(ws, 2, u"two", MacroActionOf(0x05, PlayOnce)), 2u);
    EXPECT_EQ(ws.profile.kindOf(1, 3), 12);
    EXPECT_EQ(ws.profile.slot(1, 3).label, u"two");
}

TEST_F(MacroOpsTest, AssignGivesTheSelectedSlotNameBytesAndKind) {
    ws.selection = {1, 5};
    EXPECT_TRUE(AssignMacroToCurrentKey(ws, view, 1));
    EXPECT_EQ(ws.profile.slot(1, 5), (KeySlot{MacroActionOf(0x02, RepeatWhileHeld), u"One"}));
    EXPECT_EQ(ws.profile.kindOf(1, 5), 11);
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"RefreshSlotCaptions", "MarkModified"}));
}

TEST_F(MacroOpsTest, NewKeyMacroIsPlayedByTheKeyUnlessItsNameIsTaken) {
    ws.selection = {1, 4};
    const KeyAction recorded = MacroActionOf(0x06, RepeatUntilPressedAgain);
    // A taken name: the key gets action and name, keeps its kind; no macro is added.
    EXPECT_EQ(AssignNewMacroToCurrentKey(ws, view, u"one", recorded),
              KeyMacroResult::DuplicateName);
    EXPECT_EQ(ws.profile.slot(1, 4), (KeySlot{recorded, u"one"}));
    EXPECT_EQ(ws.profile.kindOf(1, 4), KindSingleKey);
    EXPECT_EQ(ws.profile.macros().count(), 3u);
    EXPECT_TRUE(ws.document.modifiedFlag);

    EXPECT_EQ(AssignNewMacroToCurrentKey(ws, view, u"Three", recorded), KeyMacroResult::Assigned);
    EXPECT_EQ(ws.profile.macros().macroAt(3), (MacroRecord{u"Three", recorded}));
    EXPECT_EQ(ws.profile.slot(1, 4), (KeySlot{recorded, u"Three"}));
    EXPECT_EQ(ws.profile.kindOf(1, 4), 13);
    // The caption mark is left to the dialog's closing.
    EXPECT_EQ(view.calls, (std::vector<std::string>{"RefreshSlotCaptions", "RefreshSlotCaptions"}));
}

TEST_F(MacroOpsTest, NewMacroNamesAreComparedWithoutLetterCase) {
    EXPECT_EQ(CheckNewMacro(ws.profile.macros(), u"one"), NewMacroCheck::DuplicateName);
    EXPECT_EQ(AddNewMacro(ws, u"ONE", MacroActionOf(0x06, PlayOnce)), NewMacroCheck::DuplicateName);
    EXPECT_EQ(ws.profile.macros().count(), 3u);
    EXPECT_FALSE(ws.document.modifiedFlag);
    EXPECT_EQ(AddNewMacro(ws, u"Three", MacroActionOf(0x06, PlayOnce)), NewMacroCheck::Ok);
    EXPECT_EQ(ws.profile.macros().macroAt(3).name, u"Three");
    EXPECT_TRUE(ws.document.modifiedFlag);
}

using Calls = std::vector<std::string>;

// OK in the Macro Editor: a taken name keeps the dialog open and the macro list as it
// is; a stored macro tells the window once.
TEST_F(MacroOpsTest, EditorOkStoresTheMacroOrStaysOpenOnATakenName) {
    ws.selection = {1, 4};
    const KeyAction recorded = MacroActionOf(0x06, RepeatUntilPressedAgain);
    EXPECT_EQ(OkKeyMacro(ws, view, view, u"one", recorded, true), MacroOk::DuplicateName);
    EXPECT_EQ(ws.profile.slot(1, 4), (KeySlot{recorded, u"one"})); // the key has them all the same
    EXPECT_EQ(OkKeyMacro(ws, view, view, u"Fire", recorded, true), MacroOk::Done);
    EXPECT_EQ(ws.profile.kindOf(1, 4), 13);
    EXPECT_EQ(view.calls,
              (Calls{"RefreshSlotCaptions", "RefreshSlotCaptions", "MacroListChanged"}));

    view.calls.clear();
    const KeyAction salvo = MacroActionOf(0x09, RepeatWhileHeld);
    EXPECT_EQ(OkNewMacro(ws, view, u"FIRE", salvo), MacroOk::DuplicateName);
    EXPECT_EQ(ws.profile.macros().count(), 4u);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(OkNewMacro(ws, view, u"Salvo", salvo), MacroOk::Done);
    EXPECT_EQ(ws.profile.macros().macroAt(4), (MacroRecord{u"Salvo", salvo}));
    EXPECT_EQ(view.calls, (Calls{"MacroListChanged"}));
}

TEST_F(MacroOpsTest, EditorOkReplacesTheEditedMacro) {
    // Equal names are accepted when editing; the macro moves to the end with its keys.
    const MacroOkOutcome edited =
        OkEditMacro(ws, view, 0, u"two", MacroActionOf(0x04, RepeatWhileHeld));
    EXPECT_EQ(edited.result, MacroOk::Done);
    EXPECT_EQ(edited.macro, 2u);
    EXPECT_EQ(ws.profile.slot(0, 0), (KeySlot{MacroActionOf(0x04, RepeatWhileHeld), u"two"}));
    EXPECT_EQ(ws.profile.kindOf(0, 0), 12);
    EXPECT_EQ(view.calls, (Calls{"MacroListChanged"}));
}

TEST_F(MacroOpsTest, AssignInTheManagerMovesTheMacroAndGivesItToTheKey) {
    ws.selection = {1, 5};
    const Profile before = ws.profile;
    EXPECT_FALSE(AssignFromManager(ws, view, view, std::nullopt));
    EXPECT_EQ(ws.profile, before);

    const auto assigned = AssignFromManager(ws, view, view, 0);
    ASSERT_TRUE(assigned);
    EXPECT_EQ(assigned->macro, 2u);
    EXPECT_EQ(ws.profile.macros().macroAt(2).name, u"Zero");
    EXPECT_EQ(ws.profile.slot(1, 5), (KeySlot{MacroActionOf(0x01, PlayOnce), u"Zero"}));
    EXPECT_EQ(ws.profile.kindOf(1, 5), 12);
    EXPECT_EQ(ws.profile.kindOf(0, 0), 12);
    EXPECT_EQ(ws.profile.kindOf(0, 1), 10);
    EXPECT_EQ(view.calls, (Calls{"MacroListChanged", "RefreshSlotCaptions", "MarkModified"}));

    view.calls.clear();
    DeleteFromManager(ws, view, std::nullopt);
    EXPECT_EQ(view.calls, (Calls{"MacroListChanged"}));
}

TEST(MacroOpsFull, NewMacroBeyondTheCapIsRefusedAndNothingChanges) {
    Workspace ws;
    auto& macros = ws.profile.macros();
    for (std::size_t i = 0; i < MacroList::MaxCount; ++i)
        macros.append({u"m" + std::u16string(1, char16_t(u'A' + i % 26)), KeyAction::empty()});
    ASSERT_TRUE(macros.full());
    EXPECT_EQ(CheckNewMacro(macros, u"fresh name"), NewMacroCheck::ListFull);
    EXPECT_EQ(AddNewMacro(ws, u"fresh name", KeyAction::empty()), NewMacroCheck::ListFull);
    EXPECT_EQ(macros.count(), MacroList::MaxCount);
    EXPECT_FALSE(ws.document.modifiedFlag);
    // Editing a macro that no key plays still works at the cap: it moves, the count stays.
    EXPECT_EQ(ReplaceMacro(ws, 0, u"edited", KeyAction::empty()), MacroList::MaxCount - 1);
    EXPECT_EQ(macros.count(), MacroList::MaxCount);
}

// A key stores its macro's kind, 10 + index, in 16 bits: it can play macros 0 to 65,525.
TEST(MacroOpsFull, KeysPlayOnlyMacrosWhoseKindFitsSixteenBits) {
    Workspace ws;
    auto& macros = ws.profile.macros();
    for (std::size_t i = 0; i < 65527; ++i)
        macros.append({u"m", KeyAction::empty()});
    ws.selection = {1, 2};
    RecordingView view{ws};
    EXPECT_FALSE(AssignMacroToCurrentKey(ws, view, 65526));
    EXPECT_EQ(ws.profile.kindOf(1, 2), KindNone);
    EXPECT_FALSE(ws.document.modifiedFlag);
    EXPECT_TRUE(AssignMacroToCurrentKey(ws, view, 65525));
    EXPECT_EQ(ws.profile.kindOf(1, 2), 0xFFFF);

    // Editing the macro the key plays moves it to index 65,526: refused, nothing changes.
    EXPECT_FALSE(MovedMacroAssignable(macros));
    const Profile before = ws.profile;
    EXPECT_FALSE(ReplaceMacro(ws, 65525, u"edited", KeyAction::direct(0x04)));
    EXPECT_EQ(ws.profile, before);
    // With one macro fewer it lands on 65,525, which the key still reaches.
    DeleteMacro(ws, 0);
    EXPECT_TRUE(MovedMacroAssignable(macros));
    EXPECT_EQ(ReplaceMacro(ws, 65524, u"edited", KeyAction::direct(0x04)), 65525u);
    EXPECT_EQ(ws.profile.kindOf(1, 2), 0xFFFF);
    EXPECT_EQ(ws.profile.slot(1, 2).label, u"edited");
}

// Assign and an edit that would move a played macro out of the keys' reach are
// refused before anything changes, and the window hears of nothing.
TEST(MacroOpsFull, ManagerAndEditorRefuseToMoveAMacroOutOfTheKeysReach) {
    Workspace ws;
    auto& macros = ws.profile.macros();
    for (std::size_t i = 0; i < 65527; ++i)
        macros.append({u"m", KeyAction::empty()});
    ws.profile.setKind(1, 1, KindMacroBase); // a key plays macro 0
    ws.selection = {2, 2};
    RecordingView view{ws};
    const Profile before = ws.profile;
    EXPECT_EQ(AssignFromManager(ws, view, view, 0)->result, MacroOk::NotAssignable);
    EXPECT_EQ(OkEditMacro(ws, view, 0, u"m", KeyAction::empty()).result, MacroOk::NotAssignable);
    EXPECT_EQ(ws.profile, before);
    EXPECT_TRUE(view.calls.empty());
}

} // namespace
} // namespace pad
