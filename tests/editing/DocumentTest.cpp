#include "FakePorts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pad {
namespace {

using test::FakePorts;

int count(const std::vector<std::string>& calls, const std::string& what) {
    return int(std::count(calls.begin(), calls.end(), what));
}

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() { ports.ws = &ws; }

    // A profile on "disk" with one assigned slot and one macro.
    Profile StoredProfile() {
        Profile p;
        p.slot(1, 3).label = u"Jump";
        p.setKind(1, 3, KindMacroBase);
        p.macros().append({u"Jump", KeyAction::direct(0x29)});
        return p;
    }
    void Modify() {
        ws.profile.slot(0, 0).label = u"changed";
        ws.document.modifiedFlag = true;
        doc.MarkModified();
    }

    Workspace ws;
    FakePorts ports;
    Document doc{ws, ports};
};

TEST(FileNameOf, SplitsAtTheLastSlashOnly) {
    EXPECT_EQ(FileNameOf(u"/home/ann/keys/game.qd6"), u"game.qd6");
    EXPECT_EQ(FileNameOf(u"game.qd6"), u"game.qd6");
    EXPECT_EQ(FileNameOf(u"keys/"), u"");
    EXPECT_EQ(FileNameOf(u"C:\\keys\\game.qd6"),
              u"C:\\keys\\game.qd6"); // backslash is a name character
}

TEST(SaveAsPath, AppendsTheExtensionUnlessItEndsInLowerCaseQd6) {
    EXPECT_EQ(SaveAsPath(u"/tmp/profile"), u"/tmp/profile.qd6");
    EXPECT_EQ(SaveAsPath(u"/tmp/profile.QD6"), u"/tmp/profile.QD6.qd6");
    EXPECT_EQ(SaveAsPath(u"/tmp/profile.qd6"), u"/tmp/profile.qd6");
    EXPECT_EQ(SaveAsPath(u"qd6"), u"qd6.qd6");
}

TEST_F(DocumentTest, CaptionCarriesOneStarUntilRebuilt) {
    ports.files[u"/keys/game.qd6"] = StoredProfile();
    doc.OpenFromCommandLine({u"/usr/bin/padconfig", u"/keys/game.qd6"});
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6");
    Modify();
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6*");
    Modify();
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6*");
    doc.Save();
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6");
    EXPECT_FALSE(ws.document.modifiedFlag);
    EXPECT_FALSE(ws.document.captionMarked);
    EXPECT_EQ(ports.files[u"/keys/game.qd6"].slot(0, 0).label, u"changed");
}

TEST_F(DocumentTest, MarkModifiedDoesNothingWhileTheFlagIsClear) {
    doc.ResetCaption();
    doc.MarkModified();
    EXPECT_EQ(ports.caption, u"Corvask 12 - ");
}

TEST_F(DocumentTest, NewAsksOnlyWhenModifiedAndNoCancels) {
    ports.files[u"/keys/game.qd6"] = StoredProfile();
    doc.OpenFromCommandLine({u"padconfig", u"/keys/game.qd6"});
    Modify();
    ports.discardAnswers = {false};
    doc.New();
    EXPECT_EQ(ws.profile.slot(0, 0).label, u"changed");
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_EQ(ws.document.fileName, u"/keys/game.qd6");

    ports.discardAnswers = {true};
    doc.New();
    EXPECT_EQ(ws.profile, Profile(u"Normal"));
    EXPECT_FALSE(ws.document.modifiedFlag);
    EXPECT_TRUE(ws.document.fileName.empty());
    EXPECT_EQ(ports.caption, u"Corvask 12 - ");
    EXPECT_EQ(ports.calls.back(), "RebuildMenu");

    ports.calls.clear();
    doc.New(); // unmodified: no question
    EXPECT_EQ(count(ports.calls, "AskDiscard"), 0);
}

TEST_F(DocumentTest, NewUsesTheLanguagesWordForUnassignedSlots) {
    ws.language.freshLabel = u"Normal-DE";
    doc.New();
    EXPECT_EQ(ws.profile.slot(2, 15).label, u"Normal-DE");
}

TEST_F(DocumentTest, OpenLoadsAndNamesTheDocument) {
    ports.files[u"/keys/game.qd6"] = StoredProfile();
    ports.openAnswers = {u"/keys/game.qd6"};
    doc.Open();
    EXPECT_EQ(ws.profile, StoredProfile());
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6");
    EXPECT_EQ(ws.document.fileName, u"/keys/game.qd6");
    // The menu is rebuilt before the labels are refreshed.
    const auto rebuild = std::find(ports.calls.begin(), ports.calls.end(), "RebuildMenu");
    const auto refresh = std::find(ports.calls.begin(), ports.calls.end(), "Refresh");
    EXPECT_LT(rebuild, refresh);
}

