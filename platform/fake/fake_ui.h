// A fake window system for the unit tests: records what the logic asks of it and
// answers from values a test sets. Reset with FakeUiReset().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui.h"

struct FakeMessageBox {
    WindowHandle Owner;
    std::string Text;
    std::string Title;
    uint32_t Style;
};

struct FakeList {
    std::vector<std::vector<std::string>> Rows;  // cells by row, column
    int FocusedRow = -1;
    int SelectedRow = -1;
};

struct FakeUi {
    std::vector<FakeMessageBox> MessageBoxes;
    int MessageBoxResult = 1;  // IDOK
    std::vector<uint32_t> Beeps;
    WindowHandle Focus = 0;
    std::vector<WindowHandle> FocusLog;
    // Lists are addressed by their handle; handles 1..64 are valid fake windows.
    FakeList Lists[65];
    struct Timer {
        WindowHandle Window;
        uint32_t Id;
        uint32_t PeriodMs;
        int Starts;
        bool Running;
    };
    std::vector<Timer> Timers;
};

extern FakeUi Fake;
void FakeUiReset();
FakeList* FakeListOf(WindowHandle list);  // null for a handle that is no fake list
const FakeUi::Timer* FakeTimer(WindowHandle window, uint32_t id);
