#include "editing/edit_dialog.h"

#include <cstdio>
#include <cstring>

#include "display/app_state.h"
#include "editing/parse_field.h"
#include "link/byte_order.h"
#include "platform/ui.h"
#include "resources/dialog_ids.h"
#include "weather/exchange.h"
#include "weather/weather_block.h"

int32_t EditedList = 0;
int32_t EditedRow = 0;
bool InsertFlag = false;
uint8_t EditRecord[EDIT_RECORD_SIZE] = {};

namespace {

enum FieldLock : uint8_t {
    LOCK_NEVER = 0,
    LOCK_ON_EDIT = 1,
    LOCK_BELOW_FIRST_ROW = 2,  // on Edit and on Insert, when EditedRow is not 0
};

struct EditField {
    int32_t ControlId;
    int32_t Column;   // list column the Edit prefill reads
    uint32_t Offset;  // in the EditRecord
    uint8_t Width;    // bytes: 2, or 1 for the one-byte record fields
    int32_t Kind;
    FieldLock Lock;
};

constexpr int MAX_DIALOG_FIELDS = 11;

struct EditTemplate {
    const char* Name;
    const char* Caption;
    int FieldCount;
    EditField Fields[MAX_DIALOG_FIELDS];  // in the order the dialog lists them
    int ReadOrder[MAX_DIALOG_FIELDS];     // indexes into Fields, the order OK reads them
};

// Indexed by ListKind. The Station dialog's fields are handled on their own below.
constexpr EditTemplate EDIT_TEMPLATES[LIST_COUNT] = {
    {"VISEDIT",
     "Visibility Layer",
     3,
     {{IDC_VIS_LOWER_ALTITUDE, 1, VIS_LOWER_ALTITUDE, 2, FIELD_FEET, LOCK_NEVER},
      {IDC_VIS_UPPER_ALTITUDE, 2, VIS_UPPER_ALTITUDE, 2, FIELD_FEET, LOCK_NEVER},
      {IDC_VIS_RANGE, 3, VIS_RANGE, 2, FIELD_RANGE, LOCK_NEVER}},
     {0, 1, 2}},
    {"PRSEDIT",
     "Pressure (QNH) Settings",
     2,
     {{IDC_PRS_QNH, 1, PRS_QNH, 2, FIELD_QNH, LOCK_NEVER},
      {IDC_PRS_DRIFT, 2, PRS_DRIFT, 2, FIELD_DRIFT, LOCK_NEVER}},
     {0, 1}},
    {"TMPEDIT",
     "Temperature Layer",
     4,
     {{IDC_TMP_ALTITUDE, 1, TMP_ALTITUDE, 2, FIELD_FEET, LOCK_ON_EDIT},
      {IDC_TMP_DAY, 2, TMP_DAY, 2, FIELD_TEMPERATURE, LOCK_NEVER},
      {IDC_TMP_DAY_NIGHT_VARIATION, 3, TMP_DAY_NIGHT_VARIATION, 2, FIELD_TEMPERATURE_DIFF, LOCK_NEVER},
      {IDC_TMP_DEW_POINT, 4, TMP_DEW_POINT, 2, FIELD_TEMPERATURE, LOCK_NEVER}},
     {0, 1, 2, 3}},
    {"STNEDIT", "Station (blank=User, GLOB=Global)", 0, {}, {}},
    {"CLDEDIT",
     "Cloud Layer",
     11,
     {{IDC_CLD_LOWER_ALTITUDE, 1, CLD_LOWER_ALTITUDE, 2, FIELD_FEET, LOCK_ON_EDIT},
      {IDC_CLD_UPPER_ALTITUDE, 2, CLD_UPPER_ALTITUDE, 2, FIELD_FEET, LOCK_ON_EDIT},
      {IDC_CLD_DEVIATION, 3, CLD_DEVIATION, 2, FIELD_FEET, LOCK_NEVER},
      {IDC_CLD_COVER, 4, CLD_COVER, 1, -8, LOCK_NEVER},
      {IDC_CLD_TYPE, 5, CLD_TYPE, 1, -10, LOCK_NEVER},
      {IDC_CLD_TURBULENCE, 6, CLD_TURBULENCE, 1, -4, LOCK_NEVER},
      {IDC_CLD_ICING, 7, CLD_ICING, 1, -4, LOCK_NEVER},
      {IDC_CLD_PRECIP_TYPE, 8, CLD_PRECIP_TYPE, 1, FIELD_PRECIPITATION, LOCK_NEVER},
      {IDC_CLD_PRECIP_RATE, 9, CLD_PRECIP_RATE, 1, -5, LOCK_NEVER},
      {IDC_CLD_PRECIP_BASE, 10, CLD_PRECIP_BASE, 2, FIELD_FEET, LOCK_NEVER},
      {IDC_CLD_TOP_SHAPE, 11, CLD_TOP_SHAPE, 1, -10, LOCK_NEVER}},
     {1, 0, 2, 3, 4, 5, 6, 9, 7, 8, 10}},
    {"WNDEDIT",
     "Wind Layer",
     8,
     {{IDC_WND_UPPER_ALTITUDE, 1, WND_UPPER_ALTITUDE, 2, FIELD_FEET, LOCK_ON_EDIT},
      {IDC_WND_SPEED, 2, WND_SPEED, 2, FIELD_INTEGER, LOCK_NEVER},
      {IDC_WND_DIRECTION, 3, WND_DIRECTION, 2, FIELD_DIRECTION, LOCK_NEVER},
      {IDC_WND_GUST, 4, WND_GUST, 2, FIELD_INTEGER, LOCK_NEVER},
      {IDC_WND_TURBULENCE, 5, WND_TURBULENCE, 1, -4, LOCK_NEVER},
      {IDC_WND_SHEAR, 6, WND_SHEAR, 1, -3, LOCK_NEVER},
      {IDC_WND_VARIANCE, 7, WND_VARIANCE, 2, FIELD_DIRECTION, LOCK_NEVER},
      {IDC_WND_GAP_ABOVE, 8, WND_GAP_ABOVE, 2, FIELD_FEET, LOCK_BELOW_FIRST_ROW}},
     {0, 1, 3, 2, 4, 5, 6, 7}},
};

const EditTemplate* TemplateOf(int32_t list) {
    return list >= 0 && list < LIST_COUNT ? &EDIT_TEMPLATES[list] : nullptr;
}

constexpr int32_t STATION_ICAO_COLUMN = 1;
constexpr int32_t CLOUD_PRECIP_COLUMN = 8;
constexpr int32_t PRESSURE_DRIFT_COLUMN = 2;
constexpr size_t ICAO_SIZE = 4;

bool IsNumberCharacter(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; }

// Copies at most outSize - 1 characters of text[0, length).
void CopyCut(const char* text, size_t length, char* out, size_t outSize) {
    if (outSize == 0) return;
    if (length > outSize - 1) length = outSize - 1;
    std::memcpy(out, text, length);
    out[length] = 0;
}

// The station identifier without the blanks around it: a position request's four
// spaces prefill an empty field rather than blanks that would read as a position.
void PrefillIdentifier(const char* cell, char* out, size_t outSize) {
    size_t start = 0;
    while (cell[start] == ' ') start++;
    size_t end = start + std::strlen(cell + start);
    while (end > start && cell[end - 1] == ' ') end--;
    CopyCut(cell + start, end - start, out, outSize);
}

void PrefillPositions(DialogHandle dialog) {
    char latitude[32] = "";
    char longitude[32] = "";
    if (IcaoIsFourSpaces(Request.Bytes + SRQ_ICAO)) {
        FormatPositionField(LoadF64(Request.Bytes + SRQ_LATITUDE), true, latitude, sizeof latitude);
        FormatPositionField(LoadF64(Request.Bytes + SRQ_LONGITUDE), false, longitude, sizeof longitude);
    }
    PlatformSetFieldText(dialog, IDC_STN_LATITUDE, latitude);
    PlatformSetFieldText(dialog, IDC_STN_LONGITUDE, longitude);
}

bool FieldLocked(const EditField& field) {
    switch (field.Lock) {
        case LOCK_ON_EDIT:
            return !InsertFlag;
        case LOCK_BELOW_FIRST_ROW:
            return EditedRow != 0;
        default:
            return false;
    }
}

void AcceptStation(DialogHandle dialog) {
    char typed[FIELD_TEXT_LIMIT + 1];
    PlatformGetFieldText(dialog, IDC_STN_ICAO, typed, sizeof typed);
    // All four bytes are written: a short identifier leaves no bytes of the last one.
    uint8_t* icao = Request.Bytes + SRQ_ICAO;
    size_t length = std::strlen(typed);
    for (size_t i = 0; i < ICAO_SIZE; i++) icao[i] = i < length ? static_cast<uint8_t>(typed[i]) : 0;
    StoreU32(Request.Bytes + SRQ_RESERVED, 0);

    PositionValid = 0;
    double latitude = LoadF64(Request.Bytes + SRQ_LATITUDE);
    double longitude = LoadF64(Request.Bytes + SRQ_LONGITUDE);
    ParseField(dialog, IDC_STN_LATITUDE, &latitude, FIELD_LATITUDE);
    ParseField(dialog, IDC_STN_LONGITUDE, &longitude, FIELD_LONGITUDE);
    if (PositionValid == (POSITION_LATITUDE_BIT | POSITION_LONGITUDE_BIT)) {
        std::memset(icao, ' ', ICAO_SIZE);
    } else {
        latitude = 0.0;
        longitude = 0.0;
    }
    StoreF64(Request.Bytes + SRQ_LATITUDE, latitude);
    StoreF64(Request.Bytes + SRQ_LONGITUDE, longitude);
}

}  // namespace

