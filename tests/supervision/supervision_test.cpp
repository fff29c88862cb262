// The connection supervision: its states and transitions, the timer phases and the
// connection commands, against a simulator window served by the in-process module.
#include "tests/display/app_fixture.h"

namespace {

class SupervisionTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CreateMainWindow();
        SetStamp(5);
        MainWindowShown();
    }
    // Refreshes that reached the module.
    int Exchanges() const { return FakeKernel.Sends; }
    // Refreshes that rebuilt the display: each sets the title twice.
    int FullRefreshes() const { return Fake.TitleSets / 2; }
};

TEST_F(SupervisionTest, FirstRefreshDueTickWithoutSimulatorHandsOverToTheWatch) {
    SupervisionTick(TIMER_REFRESH_DUE);
    EXPECT_EQ(SimulatorWindow, 0u);
    EXPECT_EQ(CurrentMode, MODE_NOT_CONNECTED);
    EXPECT_FALSE(FakeTimerRunning(MAIN_WINDOW, TIMER_REFRESH_DUE));
    ASSERT_TRUE(FakeTimerRunning(MAIN_WINDOW, TIMER_WATCH));
    EXPECT_EQ(FakeTimer(MAIN_WINDOW, TIMER_WATCH)->PeriodMs, 2000u);
}

TEST_F(SupervisionTest, ConnectingOpensTheLinkWithItsSizeAndTimeoutAndSetsTheMenu) {
    StartSimulator();
    SupervisionTick(TIMER_AUTOREFRESH);
    EXPECT_EQ(SimulatorWindow, SIMULATOR);
    EXPECT_EQ(Link.TargetWindow, SIMULATOR);
    EXPECT_EQ(Link.ViewSize, 32700u);
    EXPECT_EQ(Link.TimeoutMs, 2000u);
    EXPECT_FALSE(MenuEnabled(IDM_CONNECT));
    EXPECT_TRUE(MenuEnabled(IDM_DISCONNECT));
    EXPECT_EQ(Fake.Title, "Cumora: Local weather at aircraft");
    EXPECT_EQ(Exchanges(), 1) << "the connecting refresh rebuilt the display: no second one";
}

// Which ticks refresh, by AutoRefresh and the timer, in a steady connection.
TEST_F(SupervisionTest, SteadyConnectionRefreshesByAutoRefreshAndTimer) {
    struct Case {
        bool AutoRefresh;
        uint32_t Timer;
        int Exchanges;
    } cases[] = {
        {true, TIMER_AUTOREFRESH, 1}, {true, TIMER_WATCH, 1},        {true, TIMER_POSTED_TICK, 1},
        {false, TIMER_WATCH, 0},      {false, TIMER_POSTED_TICK, 0}, {false, TIMER_REFRESH_DUE, 1},
    };
    StartSimulator();
    SupervisionTick(TIMER_AUTOREFRESH);
    ASSERT_EQ(SimulatorWindow, SIMULATOR);
    for (const Case& c : cases) {
        AutoRefresh = c.AutoRefresh;
        int before = Exchanges();
        SupervisionTick(c.Timer);
        EXPECT_EQ(Exchanges() - before, c.Exchanges) << c.AutoRefresh << " " << c.Timer;
        EXPECT_EQ(SimulatorWindow, SIMULATOR);
    }
}

TEST_F(SupervisionTest, RefreshDueKeepsRunningWhileTheStampIsUnchanged) {
    AutoRefresh = false;
    StartSimulator();
    SupervisionTick(TIMER_WATCH);  // connects and shows stamp 5
    ASSERT_EQ(LastStamp, 5u);
    PlatformStartTimer(MAIN_WINDOW, TIMER_REFRESH_DUE, REFRESH_DUE_PERIOD_MS);  // as after an edit
    SupervisionTick(TIMER_REFRESH_DUE);
    EXPECT_TRUE(FakeTimerRunning(MAIN_WINDOW, TIMER_REFRESH_DUE));
    SetStamp(6);
    SupervisionTick(TIMER_REFRESH_DUE);
    EXPECT_FALSE(FakeTimerRunning(MAIN_WINDOW, TIMER_REFRESH_DUE));
    EXPECT_TRUE(FakeTimerRunning(MAIN_WINDOW, TIMER_WATCH));
}

