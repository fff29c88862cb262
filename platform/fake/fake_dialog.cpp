#include "platform/fake/fake_dialog.h"

#include <algorithm>
#include <cstring>

FakeDialogState FakeDialog;

void FakeDialogReset() { FakeDialog = FakeDialogState(); }

bool FakeFieldLocked(int32_t controlId) {
    return std::find(FakeDialog.Locks.begin(), FakeDialog.Locks.end(), controlId) != FakeDialog.Locks.end();
}

namespace {

void CopyOut(const std::string& text, char* out, int outSize) {
    if (outSize <= 0) return;
    size_t n = std::min(text.size(), static_cast<size_t>(outSize - 1));
    std::memcpy(out, text.data(), n);
    out[n] = 0;
}

}  // namespace

void PlatformGetFieldText(DialogHandle, int32_t controlId, char* out, int outSize) {
    FakeDialog.Reads.push_back(controlId);
    auto it = FakeDialog.Fields.find(controlId);
    CopyOut(it == FakeDialog.Fields.end() ? std::string() : it->second, out, outSize);
}

void PlatformSetFieldText(DialogHandle, int32_t controlId, const char* text) {
    FakeDialog.Fields[controlId] = text ? text : "";
}

void PlatformLockField(DialogHandle, int32_t controlId) { FakeDialog.Locks.push_back(controlId); }

void PlatformSetCaption(DialogHandle, const char* text) { FakeDialog.Caption = text ? text : ""; }

void PlatformGetCaption(DialogHandle, char* out, int outSize) { CopyOut(FakeDialog.Caption, out, outSize); }

int PlatformRunDialog(const char* templateName, WindowHandle owner, WindowHandle placeBy,
                      const DialogHooks& hooks) {
    FakeDialogRun run{templateName ? templateName : "", owner, placeBy, {}, {}, {}};
    if (FakeDialog.Result == PLATFORM_DIALOG_NOT_SHOWN) {
        FakeDialog.Runs.push_back(run);
        return PLATFORM_DIALOG_NOT_SHOWN;
    }
    FakeDialog.Fields.clear();
    FakeDialog.Locks.clear();
    FakeDialog.Caption.clear();
    FakeDialog.Reads.clear();
    if (hooks.Open) hooks.Open(FAKE_DIALOG);
    run.OpenedFields = FakeDialog.Fields;
    run.OpenedLocks = FakeDialog.Locks;
    run.OpenedCaption = FakeDialog.Caption;
    FakeDialog.Runs.push_back(run);
    if (FakeDialog.Typing) FakeDialog.Typing(FakeDialog, FakeDialog.TypingContext);
    if (FakeDialog.Result == PLATFORM_DIALOG_OK && hooks.Accept) hooks.Accept(FAKE_DIALOG);
    return FakeDialog.Result;
}