const char* EditTemplateName(int32_t list) {
    const EditTemplate* t = TemplateOf(list);
    return t ? t->Name : nullptr;
}

const char* EditTemplateCaption(int32_t list) {
    const EditTemplate* t = TemplateOf(list);
    return t ? t->Caption : nullptr;
}

bool ComposeEditCaption(int32_t list, bool insert, char* out, size_t outSize) {
    const char* caption = EditTemplateCaption(list);
    if (!caption || outSize == 0) return false;
    int written = std::snprintf(out, outSize, "%s%s", insert ? "Insert " : "Edit ", caption);
    return written >= 0 && static_cast<size_t>(written) < outSize;
}

void PrefillText(int32_t list, int32_t column, const char* cell, char* out, size_t outSize) {
    if (outSize == 0) return;
    if (list == LIST_CLOUD && column == CLOUD_PRECIP_COLUMN) {
        CopyCut(cell[0] == 'S' ? "2" : cell[0] == 'R' ? "1" : "0", 1, out, outSize);
        return;
    }
    if (list == LIST_STATION && column == STATION_ICAO_COLUMN) {
        PrefillIdentifier(cell, out, outSize);
        return;
    }
    size_t length = 0;
    while (IsNumberCharacter(cell[length])) length++;
    if (list == LIST_TEMPERATURE && cell[length] == 'C') {
        length++;
    } else if (list == LIST_PRESSURE && column == PRESSURE_DRIFT_COLUMN && cell[length] == 'm' &&
               cell[length + 1] == 'b') {
        // The drift is shown in millibars; its unit keeps it from reading as inches.
        length += 2;
    }
    CopyCut(cell, length, out, outSize);
}

