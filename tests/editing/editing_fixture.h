// Common ground of the editing tests: the process state reset, six fake lists filled
// from CurrentBlock the way a refresh fills them, a fake simulator whose module records
// every write record, and a few block builders.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "display/app_state.h"
#include "display/row_format.h"
#include "editing/edit_dialog.h"
#include "editing/parse_field.h"
#include "link/module_contract.h"
#include "link/request_batch.h"
#include "link/supervision.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_ui.h"
#include "weather/exchange.h"
#include "weather/weather_block.h"

struct ModuleWrite {
    uint32_t Offset;
    std::vector<uint8_t> Bytes;
};

inline void SetCount(uint32_t offset, int32_t count) { StoreI32(CurrentBlock.Bytes + offset, count); }

class EditingTest : public ::testing::Test {
protected:
    static constexpr WindowHandle MAIN_WINDOW = 40;
    static constexpr WindowHandle SIMULATOR = 77;

    ModuleSpace* Space = nullptr;
    std::vector<ModuleWrite> Writes;

    void SetUp() override {
        FakeUiReset();
        FakeKernelReset();
        FakeDialogReset();
        LinkClose();
        ResetAppState();
        ResetExchangeState();
        ResetSupervisionState();
        ResetEditDialogState();
        PositionValid = 0;
        MainWindow = MAIN_WINDOW;
        for (int k = 0; k < LIST_COUNT; k++) WeatherLists[k] = static_cast<WindowHandle>(k + 1);
        delete Space;  // SetUp may run again inside a test that loops over cases
        Space = new ModuleSpace();
        Writes.clear();
        FakeSetTopLevelWindow(SIMULATOR_WINDOW_CLASS, SIMULATOR);
        FakeAttachModule(SIMULATOR, Space, RecordWrite, this);
        ASSERT_EQ(1, LinkOpen(SIMULATOR, SIMULATOR_SECTION_SIZE, SIMULATOR_TIMEOUT_MS));
        SimulatorWindow = SIMULATOR;
        CurrentMode = MODE_GLOBAL;
    }

    void TearDown() override {
        LinkClose();
        delete Space;
        Space = nullptr;
    }

    static void RecordWrite(ModuleSpace& space, uint32_t offset, uint32_t size, void* context) {
        auto* self = static_cast<EditingTest*>(context);
        self->Writes.push_back(
            {offset, std::vector<uint8_t>(space.Bytes + offset, space.Bytes + offset + size)});
    }

    // Rows and cells as a refresh builds them: the layer rows, then for the layer lists
    // the empty closing row.
    void FillListsFromBlock() {
        for (int k = 0; k < LIST_COUNT; k++) {
            FakeList* list = FakeListOf(WeatherLists[k]);
            list->Rows.clear();
            int32_t rows = ListLayerRows(CurrentBlock, static_cast<ListKind>(k));
            bool closing = k != LIST_PRESSURE && k != LIST_STATION;
            for (int32_t r = 0; r < rows + (closing ? 1 : 0); r++) {
                std::vector<std::string> cells;
                for (int32_t c = 0; c < LIST_COLUMNS[k].Count; c++) {
                    char text[CELL_TEXT_SIZE] = "";
                    if (r < rows && !FormatCell(CurrentBlock, Runways, Request, static_cast<ListKind>(k), r,
                                                c, text, sizeof text))
                        text[0] = 0;
                    cells.push_back(text);
                }
                list->Rows.push_back(cells);
            }
        }
    }

    // Marks row r of a list as the one carrying the focus (what the user selected).
    void SelectRow(int32_t list, int row) {
        FakeListOf(WeatherLists[list])->FocusedRow = row;
        FakeListOf(WeatherLists[list])->SelectedRow = row;
    }

    // Only the writes at one offset, in order.
    std::vector<ModuleWrite> WritesAt(uint32_t offset) const {
        std::vector<ModuleWrite> found;
        for (const ModuleWrite& w : Writes)
            if (w.Offset == offset) found.push_back(w);
        return found;
    }

    // Types texts into the dialog's fields once Open has run.
    struct Typed {
        int32_t ControlId;
        const char* Text;
    };
    std::vector<Typed> Typing;
    void TypeOnOpen(std::vector<Typed> typed) {
        Typing = std::move(typed);
        FakeDialog.Typing = [](FakeDialogState& dialog, void* context) {
            for (const Typed& t : static_cast<EditingTest*>(context)->Typing)
                dialog.Fields[t.ControlId] = t.Text;
        };
        FakeDialog.TypingContext = this;
    }
};
