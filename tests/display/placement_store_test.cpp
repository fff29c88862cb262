// The stored placement: where the settings file is, the one-time read of the old
// file in the Windows directory, and the screen check.
#include "display/placement_store.h"

#include "tests/display/app_fixture.h"

namespace {

class PlacementStoreTest : public AppFixture {
protected:
    std::string NewPath() {
        char path[SETTINGS_PATH_CAPACITY];
        EXPECT_TRUE(SettingsFilePath(path, sizeof path));
        return path;
    }
    std::string LegacyPath() {
        char path[SETTINGS_PATH_CAPACITY];
        EXPECT_TRUE(LegacySettingsFilePath(path, sizeof path));
        return path;
    }
};

TEST_F(PlacementStoreTest, SettingsFileLivesInTheApplicationDataFolder) {
    EXPECT_EQ(NewPath(), "C:\\Users\\pilot\\AppData\\Roaming\\Nimbrel\\Nimbrel.ini");
    EXPECT_EQ(LegacyPath(), "C:\\windows\\Nimbrel.ini");
}

TEST_F(PlacementStoreTest, StoredValuesAreCheckedAgainstThePrimaryScreen) {
    struct Case {
        const char* Value;
        int32_t ScreenWidth, ScreenHeight;
        int Loaded;
    } cases[] = {
        {"[100,50,905,594]", 1024, 768, 1},
        {"[100,50,905,594]", 800, 600, 0},
        {"[-4,0,905,594]", 1024, 768, 1},
        {"[1100,0,905,594]", 1024, 768, 0},  // a second monitor to the right
        {"[1,2,3]", 1024, 768, 0},
        {"", 1024, 768, 0},
        {"1,2,3,4", 1024, 768, 0},
        {"x=[ 10 , 20 , 30 , 40 ]", 1024, 768, 1},
    };
    for (const Case& c : cases) {
        Fake.Files.clear();
        Fake.Files[NewPath()]["Settings/MainWindow"] = c.Value;
        Fake.ScreenWidth = c.ScreenWidth;
        Fake.ScreenHeight = c.ScreenHeight;
        int32_t values[4] = {};
        EXPECT_EQ(LoadWindowPlacement(values, "MainWindow"), c.Loaded) << c.Value;
    }
}

TEST_F(PlacementStoreTest, OldFileInTheWindowsDirectoryIsReadUntilTheNewOneExists) {
    Fake.Files[LegacyPath()]["Settings/MainWindow"] = "[10,20,905,594]";
    int32_t values[4] = {};
    ASSERT_EQ(LoadWindowPlacement(values, "MainWindow"), 1);
    EXPECT_EQ(values[0], 10);
    EXPECT_EQ(values[1], 20);

    Fake.WindowLeft = 30;
    Fake.WindowTop = 40;
    Fake.WindowRight = 30 + 800;
    Fake.WindowBottom = 40 + 500;
    SaveWindowPlacement(MAIN_WINDOW, "MainWindow");
    EXPECT_EQ(FakeProfileValue(NewPath(), "Settings", "MainWindow"), "[30,40,800,500]");
    EXPECT_EQ(FakeProfileValue(LegacyPath(), "Settings", "MainWindow"), "[10,20,905,594]") << "left alone";
    EXPECT_EQ(Fake.Directories, std::vector<std::string>{"C:\\Users\\pilot\\AppData\\Roaming\\Nimbrel"});

    ASSERT_EQ(LoadWindowPlacement(values, "MainWindow"), 1);
    EXPECT_EQ(values[0], 30);
    EXPECT_EQ(values[3], 500);
}

TEST_F(PlacementStoreTest, UnknownFoldersAndFailedWritesAreSilent) {
    Fake.AppDataDirectory = "";
    SaveWindowPlacement(MAIN_WINDOW, "MainWindow");
    EXPECT_TRUE(Fake.Files.empty());
    Fake.WindowsDirectory = "";
    int32_t values[4];
    EXPECT_EQ(LoadWindowPlacement(values, "MainWindow"), 0);

    FakeUiReset();
    Fake.WritesFail = true;
    SaveWindowPlacement(MAIN_WINDOW, "MainWindow");
    EXPECT_TRUE(Fake.Files.empty());
}

}  // namespace