void FormatPositionField(double degrees, bool latitude, char* out, size_t outSize) {
    if (outSize == 0) return;
    char hemisphere = latitude ? (degrees < 0.0 ? 'S' : 'N') : (degrees < 0.0 ? 'W' : 'E');
    double magnitude = degrees < 0.0 ? -degrees : degrees;
    const int32_t maxDegrees = latitude ? 89 : 180;
    if (!(magnitude < maxDegrees + 1.0)) magnitude = maxDegrees + 1.0;  // also NaN
    int32_t whole = static_cast<int32_t>(magnitude);
    char minutes[32];
    std::snprintf(minutes, sizeof minutes, "%02.2f", (magnitude - whole) * 60.0);
    if (std::strcmp(minutes, "60.00") == 0) {
        // Rounded up to a whole degree: show that degree, which reads back as typed.
        whole++;
        std::snprintf(minutes, sizeof minutes, "0.00");
    }
    if (whole > maxDegrees) {
        // Beyond the last degree that reads back: the nearest position that does.
        whole = maxDegrees;
        std::snprintf(minutes, sizeof minutes, "59.99");
    }
    std::snprintf(out, outSize, latitude ? "%c%02d %s" : "%c%03d %s", hemisphere, static_cast<int>(whole),
                  minutes);
}

