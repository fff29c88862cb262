#include "display/error_box.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "display/app_state.h"
#include "platform/fake/fake_ui.h"

namespace {

struct MessageCase {
    int32_t Code;
    const char* Text;
    const char* Expected;
};

TEST(ErrorMessage, TwoForms) {
    const MessageCase cases[] = {
        {0, "can't create file mapping", "Error: can't create file mapping"},
        {5, "can't create file mapping", "Error 5 reported: can't create file mapping"},
        {-5, "x", "Error -5 reported: x"},
        {INT32_MIN, "x", "Error -2147483648 reported: x"},
        {0, "", "Error: "},
        {0, nullptr, "Error: "},
    };
    for (const MessageCase& c : cases) {
        char out[ERROR_MESSAGE_CAPACITY];
        FormatErrorMessage(out, sizeof out, c.Code, c.Text);
        EXPECT_STREQ(out, c.Expected);
    }
}

TEST(ErrorMessage, LongTextsAreCutTo255Characters) {
    std::string longText(400, 'a');
    char out[ERROR_MESSAGE_CAPACITY + 16];
    std::memset(out, 'z', sizeof out);
    FormatErrorMessage(out, sizeof out, 7, longText.c_str());
    EXPECT_EQ(std::strlen(out), 255u);
    EXPECT_EQ(std::string(out, 18), "Error 7 reported: ");
    EXPECT_EQ(out[ERROR_MESSAGE_CAPACITY], 'z');  // nothing written past the capacity

    char tiny[4];
    FormatErrorMessage(tiny, sizeof tiny, 0, "text");
    EXPECT_STREQ(tiny, "Err");
    FormatErrorMessage(tiny, 0, 0, "text");  // no room: nothing written, no crash
}

class ShowErrorTest : public testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        FakeUiReset();
        for (int i = 0; i < LIST_COUNT; i++) WeatherLists[i] = static_cast<WindowHandle>(10 + i);
    }
    void TearDown() override {
        ResetAppState();
        FakeUiReset();
    }
    static void AddRows(WindowHandle list, int count) {
        for (int i = 0; i < count; i++) FakeListOf(list)->Rows.push_back({"cell"});
    }
};

TEST_F(ShowErrorTest, ShowsAWarningBoxWithOk) {
    ShowError(MainWindow, 5, "can't create file mapping");
    ASSERT_EQ(Fake.MessageBoxes.size(), 1u);
    EXPECT_EQ(Fake.MessageBoxes[0].Owner, 0u);
    EXPECT_EQ(Fake.MessageBoxes[0].Text, "Error 5 reported: can't create file mapping");
    EXPECT_EQ(Fake.MessageBoxes[0].Title, "Nimbrel Error");
    EXPECT_EQ(Fake.MessageBoxes[0].Style, PLATFORM_MB_OK | PLATFORM_MB_ICONEXCLAMATION);

    ShowError(42, 0, "list");
    ASSERT_EQ(Fake.MessageBoxes.size(), 2u);
    EXPECT_EQ(Fake.MessageBoxes[1].Owner, 42u);
    EXPECT_EQ(Fake.MessageBoxes[1].Text, "Error: list");
}

TEST_F(ShowErrorTest, RefocusesTheCurrentListOnItsFocusedRow) {
    CurrentList = LIST_TEMPERATURE;
    WindowHandle list = WeatherLists[LIST_TEMPERATURE];
    AddRows(list, 4);
    FakeListOf(list)->FocusedRow = 2;
    ShowError(0, 0, "x");
    EXPECT_EQ(Fake.Focus, list);
    EXPECT_EQ(FakeListOf(list)->FocusedRow, 2);
    EXPECT_EQ(FakeListOf(list)->SelectedRow, 2);
    EXPECT_EQ(CurrentList, LIST_TEMPERATURE);
}

TEST_F(ShowErrorTest, WithoutAFocusedRowMarksTheFirst) {
    CurrentList = LIST_WINDS;
    WindowHandle list = WeatherLists[LIST_WINDS];
    AddRows(list, 3);
    ShowError(0, 0, "x");
    EXPECT_EQ(Fake.Focus, list);
    EXPECT_EQ(FakeListOf(list)->FocusedRow, 0);
    EXPECT_EQ(FakeListOf(list)->SelectedRow, 0);
}

TEST_F(ShowErrorTest, AListWithoutRowsGetsTheFocusOnly) {
    CurrentList = LIST_CLOUD;
    ShowError(0, 0, "x");
    EXPECT_EQ(Fake.Focus, WeatherLists[LIST_CLOUD]);
    EXPECT_EQ(FakeListOf(WeatherLists[LIST_CLOUD])->SelectedRow, -1);
    EXPECT_EQ(FakeListOf(WeatherLists[LIST_CLOUD])->FocusedRow, -1);
}

TEST_F(ShowErrorTest, LeavesTheFocusAloneWithoutAListOrWhileBusy) {
    struct Case {
        int32_t List;
        bool Busy;
        bool Created;
    };
    const Case cases[] = {
        {-1, false, true},        {LIST_PRESSURE, true, true},   {LIST_COUNT, false, true},
        {INT32_MIN, false, true}, {LIST_PRESSURE, false, false},  // a list never created
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "list " << c.List << " busy " << c.Busy);
        SetUp();
        AddRows(WeatherLists[LIST_PRESSURE], 2);
        if (!c.Created) WeatherLists[LIST_PRESSURE] = 0;
        CurrentList = c.List;
        Busy = c.Busy;
        ShowError(0, 3, "x");
        EXPECT_EQ(Fake.MessageBoxes.size(), 1u);
        EXPECT_TRUE(Fake.FocusLog.empty());
        EXPECT_EQ(FakeListOf(10 + LIST_PRESSURE)->SelectedRow, -1);
        EXPECT_EQ(CurrentList, c.List);
    }
}

}  // namespace