TEST_F(SupervisionTest, WithoutAutoRefreshTheSimulatorLeavingOrComingCausesOneRefresh) {
    AutoRefresh = false;
    int before = FullRefreshes();
    SupervisionTick(TIMER_WATCH);
    EXPECT_EQ(FullRefreshes(), before) << "seeking without a simulator refreshes nothing";

    StartSimulator();
    SupervisionTick(TIMER_WATCH);
    EXPECT_EQ(SimulatorWindow, SIMULATOR);
    EXPECT_EQ(Exchanges(), 1);

    EXPECT_EQ(FullRefreshes(), before + 1);

    StopSimulator();
    SupervisionTick(TIMER_WATCH);
    EXPECT_EQ(SimulatorWindow, 0u);
    EXPECT_EQ(Link.View, nullptr);
    EXPECT_EQ(FullRefreshes(), before + 2);
    EXPECT_EQ(CurrentMode, MODE_NOT_CONNECTED);
    EXPECT_TRUE(MenuEnabled(IDM_CONNECT));
    EXPECT_FALSE(MenuEnabled(IDM_DISCONNECT));
}

TEST_F(SupervisionTest, ARestartedSimulatorIsDroppedAndReconnectedInOneTick) {
    StartSimulator();
    SupervisionTick(TIMER_AUTOREFRESH);
    ASSERT_EQ(SimulatorWindow, SIMULATOR);
    StopSimulator();
    StartSimulator(RESTARTED_SIMULATOR);
    AutoRefresh = false;
    int notConnected = FullRefreshes(), exchanges = Exchanges();
    SupervisionTick(TIMER_WATCH);
    EXPECT_EQ(SimulatorWindow, RESTARTED_SIMULATOR);
    EXPECT_EQ(Link.TargetWindow, RESTARTED_SIMULATOR);
    EXPECT_EQ(FullRefreshes(), notConnected + 2) << "the drop refreshes, and so does the new connection";
    EXPECT_EQ(Exchanges(), exchanges + 1);
    EXPECT_EQ(FakeOpenSections(), 1) << "the section is kept across the drop";
}

TEST_F(SupervisionTest, DisconnectDropsWithThePostedTickAndConnectComesBackAtOnce) {
    StartSimulator();
    SupervisionTick(TIMER_AUTOREFRESH);
    MainWindowCommand(IDM_DISCONNECT);
    EXPECT_FALSE(AutoConnect);
    EXPECT_FALSE(MenuChecked(IDM_AUTOCONNECT));
    EXPECT_EQ(SimulatorWindow, SIMULATOR) << "leaving until the tick";
    EXPECT_EQ(Fake.PostedTicks, 1);
    SupervisionTick(TIMER_POSTED_TICK);
    EXPECT_EQ(SimulatorWindow, 0u);

    // Off: every tick drops again and refreshes, whatever AutoRefresh says.
    AutoRefresh = false;
    int before = FullRefreshes();
    SupervisionTick(TIMER_WATCH);
    SupervisionTick(TIMER_WATCH);
    EXPECT_EQ(FullRefreshes(), before + 2);
    EXPECT_EQ(SimulatorWindow, 0u);

    MainWindowCommand(IDM_CONNECT);
    EXPECT_EQ(Fake.PostedTicks, 2);
    SupervisionTick(TIMER_POSTED_TICK);
    EXPECT_EQ(SimulatorWindow, SIMULATOR);
    EXPECT_FALSE(AutoConnect);

    // After Connect a restart is still followed by a reconnection.
    StopSimulator();
    StartSimulator(RESTARTED_SIMULATOR);
    SupervisionTick(TIMER_WATCH);
    EXPECT_EQ(SimulatorWindow, RESTARTED_SIMULATOR);
}