TEST_F(DocumentTest, CancelledOpenKeepsEverythingAfterAConfirmedQuestion) {
    Modify();
    ports.discardAnswers = {true};
    ports.openAnswers = {std::nullopt};
    doc.Open();
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_EQ(ws.profile.slot(0, 0).label, u"changed");
    EXPECT_EQ(ports.caption, u"Corvask 12 - *");
}

TEST_F(DocumentTest, FailedOpenGivesAFreshUnnamedDocumentWithoutASecondQuestion) {
    Modify();
    ports.discardAnswers = {true};
    ports.openAnswers = {u"/keys/notes.txt"};
    doc.Open();
    EXPECT_EQ(count(ports.calls, "AskDiscard"), 1);
    EXPECT_EQ(count(ports.calls, "ReadFailedMessage"), 1);
    EXPECT_EQ(ws.profile, Profile(u"Normal"));
    EXPECT_EQ(ports.caption, u"Corvask 12 - ");
    EXPECT_TRUE(ws.document.fileName.empty());
    EXPECT_FALSE(ws.document.modifiedFlag);
}

TEST_F(DocumentTest, CommandLineWithoutAPathChangesNothing) {
    Modify();
    doc.OpenFromCommandLine({u"/usr/bin/padconfig"});
    EXPECT_TRUE(ports.calls.empty());
    EXPECT_TRUE(ws.document.modifiedFlag);
}

TEST_F(DocumentTest, CommandLineTakesTheLastArgumentWithoutAsking) {
    ports.files[u"/keys/b.qd6"] = StoredProfile();
    Modify();
    doc.OpenFromCommandLine({u"padconfig", u"/keys/a.qd6", u"/keys/b.qd6"});
    EXPECT_EQ(count(ports.calls, "AskDiscard"), 0);
    EXPECT_EQ(ws.profile, StoredProfile());
    EXPECT_EQ(ports.caption, u"Corvask 12 - b.qd6");
    EXPECT_EQ(ws.document.fileName, u"/keys/b.qd6");
}

TEST_F(DocumentTest, CommandLineWithAnUnreadableFileGivesAFreshProfile) {
    Modify();
    doc.OpenFromCommandLine({u"padconfig", u"/keys/broken.qd6"});
    EXPECT_EQ(count(ports.calls, "ReadFailedMessage"), 1);
    EXPECT_EQ(count(ports.calls, "AskDiscard"), 0);
    EXPECT_EQ(ws.profile, Profile(u"Normal"));
    EXPECT_EQ(ports.caption, u"Corvask 12 - ");
    EXPECT_TRUE(ws.document.fileName.empty());
}

TEST_F(DocumentTest, PathsLongerThan511UnitsAreRefusedAsUnreadable) {
    const std::u16string longest = u"/" + std::u16string(510, u'x');
    const std::u16string tooLong = longest + u"y";
    ports.files[longest] = StoredProfile();
    ports.files[tooLong] = StoredProfile();
    doc.OpenFromCommandLine({u"padconfig", tooLong});
    EXPECT_EQ(count(ports.calls, "Load"), 0);
    EXPECT_EQ(count(ports.calls, "ReadFailedMessage"), 1);
    EXPECT_EQ(ws.profile, Profile(u"Normal"));
    doc.OpenFromCommandLine({u"padconfig", longest});
    EXPECT_EQ(ws.profile, StoredProfile());
}

TEST_F(DocumentTest, SaveOnAnUnnamedDocumentIsSaveAs) {
    Modify();
    ports.saveAnswers = {u"/keys/new"};
    doc.Save();
    ASSERT_EQ(ports.files.count(u"/keys/new.qd6"), 1u);
    EXPECT_EQ(ports.caption, u"Corvask 12 - new.qd6");
    EXPECT_EQ(ws.document.fileName, u"/keys/new.qd6");
    EXPECT_FALSE(ws.document.modifiedFlag);
}

