#include "editing/edit_controller.h"

#include "display/app_state.h"
#include "display/main_window.h"
#include "display/weather_lists.h"
#include "editing/edit_dialog.h"
#include "editing/layer_edit.h"
#include "link/request_batch.h"
#include "link/supervision.h"
#include "platform/dialog.h"
#include "platform/ui.h"
#include "weather/exchange.h"

namespace {

// Each dialog opens over the list that follows the edited one; the last one, which has
// none, over the main window.
WindowHandle DialogPlaceBy(int32_t list) {
    if (list + 1 < LIST_COUNT && WeatherLists[list + 1] != 0) return WeatherLists[list + 1];
    return MainWindow;
}

bool ConfirmDelete() {
    return PlatformMessageBox(MainWindow, "Delete selected entry?", "Confirm delete!",
                              PLATFORM_MB_YESNO | PLATFORM_MB_ICONQUESTION) == PLATFORM_IDYES;
}

void WriteBack() {
    QueueWriteBack();
    LastStamp = 0;
}

void ApplyStationOutcome() {
    const uint8_t* icao = Request.Bytes + SRQ_ICAO;
    LastStamp = 0;
    if (icao[0] == 0) {
        CurrentMode = MODE_AIRCRAFT;
        return;
    }
    CurrentMode = IcaoIsGlob(icao) ? MODE_GLOBAL : IcaoIsFourSpaces(icao) ? MODE_LOCATION : MODE_STATION;
    QueueStationRequest();
    if (CurrentMode == MODE_STATION) QueueRunwayRequest();
}

void DeleteEntry(int32_t list, int32_t row, int32_t rowCount) {
    if (!DeleteAllowed(CurrentBlock, static_cast<ListKind>(list), row, rowCount)) return;
    if (!ConfirmDelete()) return;
    DeleteLayer(CurrentBlock, static_cast<ListKind>(list), row);
    WriteBack();
}

void EditEntry(int32_t list, int32_t row) {
    EditedList = list;
    EditedRow = row;
    int result = PlatformRunDialog(EditTemplateName(list), MainWindow, DialogPlaceBy(list), EditDialogHooks);
    // A dialog that could not be shown left the record as it was: nothing to apply.
    if (result != PLATFORM_DIALOG_OK) return;
    if (list == LIST_STATION) {
        ApplyStationOutcome();
        return;
    }
    if (InsertFlag)
        InsertLayer(CurrentBlock, static_cast<ListKind>(list), row, EditRecord);
    else
        ReplaceLayer(CurrentBlock, static_cast<ListKind>(list), row, EditRecord);
    // Written back even when the array was full or the row held no entry.
    WriteBack();
}

void CloseEditAction() {
    LinkProcess();
    if (!AutoRefresh) PlatformStartTimer(MainWindow, TIMER_REFRESH_DUE, REFRESH_DUE_PERIOD_MS);
    Busy = false;
    EditListEntry(-1, ACTION_SELECT);
}

}  // namespace

void RunEditAction(int32_t list, int32_t action, int32_t row) {
    if (list < 0 || list >= LIST_COUNT) return;
    Busy = true;
    InsertFlag = false;
    int32_t rowCount = PlatformListRowCount(WeatherLists[list]);
    switch (action) {
        case ACTION_EDIT:
            EditEntry(list, row);
            break;
        case ACTION_INSERT:
            // The Pressure list has its one record only: an insertion there is an edit.
            InsertFlag = list != LIST_PRESSURE;
            EditEntry(list, row);
            break;
        case ACTION_DELETE:
            DeleteEntry(list, row, rowCount);
            break;
        default:
            break;
    }
    CloseEditAction();
}

int32_t EditActionForKey(int32_t list, int32_t virtualKey) {
    if (list < 0 || list >= LIST_COUNT) return -1;
    if (list == LIST_STATION) return virtualKey == VK_ENTER_KEY ? ACTION_EDIT : -1;
    bool editable = CurrentMode == MODE_GLOBAL || CurrentMode == MODE_STATION ||
                    (CurrentMode == MODE_AIRCRAFT && IcaoIsGlob(BlockIcao(CurrentBlock)));
    if (!editable) return -1;
    switch (virtualKey) {
        case VK_ENTER_KEY:
            return ACTION_EDIT;
        case VK_INSERT_KEY:
            return ACTION_INSERT;
        case VK_DELETE_KEY:
            return ACTION_DELETE;
        default:
            return -1;
    }
}

namespace {

void SendCommand(void (*queue)()) {
    if (Busy) return;
    Busy = true;
    queue();
    LastStamp = 0;
    LinkProcess();
    Busy = false;
}

}  // namespace

void SendClearAll() { SendCommand(QueueClearAll); }
void SendGlobal() { SendCommand(QueueGlobal); }
