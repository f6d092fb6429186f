#pragma once
// A scripted window for the document commands: answers questions from queues,
// keeps "files" in memory and records every call in order.

#include "editing/Document.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace pad::test {

struct FakePorts : DocumentPorts {
    Workspace* ws = nullptr;
    std::deque<bool> discardAnswers;
    std::deque<bool> keepAnswers;
    std::deque<std::optional<std::u16string>> openAnswers;
    std::deque<std::optional<std::u16string>> saveAnswers;
    std::map<std::u16string, Profile> files; // readable profiles by path
    std::vector<std::u16string> unreadable;  // paths whose load fails
    bool failWrites = false;
    std::vector<std::string> calls;
    std::u16string caption;
    std::u16string offeredOpen, offeredSave;

    bool AskDiscardChanges() override {
        calls.push_back("AskDiscard");
        bool a = discardAnswers.front();
        discardAnswers.pop_front();
        return a;
    }
    bool AskKeepExistingFile() override {
        calls.push_back("AskKeep");
        bool a = keepAnswers.front();
        keepAnswers.pop_front();
        return a;
    }
    std::optional<std::u16string> AskOpenPath(const std::u16string& offered) override {
        calls.push_back("AskOpen");
        offeredOpen = offered;
        auto a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
    std::optional<std::u16string> AskSavePath(const std::u16string& offered) override {
        calls.push_back("AskSave");
        offeredSave = offered;
        auto a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    bool PathExists(const std::u16string& path) override { return files.count(path) != 0; }
    bool SaveProfile(const std::u16string& path) override {
        calls.push_back("Save");
        if (failWrites) {
            calls.push_back("WriteFailedMessage");
            return false;
        }
        files[path] = ws->profile;
        return true;
    }
    bool LoadProfile(const std::u16string& path) override {
        calls.push_back("Load");
        auto it = files.find(path);
        if (it == files.end()) {
            calls.push_back("ReadFailedMessage");
            return false;
        }
        ws->profile = it->second;
        return true;
    }
    void ShowReadFailed(const std::u16string&) override { calls.push_back("ReadFailedMessage"); }
    void ShowWriteFailed(const std::u16string&) override { calls.push_back("WriteFailedMessage"); }
    void SetCaption(const std::u16string& c) override { caption = c; }
    void RefreshSlotCaptions() override { calls.push_back("Refresh"); }
    void RebuildMacroMenu() override { calls.push_back("RebuildMenu"); }
    void Beep() override { calls.push_back("Beep"); }
    void CloseMainWindow() override { calls.push_back("Close"); }
};

} // namespace pad::test
