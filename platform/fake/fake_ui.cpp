#include "platform/fake/fake_ui.h"

#include <cstring>

#include "display/main_window.h"

FakeUi Fake;

void FakeUiReset() { Fake = FakeUi(); }

FakeList* FakeListOf(WindowHandle list) { return list >= 1 && list <= 64 ? &Fake.Lists[list] : nullptr; }

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

bool FakeTimerRunning(WindowHandle window, uint32_t id) {
    const FakeUi::Timer* t = FakeTimer(window, id);
    return t && t->Running;
}

static void CopyText(const std::string& s, char* out, int outSize) {
    if (outSize <= 0) return;
    size_t n = s.size() < static_cast<size_t>(outSize - 1) ? s.size() : static_cast<size_t>(outSize - 1);
    std::memcpy(out, s.data(), n);
    out[n] = 0;
}

std::string FakeProfileValue(const std::string& path, const std::string& section, const std::string& key) {
    auto file = Fake.Files.find(path);
    if (file == Fake.Files.end()) return "";
    auto value = file->second.find(section + "/" + key);
    return value == file->second.end() ? "" : value->second;
}

std::vector<std::string> FakeFirstCells(WindowHandle list) {
    std::vector<std::string> cells;
    if (FakeList* l = FakeListOf(list))
        for (const auto& row : l->Rows) cells.push_back(row.empty() ? "" : row[0]);
    return cells;
}

void PlatformCheckMenuItem(WindowHandle, uint32_t id, bool checked) { Fake.Menu[id].Checked = checked; }
void PlatformEnableMenuItem(WindowHandle, uint32_t id, bool enabled) { Fake.Menu[id].Enabled = enabled; }

void PlatformSetWindowTitle(WindowHandle, const char* title) {
    Fake.Title = title ? title : "";
    Fake.TitleSets++;
}

void PlatformPostTick(WindowHandle) { Fake.PostedTicks++; }
void PlatformSendClose(WindowHandle) { Fake.SentCloses++; }

void PlatformDestroyWindow(WindowHandle window) {
    Fake.Destroyed.push_back(window);
    if (FakeList* l = FakeListOf(window)) l->Destroyed = true;
}

bool PlatformIsMaximizedOrMinimized(WindowHandle) { return Fake.MaximizedOrMinimized; }

bool PlatformClientSize(WindowHandle, int32_t* width, int32_t* height) {
    *width = Fake.ClientWidth;
    *height = Fake.ClientHeight;
    return true;
}

bool PlatformWindowRect(WindowHandle, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom) {
    *left = Fake.WindowLeft;
    *top = Fake.WindowTop;
    *right = Fake.WindowRight;
    *bottom = Fake.WindowBottom;
    return true;
}

void PlatformPlaceChild(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) {
    FakeList* l = FakeListOf(window);
    if (!l) return;
    l->X = x;
    l->Y = y;
    l->Width = width;
    l->Height = height;
    l->Placements++;
}

void PlatformPlaceTopLevel(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) {
    Fake.TopLevelPlacements.push_back({window, x, y, width, height});
}

void PlatformScreenSize(int32_t* width, int32_t* height) {
    *width = Fake.ScreenWidth;
    *height = Fake.ScreenHeight;
}

bool PlatformShiftDown() { return Fake.ShiftDown; }

WindowHandle PlatformCreateList(WindowHandle parent, int32_t x, int32_t y, int32_t width, int32_t height,
                                uint32_t* lastError) {
    int number = Fake.ListsCreated++;
    if (number == Fake.FailListCreation || number >= 64) {
        *lastError = Fake.FailListError;
        return 0;
    }
    *lastError = 0;
    WindowHandle handle = static_cast<WindowHandle>(number + 1);
    FakeList& l = Fake.Lists[handle];
    l = FakeList();
    l.Created = true;
    l.Parent = parent;
    l.X = x;
    l.Y = y;
    l.Width = width;
    l.Height = height;
    return handle;
}

bool PlatformListAddColumn(WindowHandle list, int32_t index, const char* header, int32_t width) {
    FakeList* l = FakeListOf(list);
    if (!l || index != static_cast<int32_t>(l->Columns.size())) return false;
    l->Columns.push_back({header ? header : "", width});
    return true;
}

void PlatformListHoldRedraw(WindowHandle list, bool hold) {
    FakeList* l = FakeListOf(list);
    if (l) l->RedrawHeld = hold;
}

void PlatformListDeleteAllRows(WindowHandle list) {
    FakeList* l = FakeListOf(list);
    if (!l) return;
    l->Rows.clear();
    l->FocusedRow = -1;
    l->SelectedRow = -1;
    l->Rebuilds++;
}

int PlatformListAddRow(WindowHandle list, const char* firstCell) {
    FakeList* l = FakeListOf(list);
    if (!l) return -1;
    std::string text = firstCell ? firstCell : "";
    // Sorted ascending by the first cell, as the real list keeps its rows; marks move with their rows.
    size_t at = 0;
    while (at < l->Rows.size() && l->Rows[at][0] <= text) at++;
    l->Rows.insert(l->Rows.begin() + static_cast<long>(at), std::vector<std::string>{text});
    int row = static_cast<int>(at);
    if (l->FocusedRow >= row) l->FocusedRow++;
    if (l->SelectedRow >= row) l->SelectedRow++;
    return row;
}

void PlatformListSetCell(WindowHandle list, int row, int column, const char* text) {
    FakeList* l = FakeListOf(list);
    if (!l || row < 0 || row >= static_cast<int>(l->Rows.size()) || column < 0) return;
    std::vector<std::string>& cells = l->Rows[row];
    if (static_cast<int>(cells.size()) <= column) cells.resize(column + 1);
    cells[column] = text ? text : "";
}

void PlatformReadProfileString(const char* path, const char* section, const char* key, char* out,
                               int outSize) {
    CopyText(FakeProfileValue(path, section, key), out, outSize);
}

bool PlatformWriteProfileString(const char* path, const char* section, const char* key, const char* value) {
    if (Fake.WritesFail) return false;
    Fake.Files[path][std::string(section) + "/" + key] = value;
    return true;
}

bool PlatformFileExists(const char* path) { return Fake.Files.count(path) != 0; }

bool PlatformEnsureDirectory(const char* path) {
    if (Fake.WritesFail) return false;
    Fake.Directories.push_back(path);
    return true;
}

bool PlatformAppDataDirectory(char* out, int outSize) {
    if (Fake.AppDataDirectory.empty() || static_cast<int>(Fake.AppDataDirectory.size()) >= outSize)
        return false;
    CopyText(Fake.AppDataDirectory, out, outSize);
    return true;
}

bool PlatformWindowsDirectory(char* out, int outSize) {
    if (Fake.WindowsDirectory.empty() || static_cast<int>(Fake.WindowsDirectory.size()) >= outSize)
        return false;
    CopyText(Fake.WindowsDirectory, out, outSize);
    return true;
}

void RunAboutBox() { Fake.AboutBoxes++; }
