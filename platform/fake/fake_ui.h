// A fake window system for the unit tests: records what the logic asks of it and
// answers from values a test sets. Reset with FakeUiReset().
#pragma once

#include <cstdint>
#include <map>
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
    bool RedrawHeld = false;
    // Made by PlatformCreateList: its parent, place and columns.
    bool Created = false;
    bool Destroyed = false;
    WindowHandle Parent = 0;
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
    int Placements = 0;  // PlatformPlaceChild calls
    std::vector<std::pair<std::string, int32_t>> Columns;
    int Rebuilds = 0;  // PlatformListDeleteAllRows calls
};

struct FakeMenuItem {
    bool Checked = false;
    bool Enabled = true;
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

    // Main window side.
    std::map<uint32_t, FakeMenuItem> Menu;  // by command id
    std::string Title;
    int TitleSets = 0;
    int PostedTicks = 0;
    int SentCloses = 0;
    int AboutBoxes = 0;
    std::vector<WindowHandle> Destroyed;  // in the order of destruction
    bool MaximizedOrMinimized = false;
    int32_t ClientWidth = 889, ClientHeight = 556;
    int32_t WindowLeft = 100, WindowTop = 50, WindowRight = 1005, WindowBottom = 644;
    struct Placement {
        WindowHandle Window;
        int32_t X, Y, Width, Height;
    };
    std::vector<Placement> TopLevelPlacements;
    int32_t ScreenWidth = 1024, ScreenHeight = 768;
    bool ShiftDown = false;
    // List creation: the next list gets the next free handle from 1; a creation whose
    // number (counted from 0) equals FailListCreation fails with FailListError.
    int ListsCreated = 0;
    int FailListCreation = -1;
    uint32_t FailListError = 0;

    // Settings files by path, then "section/key".
    std::map<std::string, std::map<std::string, std::string>> Files;
    std::vector<std::string> Directories;  // created by PlatformEnsureDirectory
    std::string AppDataDirectory = "C:\\Users\\pilot\\AppData\\Roaming";
    std::string WindowsDirectory = "C:\\windows";
    bool WritesFail = false;
};

extern FakeUi Fake;
void FakeUiReset();
FakeList* FakeListOf(WindowHandle list);  // null for a handle that is no fake list
const FakeUi::Timer* FakeTimer(WindowHandle window, uint32_t id);
bool FakeTimerRunning(WindowHandle window, uint32_t id);
// The stored value of key in section of the file, or "" (missing).
std::string FakeProfileValue(const std::string& path, const std::string& section, const std::string& key);
// The texts of the first cells of a list's rows, in row order.
std::vector<std::string> FakeFirstCells(WindowHandle list);