TEST_F(DocumentTest, FailedSaveKeepsTheFlagAndRebuildsTheCaption) {
    ports.files[u"/keys/game.qd6"] = StoredProfile();
    doc.OpenFromCommandLine({u"padconfig", u"/keys/game.qd6"});
    Modify();
    ports.failWrites = true;
    doc.Save();
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_TRUE(ws.document.captionMarked);
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6*");
    Modify();
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6*");

    // Save As to a new name and the overwrite answer No fail the same way.
    ports.saveAnswers = {u"/keys/new.qd6"};
    doc.SaveAs();
    EXPECT_EQ(ports.caption, u"Corvask 12 - new.qd6*");
    ports.files[u"/keys/old.qd6"] = StoredProfile();
    ports.saveAnswers = {u"/keys/old.qd6"};
    ports.keepAnswers = {false};
    doc.SaveAs();
    EXPECT_EQ(ports.caption, u"Corvask 12 - old.qd6*");
    EXPECT_TRUE(ws.document.captionMarked);
    Modify();
    EXPECT_EQ(ports.caption, u"Corvask 12 - old.qd6*");
}

TEST_F(DocumentTest, FailedSaveOfAnUnchangedProfileMarksItUnsaved) {
    // The named file may now be missing or cut short, so the profile is not saved there.
    ports.files[u"/keys/game.qd6"] = StoredProfile();
    doc.OpenFromCommandLine({u"padconfig", u"/keys/game.qd6"});
    ports.failWrites = true;
    ports.saveAnswers = {u"/keys/copy.qd6"};
    doc.SaveAs();
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_EQ(ports.caption, u"Corvask 12 - copy.qd6*");
}

TEST_F(DocumentTest, SaveAsOntoAnExistingFileYesWritesNothing) {
    ports.files[u"/keys/old.qd6"] = StoredProfile();
    Modify();
    ports.saveAnswers = {u"/keys/old.qd6"};
    ports.keepAnswers = {true};
    doc.SaveAs();
    EXPECT_EQ(ports.files[u"/keys/old.qd6"], StoredProfile());
    EXPECT_TRUE(ws.document.fileName.empty()); // was unnamed: stays unnamed
    EXPECT_TRUE(ws.document.modifiedFlag);
    EXPECT_EQ(count(ports.calls, "Beep"), 0);
}

TEST_F(DocumentTest, SaveAsOntoAnExistingFileNoOverwritesAndBeeps) {
    ports.files[u"/keys/old.qd6"] = StoredProfile();
    Modify();
    ports.saveAnswers = {u"/keys/old.qd6"};
    ports.keepAnswers = {false};
    doc.SaveAs();
    EXPECT_EQ(ports.files[u"/keys/old.qd6"].slot(0, 0).label, u"changed");
    EXPECT_EQ(count(ports.calls, "Beep"), 1);
    EXPECT_EQ(ports.caption, u"Corvask 12 - old.qd6");
    EXPECT_FALSE(ws.document.modifiedFlag);
}

TEST_F(DocumentTest, SaveAsYesOnANamedDocumentKeepsItsOwnName) {
    ports.files[u"/keys/game.qd6"] = StoredProfile();
    ports.files[u"/keys/other.qd6"] = StoredProfile();
    doc.OpenFromCommandLine({u"padconfig", u"/keys/game.qd6"});
    Modify();
    ports.saveAnswers = {u"/keys/other.qd6"};
    ports.keepAnswers = {true};
    doc.SaveAs();
    EXPECT_EQ(ports.offeredSave, u"/keys/game.qd6");
    EXPECT_EQ(ws.document.fileName, u"/keys/game.qd6");
    // The next Save writes the document's own file, never the declined one.
    doc.Save();
    EXPECT_EQ(ports.files[u"/keys/other.qd6"], StoredProfile());
    EXPECT_EQ(ports.files[u"/keys/game.qd6"].slot(0, 0).label, u"changed");
    EXPECT_EQ(ports.caption, u"Corvask 12 - game.qd6");
}

TEST_F(DocumentTest, ExitAndCloseQueryAskOnlyWithUnsavedChanges) {
    EXPECT_TRUE(doc.CloseQuery());
    Modify();
    ports.discardAnswers = {false};
    doc.Exit();
    EXPECT_EQ(count(ports.calls, "Close"), 0);
    EXPECT_TRUE(ws.document.modifiedFlag);

    ports.discardAnswers = {false};
    EXPECT_FALSE(doc.CloseQuery());
    ports.discardAnswers = {true};
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_FALSE(ws.document.modifiedFlag);

    Modify();
    ports.discardAnswers = {true};
    doc.Exit();
    EXPECT_EQ(count(ports.calls, "Close"), 1);
    EXPECT_TRUE(doc.CloseQuery()); // no second question
    EXPECT_EQ(count(ports.calls, "AskDiscard"), 4);
}

} // namespace
} // namespace pad
