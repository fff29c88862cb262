// A running program over the fakes: the main window created with its six lists, and a
// simulator window whose module serves an offset space the test fills.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "display/app_state.h"
#include "display/main_window.h"
#include "display/menu_ids.h"
#include "display/refresh.h"
#include "display/weather_lists.h"
#include "link/byte_order.h"
#include "link/module_contract.h"
#include "link/request_batch.h"
#include "link/supervision.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_ui.h"
#include "weather/exchange.h"

constexpr WindowHandle MAIN_WINDOW = 100;
constexpr WindowHandle SIMULATOR = 0x5150;
constexpr WindowHandle RESTARTED_SIMULATOR = 0x6160;

class AppFixture : public ::testing::Test {
protected:
    ModuleSpace Space = {};

    void SetUp() override {
        LinkClose();
        FakeUiReset();
        FakeKernelReset();
        ResetAppState();
        ResetExchangeState();
        ResetSupervisionState();
        ResetRefreshState();
        RecordBaseTitle();
    }
    void TearDown() override { LinkClose(); }

    void CreateMainWindow() { ASSERT_EQ(MainWindowCreated(MAIN_WINDOW), 0); }

    // The simulator's window exists and its module answers from Space.
    void StartSimulator(WindowHandle window = SIMULATOR) {
        FakeSetTopLevelWindow(SIMULATOR_WINDOW_CLASS, window);
        FakeAttachModule(window, &Space);
    }
    void StopSimulator(WindowHandle window = SIMULATOR) {
        FakeSetTopLevelWindow(SIMULATOR_WINDOW_CLASS, 0);
        FakeDetachModule(window);
    }

    uint8_t* AircraftBlock() { return Space.Bytes + AREA_AIRCRAFT_WEATHER; }
    void SetStamp(uint32_t stamp) { StoreU32(AircraftBlock() + OFS_TIMESTAMP, stamp); }
    void SetCount(uint32_t offset, int32_t count) { StoreI32(AircraftBlock() + offset, count); }

    WindowHandle List(int32_t kind) const { return WeatherLists[kind]; }
    size_t Rows(int32_t kind) const { return FakeListOf(List(kind))->Rows.size(); }
    int Rebuilds(int32_t kind) const { return FakeListOf(List(kind))->Rebuilds; }
    bool MenuEnabled(uint32_t id) const { return Fake.Menu.count(id) ? Fake.Menu.at(id).Enabled : true; }
    bool MenuChecked(uint32_t id) const { return Fake.Menu.count(id) ? Fake.Menu.at(id).Checked : false; }
};
