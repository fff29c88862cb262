// The main window's creation, layout, start-up, close sequence, commands and keys.
#include "display/placement_store.h"
#include "tests/display/app_fixture.h"

namespace {

class MainWindowTest : public AppFixture {};

struct Rect {
    int32_t X, Y, Width, Height;
};

TEST_F(MainWindowTest, CreationMakesSixListsWithColumnsCurrentPressureGrayedCommandsAndTimers) {
    CreateMainWindow();
    for (int32_t kind = 0; kind < LIST_COUNT; kind++) {
        ASSERT_NE(List(kind), 0u) << kind;
        EXPECT_EQ(FakeListOf(List(kind))->Parent, MAIN_WINDOW);
    }
    // Created in ListKind order.
    EXPECT_EQ(List(LIST_VISIBILITY), 1u);
    EXPECT_EQ(List(LIST_WINDS), 6u);

    const auto& visibility = FakeListOf(List(LIST_VISIBILITY))->Columns;
    ASSERT_EQ(visibility.size(), 4u);
    EXPECT_EQ(visibility[0], (std::pair<std::string, int32_t>{"Visibility", 80}));
    EXPECT_EQ(visibility[3], (std::pair<std::string, int32_t>{"Range", 122}));
    const auto& cloud = FakeListOf(List(LIST_CLOUD))->Columns;
    ASSERT_EQ(cloud.size(), 12u);
    EXPECT_EQ(cloud[11], (std::pair<std::string, int32_t>{"TopShape", 95}));

    EXPECT_EQ(CurrentList, LIST_PRESSURE);
    EXPECT_FALSE(MenuEnabled(IDM_REFRESH));
    EXPECT_FALSE(MenuEnabled(IDM_CLEAR_ALL));
    EXPECT_FALSE(CommandsEnabled);
    EXPECT_TRUE(MenuChecked(IDM_AUTOREFRESH));
    ASSERT_TRUE(FakeTimerRunning(MAIN_WINDOW, TIMER_AUTOREFRESH));
    EXPECT_EQ(FakeTimer(MAIN_WINDOW, TIMER_AUTOREFRESH)->PeriodMs, 1000u);
    ASSERT_TRUE(FakeTimerRunning(MAIN_WINDOW, TIMER_REFRESH_DUE));
    EXPECT_EQ(FakeTimer(MAIN_WINDOW, TIMER_REFRESH_DUE)->PeriodMs, 2000u);
    EXPECT_FALSE(FakeTimerRunning(MAIN_WINDOW, TIMER_WATCH));
}

TEST_F(MainWindowTest, ListsArePlacedByPerMilleOfTheClientAreaOnCreationAndResize) {
    // 889 x 556: products truncated toward zero.
    const Rect expected[LIST_COUNT] = {
        {0, 50, 394, 84},  {0, 0, 394, 50},    {0, 135, 394, 296},
        {394, 0, 494, 50}, {0, 432, 889, 123}, {394, 50, 494, 381},
    };
    CreateMainWindow();
    for (int32_t kind = 0; kind < LIST_COUNT; kind++) {
        const FakeList* l = FakeListOf(List(kind));
        EXPECT_EQ(l->X, expected[kind].X) << kind;
        EXPECT_EQ(l->Y, expected[kind].Y) << kind;
        EXPECT_EQ(l->Width, expected[kind].Width) << kind;
        EXPECT_EQ(l->Height, expected[kind].Height) << kind;
    }

    Fake.ClientWidth = 1000;
    Fake.ClientHeight = 1000;
    MainWindowResized(true);  // minimized: nothing moves
    EXPECT_EQ(FakeListOf(List(LIST_CLOUD))->Placements, 0);
    MainWindowResized(false);
    for (int32_t kind = 0; kind < LIST_COUNT; kind++) {
        const FakeList* l = FakeListOf(List(kind));
        EXPECT_EQ(l->Placements, 1) << kind;
        EXPECT_EQ(l->X, ListLayout[kind].X) << kind;
        EXPECT_EQ(l->Y, ListLayout[kind].Y) << kind;
        EXPECT_EQ(l->Width, ListLayout[kind].Width) << kind;
        EXPECT_EQ(l->Height, ListLayout[kind].Height) << kind;
    }
}

TEST_F(MainWindowTest, FailedListCreationRefusesTheWindowWithABoxOnlyForANonZeroCode) {
    struct Case {
        uint32_t Error;
        size_t Boxes;
    } cases[] = {{8, 1}, {0, 0}};
    for (const Case& c : cases) {
        SetUp();
        Fake.FailListCreation = 3;
        Fake.FailListError = c.Error;
        EXPECT_EQ(MainWindowCreated(MAIN_WINDOW), -1);
        EXPECT_EQ(Fake.ListsCreated, 4) << "stops at the failing list";
        ASSERT_EQ(Fake.MessageBoxes.size(), c.Boxes);
        if (c.Boxes) {
            EXPECT_EQ(Fake.MessageBoxes[0].Text, "Error 8 reported: creating a list window");
            EXPECT_EQ(Fake.MessageBoxes[0].Title, "Nimbrel Error");
            EXPECT_EQ(Fake.MessageBoxes[0].Owner, MAIN_WINDOW);
        }
        EXPECT_FALSE(FakeTimerRunning(MAIN_WINDOW, TIMER_REFRESH_DUE));
    }
}

TEST_F(MainWindowTest, StartUpWithoutSimulatorShowsNotConnectedAndFocusesPressure) {
    CreateMainWindow();
    MainWindowShown();
    EXPECT_EQ(Fake.Title, "Cumora: Not connected to Vorlink");
    for (int32_t kind = 0; kind < LIST_COUNT; kind++)
        EXPECT_EQ(FakeFirstCells(List(kind)), std::vector<std::string>{"  0 "}) << kind;
    EXPECT_TRUE(MenuEnabled(IDM_REFRESH));
    EXPECT_TRUE(MenuEnabled(IDM_CLEAR_ALL));
    EXPECT_TRUE(CommandsEnabled);
    EXPECT_EQ(Fake.Focus, List(LIST_PRESSURE));
    EXPECT_EQ(FakeListOf(List(LIST_PRESSURE))->SelectedRow, 0);
    EXPECT_EQ(FakeListOf(List(LIST_PRESSURE))->FocusedRow, 0);
    EXPECT_TRUE(Fake.TopLevelPlacements.empty()) << "no stored placement";
}

TEST_F(MainWindowTest, StartUpAppliesAStoredPlacementThatFits) {
    char path[SETTINGS_PATH_CAPACITY];
    ASSERT_TRUE(SettingsFilePath(path, sizeof path));
    Fake.Files[path]["Settings/MainWindow"] = "[100,50,905,594]";
    CreateMainWindow();
    MainWindowShown();
    ASSERT_EQ(Fake.TopLevelPlacements.size(), 1u);
    const auto& p = Fake.TopLevelPlacements[0];
    EXPECT_EQ(p.Window, MAIN_WINDOW);
    EXPECT_EQ((std::vector<int32_t>{p.X, p.Y, p.Width, p.Height}), (std::vector<int32_t>{100, 50, 905, 594}));
}

TEST_F(MainWindowTest, CloseSequenceStopsTimerDestroysListsClosesLinkAndSavesUnlessMaximizedOrMinimized) {
    for (bool maximizedOrMinimized : {false, true}) {
        SetUp();
        StartSimulator();
        CreateMainWindow();
        SupervisionTick(TIMER_REFRESH_DUE);
        ASSERT_NE(Link.View, nullptr);
        Fake.MaximizedOrMinimized = maximizedOrMinimized;
        MainWindowClosing();

        EXPECT_FALSE(FakeTimerRunning(MAIN_WINDOW, TIMER_AUTOREFRESH));
        ASSERT_EQ(Fake.Destroyed.size(), 7u);
        for (int32_t kind = 0; kind < LIST_COUNT; kind++) {
            EXPECT_EQ(Fake.Destroyed[kind], static_cast<WindowHandle>(kind + 1));
            EXPECT_EQ(WeatherLists[kind], 0u);
        }
        EXPECT_EQ(Fake.Destroyed[6], MAIN_WINDOW) << "the main window goes last";
        EXPECT_EQ(Link.View, nullptr);
        EXPECT_EQ(FakeOpenSections(), 0);
        char path[SETTINGS_PATH_CAPACITY];
        ASSERT_TRUE(SettingsFilePath(path, sizeof path));
        EXPECT_EQ(FakeProfileValue(path, "Settings", "MainWindow"),
                  maximizedOrMinimized ? "" : "[100,50,905,594]");
    }
}

TEST_F(MainWindowTest, CommandsReachTheirHandlersOnlyWithTheWholeParameter) {
    CreateMainWindow();
    MainWindowShown();

    EXPECT_TRUE(MainWindowCommand(IDM_EXIT));
    EXPECT_EQ(Fake.SentCloses, 1);

    EXPECT_FALSE(MainWindowCommand(IDM_AUTOREFRESH));
    EXPECT_FALSE(AutoRefresh);
    EXPECT_FALSE(MenuChecked(IDM_AUTOREFRESH));
    EXPECT_FALSE(FakeTimerRunning(MAIN_WINDOW, TIMER_AUTOREFRESH));

    EXPECT_FALSE(MainWindowCommand(IDM_DISCONNECT));
    EXPECT_FALSE(ConnectionWanted);
    EXPECT_EQ(Fake.PostedTicks, 1);
    EXPECT_FALSE(MainWindowCommand(IDM_CONNECT));
    EXPECT_TRUE(ConnectionWanted);
    EXPECT_EQ(Fake.PostedTicks, 2);

    // A notification code in the upper half matches no command.
    EXPECT_FALSE(MainWindowCommand((1u << 16) | IDM_AUTOREFRESH));
    EXPECT_FALSE(AutoRefresh);
    EXPECT_FALSE(MainWindowCommand((1u << 16) | IDM_EXIT));
    EXPECT_EQ(Fake.SentCloses, 1);

    int titles = Fake.TitleSets;
    EXPECT_FALSE(MainWindowCommand(IDM_REFRESH));
    EXPECT_GT(Fake.TitleSets, titles);

    // The about box, then the focus goes back to the current list.
    CurrentList = LIST_WINDS;
    Fake.Focus = 0;
    EXPECT_FALSE(MainWindowCommand(IDM_ABOUT));
    EXPECT_EQ(Fake.AboutBoxes, 1);
    EXPECT_EQ(Fake.Focus, List(LIST_WINDS));
}

TEST_F(MainWindowTest, KeysWhileNotConnectedOnlyBeep) {
    CreateMainWindow();
    MainWindowShown();
    WindowHandle focus = Fake.Focus;
    for (int32_t key : {VK_TAB_KEY, VK_ENTER_KEY, VK_INSERT_KEY, VK_DELETE_KEY, 65}) {
        MainWindowListKey(List(LIST_PRESSURE), key);
        EXPECT_EQ(Fake.Focus, focus) << key;
    }
    MainWindowListKey(0x999, VK_TAB_KEY);  // not a list: still beeps
    EXPECT_EQ(Fake.Beeps, std::vector<uint32_t>(6, PLATFORM_MB_ICONEXCLAMATION));
    EXPECT_EQ(CurrentList, LIST_PRESSURE);
}

TEST_F(MainWindowTest, TabCyclesTheListsInReadingOrderAndShiftTabRunsBackwards) {
    StartSimulator();
    CreateMainWindow();
    SupervisionTick(TIMER_REFRESH_DUE);
    ASSERT_NE(SimulatorWindow, 0u);

    const int32_t forward[] = {LIST_STATION,     LIST_VISIBILITY, LIST_WINDS,
                               LIST_TEMPERATURE, LIST_CLOUD,      LIST_PRESSURE};
    int32_t from = LIST_PRESSURE;
    for (int32_t expected : forward) {
        MainWindowListKey(List(from), VK_TAB_KEY);
        EXPECT_EQ(Fake.Focus, List(expected));
        EXPECT_EQ(CurrentList, expected);
        from = expected;
    }
    Fake.ShiftDown = true;
    for (int i = 5; i >= 0; i--) {
        MainWindowListKey(List(from), VK_TAB_KEY);
        int32_t expected = i == 0 ? LIST_PRESSURE : forward[i - 1];
        EXPECT_EQ(CurrentList, expected);
        from = expected;
    }
    EXPECT_EQ(from, LIST_PRESSURE);
    MainWindowListKey(List(LIST_PRESSURE), VK_TAB_KEY);
    EXPECT_EQ(CurrentList, LIST_CLOUD);

    WindowHandle focus = Fake.Focus;
    MainWindowListKey(0x999, VK_TAB_KEY);  // a sender that is no list does nothing
    EXPECT_EQ(Fake.Focus, focus);
    EXPECT_TRUE(Fake.Beeps.empty());
}

TEST_F(MainWindowTest, SelectRecordsTheListAlwaysAndActsOnlyWhenNotBusy) {
    CreateMainWindow();
    CurrentList = -1;
    Fake.FocusLog.clear();
    EditListEntry(-1, ACTION_SELECT);
    EXPECT_EQ(CurrentList, -1);
    EXPECT_TRUE(Fake.FocusLog.empty());

    // A list without rows gets the focus and nothing is marked.
    EditListEntry(LIST_STATION, ACTION_SELECT);
    EXPECT_EQ(Fake.Focus, List(LIST_STATION));
    EXPECT_EQ(FakeListOf(List(LIST_STATION))->SelectedRow, -1);

    Busy = true;
    Fake.FocusLog.clear();
    EditListEntry(LIST_TEMPERATURE, ACTION_SELECT);
    EXPECT_EQ(CurrentList, LIST_TEMPERATURE);
    EXPECT_TRUE(Fake.FocusLog.empty());
    Busy = false;

    // The row that carries the focus mark is marked again (none: row 0).
    FakeList* winds = FakeListOf(List(LIST_WINDS));
    winds->Rows = {{"  0 "}, {"  1 "}, {"  2 "}};
    winds->FocusedRow = 2;
    winds->SelectedRow = -1;
    EditListEntry(LIST_WINDS, ACTION_SELECT);
    EXPECT_EQ(Fake.Focus, List(LIST_WINDS));
    EXPECT_EQ(winds->SelectedRow, 2);
    winds->FocusedRow = -1;
    EditListEntry(-1, ACTION_SELECT);
    EXPECT_EQ(winds->SelectedRow, 0);
    EXPECT_EQ(winds->FocusedRow, 0);

    EditListEntry(7, ACTION_SELECT);  // no such list: recorded, nothing else
    EXPECT_EQ(CurrentList, 7);
    EXPECT_EQ(Fake.Focus, List(LIST_WINDS));
}

}  // namespace
