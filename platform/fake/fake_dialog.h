// A fake dialog for the unit tests: field texts by control id, locks and the caption of
// the one open dialog, and a scripted run. A run calls the dialog's Open hook, lets the
// test "type" through a callback, then calls Accept when the scripted result is OK.
// Reset with FakeDialogReset().
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"

constexpr DialogHandle FAKE_DIALOG = 0xD1A1;

struct FakeDialogRun {
    std::string TemplateName;
    WindowHandle Owner;
    WindowHandle PlaceBy;
    // The dialog as it stood after Open, before anything was typed.
    std::map<int32_t, std::string> OpenedFields;
    std::vector<int32_t> OpenedLocks;
    std::string OpenedCaption;
};

struct FakeDialogState {
    std::map<int32_t, std::string> Fields;  // the open dialog's field texts
    std::vector<int32_t> Locks;             // control ids locked, in order
    std::string Caption;
    std::vector<int32_t> Reads;           // control ids read, in order
    int Result = PLATFORM_DIALOG_CANCEL;  // what the next runs end with
    // Called between Open and the end of a run; types into Fields.
    void (*Typing)(FakeDialogState& dialog, void* context) = nullptr;
    void* TypingContext = nullptr;
    std::vector<FakeDialogRun> Runs;
};

extern FakeDialogState FakeDialog;
void FakeDialogReset();
bool FakeFieldLocked(int32_t controlId);
