// The six weather lists: their places in the main window, the Tab order, the
// current list and the entry steps of every list action with the action Select.
#pragma once

#include <cstdint>

#include "display/app_state.h"
#include "platform/kernel.h"

// Per mille of the main window's client area.
struct ListPlace {
    int32_t X;
    int32_t Y;
    int32_t Width;
    int32_t Height;
};

extern const ListPlace ListLayout[LIST_COUNT];       // indexed by ListKind
extern const int32_t NextListOnTab[LIST_COUNT];      // Tab
extern const int32_t PreviousListOnTab[LIST_COUNT];  // Shift+Tab

// The list's rectangle in a client area of width x height pixels, products truncated.
ListPlace ListPlaceInClient(int32_t kind, int32_t clientWidth, int32_t clientHeight);

// Creates the list of kind in the main window with its columns. 1 = created.
int CreateWeatherList(WindowHandle mainWindow, int32_t kind);
// The kind of a list window, or -1 when the window is none of the six lists.
int32_t ListKindOf(WindowHandle window);

// list: a ListKind, or -1 for CurrentList; action: an EditAction. Select gives the list
// the keyboard focus and marks its focused row; the other actions go on to the editor.
void EditListEntry(int32_t list, int32_t action);
// Gives the list (0..5) the keyboard focus and marks its row that carries the focus
// mark, row 0 when none, focused and selected. Returns that row, or -1 for a list that
// was never created: focusing no window would take the focus from every window.
int FocusListRow(int32_t kind);
// Moves the keyboard focus to the next list in the Tab order (the previous one when
// backwards) and makes it the current list.
void FocusNextList(int32_t kind, bool backwards);
