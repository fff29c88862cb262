// The six edit dialogs' logic: caption, prefill from the list's cells, locked fields,
// and the read-back on OK into the EditRecord or the StationRequest. The platform runs
// the dialog window and calls EditDialogHooks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "editing/layer_edit.h"
#include "platform/dialog.h"

// Dialog inputs, set by the edit controller before it runs a dialog.
extern int32_t EditedList;  // a ListKind: which template, prefill and read-back
extern int32_t EditedRow;   // the row edited, or before which a new entry goes
extern bool InsertFlag;     // a new entry (fields start empty) rather than the selected one

// One layer record as the dialog read it, at offset 0; bytes no field fills stay 0.
extern uint8_t EditRecord[EDIT_RECORD_SIZE];

// Cells are read into buffers of this size; fields hold at most FIELD_TEXT_LIMIT characters.
constexpr int PREFILL_CELL_SIZE = 63;
constexpr size_t EDIT_CAPTION_SIZE = 64;

// "VISEDIT" ... "WNDEDIT" by ListKind; null for a list that has none.
const char* EditTemplateName(int32_t list);
// The template's own caption ("Wind Layer"); null for a list that has none.
const char* EditTemplateCaption(int32_t list);
// "Edit " or "Insert " followed by the template's caption; false when it does not fit.
bool ComposeEditCaption(int32_t list, bool insert, char* out, size_t outSize);

// The field text a cell prefills, by list and column: the leading number, a Temperature
// 'C', the drift's "mb", the Cloud precipitation as one digit, the station identifier whole.
void PrefillText(int32_t list, int32_t column, const char* cell, char* out, size_t outSize);
// A position as the Station dialog shows it ("N53 21.45", "W002 4.32"), written so that
// it reads back: minutes that round to 60.00 carry into the degrees.
void FormatPositionField(double degrees, bool latitude, char* out, size_t outSize);

// Fills one field of the open dialog from the cell of EditedRow in column of EditedList.
void PrefillField(DialogHandle dialog, int32_t controlId, int32_t column);

// The dialog's initialisation: caption, prefill on Edit, locks.
void OpenEditDialog(DialogHandle dialog);
// OK: fills the EditRecord, or for the Station dialog the StationRequest and PositionValid.
void AcceptEditDialog(DialogHandle dialog);

extern const DialogHooks EditDialogHooks;

// Back to the values at start (tests).
void ResetEditDialogState();