void PrefillField(DialogHandle dialog, int32_t controlId, int32_t column) {
    char cell[PREFILL_CELL_SIZE] = "";
    if (EditedList >= 0 && EditedList < LIST_COUNT)
        PlatformListCellText(WeatherLists[EditedList], EditedRow, column, cell, sizeof cell);
    char text[PREFILL_CELL_SIZE];
    PrefillText(EditedList, column, cell, text, sizeof text);
    PlatformSetFieldText(dialog, controlId, text);
}

void OpenEditDialog(DialogHandle dialog) {
    const EditTemplate* t = TemplateOf(EditedList);
    if (!t) return;
    char caption[EDIT_CAPTION_SIZE];
    if (ComposeEditCaption(EditedList, InsertFlag, caption, sizeof caption))
        PlatformSetCaption(dialog, caption);

    if (!InsertFlag) {
        if (EditedList == LIST_STATION) {
            PrefillField(dialog, IDC_STN_ICAO, STATION_ICAO_COLUMN);
            PrefillPositions(dialog);
        }
        for (int i = 0; i < t->FieldCount; i++)
            PrefillField(dialog, t->Fields[i].ControlId, t->Fields[i].Column);
    }
    for (int i = 0; i < t->FieldCount; i++)
        if (FieldLocked(t->Fields[i])) PlatformLockField(dialog, t->Fields[i].ControlId);
}

void AcceptEditDialog(DialogHandle dialog) {
    const EditTemplate* t = TemplateOf(EditedList);
    if (!t) return;
    std::memset(EditRecord, 0, sizeof EditRecord);
    if (EditedList == LIST_STATION) {
        AcceptStation(dialog);
        return;
    }
    for (int i = 0; i < t->FieldCount; i++) {
        const EditField& field = t->Fields[t->ReadOrder[i]];
        uint8_t* destination = EditRecord + field.Offset;
        if (field.Width == 1)
            ParseFieldByte(dialog, field.ControlId, destination, field.Kind);
        else
            ParseField(dialog, field.ControlId, destination, field.Kind);
    }
    if (EditedList == LIST_WINDS) {
        // The list shows a gust as speed plus excess; the block keeps only the excess.
        uint16_t speed = LoadU16(EditRecord + WND_SPEED);
        uint16_t gust = LoadU16(EditRecord + WND_GUST);
        if (gust > speed) StoreU16(EditRecord + WND_GUST, static_cast<uint16_t>(gust - speed));
    }
}

const DialogHooks EditDialogHooks = {OpenEditDialog, AcceptEditDialog};

void ResetEditDialogState() {
    EditedList = 0;
    EditedRow = 0;
    InsertFlag = false;
    std::memset(EditRecord, 0, sizeof EditRecord);
}
