#pragma once
// An AssignmentView and MacroListObserver that records the names of the calls it receives, in
// order, and whether ModifiedFlag was already set when the caption was marked.

#include "editing/Assignment.h"
#include "editing/MacroFlows.h"

#include <string>
#include <vector>

namespace pad {

struct RecordingView : AssignmentView, MacroListObserver {
    explicit RecordingView(const Workspace& workspace) : ws(workspace) {}

    void RefreshKeyLabels() override { calls.push_back("RefreshKeyLabels"); }
    void RefreshSlotCaptions() override { calls.push_back("RefreshSlotCaptions"); }
    void UpdateMenuChecks() override { calls.push_back("UpdateMenuChecks"); }
    void MacroListChanged() override { calls.push_back("MacroListChanged"); }
    void MarkModified() override {
        calls.push_back("MarkModified");
        flagAtMark = ws.document.modifiedFlag;
    }

    const Workspace& ws;
    std::vector<std::string> calls;
    bool flagAtMark = false;
};

} // namespace pad
