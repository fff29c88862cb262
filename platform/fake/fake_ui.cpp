#include "platform/fake/fake_ui.h"

#include <cstring>

FakeUi Fake;

void FakeUiReset() { Fake = FakeUi(); }

FakeList* FakeListOf(WindowHandle list) {
    return list >= 1 && list <= 64 ? &Fake.Lists[list] : nullptr;
}

const FakeUi::Timer* FakeTimer(WindowHandle window, uint32_t id) {
    for (const FakeUi::Timer& t : Fake.Timers)
        if (t.Window == window && t.Id == id) return &t;
    return nullptr;
}

int PlatformMessageBox(WindowHandle owner, const char* text, const char* title, uint32_t style) {
    Fake.MessageBoxes.push_back({owner, text ? text : "", title ? title : "", style});
    return Fake.MessageBoxResult;
}

void PlatformBeep(uint32_t type) { Fake.Beeps.push_back(type); }

int PlatformListFocusedRow(WindowHandle list) {
    FakeList* l = FakeListOf(list);
    return l ? l->FocusedRow : -1;
}

void PlatformListMarkRow(WindowHandle list, int row) {
    FakeList* l = FakeListOf(list);
    if (!l || row < 0 || row >= static_cast<int>(l->Rows.size())) return;
    l->FocusedRow = row;
    l->SelectedRow = row;
}

void PlatformSetFocus(WindowHandle window) {
    Fake.Focus = window;
    Fake.FocusLog.push_back(window);
}

int PlatformListRowCount(WindowHandle list) {
    FakeList* l = FakeListOf(list);
    return l ? static_cast<int>(l->Rows.size()) : 0;
}

void PlatformListCellText(WindowHandle list, int row, int column, char* out, int outSize) {
    if (outSize <= 0) return;
    out[0] = 0;
    FakeList* l = FakeListOf(list);
    if (!l || row < 0 || row >= static_cast<int>(l->Rows.size()) || column < 0 ||
        column >= static_cast<int>(l->Rows[row].size()))
        return;
    const std::string& s = l->Rows[row][column];
    size_t n = s.size() < static_cast<size_t>(outSize - 1) ? s.size() : static_cast<size_t>(outSize - 1);
    std::memcpy(out, s.data(), n);
    out[n] = 0;
}

void PlatformStartTimer(WindowHandle window, uint32_t id, uint32_t periodMs) {
    for (FakeUi::Timer& t : Fake.Timers)
        if (t.Window == window && t.Id == id) {
            t.PeriodMs = periodMs;
            t.Starts++;
            t.Running = true;
            return;
        }
    Fake.Timers.push_back({window, id, periodMs, 1, true});
}

void PlatformStopTimer(WindowHandle window, uint32_t id) {
    for (FakeUi::Timer& t : Fake.Timers)
        if (t.Window == window && t.Id == id) t.Running = false;
}