TEST_F(SupervisionTest, UncheckingAutoConnectDropsOnlyWithTheNextTimerTick) {
    StartSimulator();
    SupervisionTick(TIMER_AUTOREFRESH);
    MainWindowCommand(IDM_AUTOCONNECT);
    EXPECT_FALSE(AutoConnect);
    EXPECT_FALSE(ConnectionWanted);
    EXPECT_EQ(Fake.PostedTicks, 0);
    EXPECT_EQ(SimulatorWindow, SIMULATOR);
    SupervisionTick(TIMER_AUTOREFRESH);
    EXPECT_EQ(SimulatorWindow, 0u);

    MainWindowCommand(IDM_AUTOCONNECT);
    EXPECT_TRUE(AutoConnect);
    EXPECT_TRUE(ConnectionWanted);
    EXPECT_TRUE(MenuChecked(IDM_AUTOCONNECT));
    EXPECT_EQ(Fake.PostedTicks, 1);
    SupervisionTick(TIMER_POSTED_TICK);
    EXPECT_EQ(SimulatorWindow, SIMULATOR);
}

TEST_F(SupervisionTest, ADropDuringAnEditLeavesTheCommandsGrayedUntilTheNextRefresh) {
    StartSimulator();
    SupervisionTick(TIMER_AUTOREFRESH);
    ASSERT_TRUE(CommandsEnabled);
    Busy = true;  // an edit dialog is open
    StopSimulator();
    SupervisionTick(TIMER_AUTOREFRESH);
    EXPECT_EQ(SimulatorWindow, 0u);
    EXPECT_FALSE(MenuEnabled(IDM_REFRESH));
    EXPECT_FALSE(MenuEnabled(IDM_CLEAR_ALL));
    Busy = false;
    SupervisionTick(TIMER_AUTOREFRESH);
    EXPECT_TRUE(MenuEnabled(IDM_REFRESH));
    EXPECT_TRUE(MenuEnabled(IDM_CLEAR_ALL));
}

TEST_F(SupervisionTest, AFailingLinkOpenShowsItsBoxOnEveryTickAndStaysSeeking) {
    StartSimulator();
    FakeKernel.SectionFailureError = 5;
    SupervisionTick(TIMER_AUTOREFRESH);
    EXPECT_EQ(SimulatorWindow, 0u);
    ASSERT_EQ(Fake.MessageBoxes.size(), 1u);
    EXPECT_EQ(Fake.MessageBoxes[0].Title, "Nimbrel Error");
    EXPECT_EQ(CurrentMode, MODE_NOT_CONNECTED);
    FakeKernel.SectionFailureError = 5;
    SupervisionTick(TIMER_AUTOREFRESH);
    EXPECT_EQ(Fake.MessageBoxes.size(), 2u);
    SupervisionTick(TIMER_AUTOREFRESH);  // the section can be made again
    EXPECT_EQ(SimulatorWindow, SIMULATOR);
}

TEST_F(SupervisionTest, AutoRefreshCommandFollowsWithItsTimerAndCheckMark) {
    MainWindowCommand(IDM_AUTOREFRESH);
    EXPECT_FALSE(AutoRefresh);
    EXPECT_FALSE(FakeTimerRunning(MAIN_WINDOW, TIMER_AUTOREFRESH));
    EXPECT_FALSE(MenuChecked(IDM_AUTOREFRESH));
    MainWindowCommand(IDM_AUTOREFRESH);
    EXPECT_TRUE(AutoRefresh);
    EXPECT_TRUE(FakeTimerRunning(MAIN_WINDOW, TIMER_AUTOREFRESH));
    EXPECT_EQ(FakeTimer(MAIN_WINDOW, TIMER_AUTOREFRESH)->Starts, 2);
    EXPECT_TRUE(MenuChecked(IDM_AUTOREFRESH));
}

}  // namespace
