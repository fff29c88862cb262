// Opening, detaching and closing the link, and its three reported failures.
#include <string>

#include "link/request_batch.h"
#include "platform/ui.h"
#include "tests/link/link_fixture.h"

namespace {

void ExpectNothingHeld() {
    EXPECT_EQ(Link.View, nullptr);
    EXPECT_EQ(Link.Mapping, 0u);
    EXPECT_EQ(Link.NameAtom, 0);
    EXPECT_EQ(Link.MessageId, 0u);
    EXPECT_EQ(Link.TargetWindow, 0u);
    EXPECT_EQ(FakeLiveAtoms(), 0);
    EXPECT_EQ(FakeOpenSections(), 0);
    EXPECT_EQ(FakeKernel.ViewsMapped, FakeKernel.ViewsUnmapped);
}

TEST_F(LinkTest, OpenCreatesNamedSectionAndMapsIt) {
    FakeKernel.ProcessId = 0x1A2B;
    ASSERT_TRUE(Open());
    EXPECT_NE(Link.View, nullptr);
    EXPECT_EQ(Link.TargetWindow, SIM_WINDOW);
    EXPECT_EQ(Link.TimeoutMs, TIMEOUT_MS);
    EXPECT_EQ(Link.MessageId, FAKE_MESSAGE_ID);
    EXPECT_EQ(Link.Cursor, 0u);
    EXPECT_EQ(FakeKernel.LastSectionName, "FsasmLib:IPC:1A2B:1");
    EXPECT_EQ(FakeKernel.LastSectionSize, SECTION_SIZE);
    ASSERT_EQ(FakeKernel.Atoms.size(), 1u);
    EXPECT_EQ(FakeKernel.Atoms[0], "FsasmLib:IPC:1A2B:1");
    EXPECT_EQ(FakeKernel.ViewsMapped, 1);
    EXPECT_TRUE(Fake.MessageBoxes.empty());
}

TEST_F(LinkTest, SendCarriesAtomWidenedAndZeroLparamWithStoredTimeout) {
    ASSERT_TRUE(Open());
    ASSERT_EQ(LinkProcess(), 1);
    EXPECT_EQ(FakeKernel.LastSendWindow, SIM_WINDOW);
    EXPECT_EQ(FakeKernel.LastSendMessage, FAKE_MESSAGE_ID);
    EXPECT_EQ(FakeKernel.LastSendWparam, static_cast<uintptr_t>(Link.NameAtom));
    EXPECT_EQ(FakeKernel.LastSendLparam, 0);
    EXPECT_EQ(FakeKernel.LastSendTimeoutMs, TIMEOUT_MS);
}

TEST_F(LinkTest, OpenOnOpenLinkChangesNothing) {
    ASSERT_TRUE(Open());
    const LinkState before = Link;
    const int atoms = FakeKernel.AtomsAdded, sections = FakeKernel.SectionsCreated;
    EXPECT_EQ(LinkOpen(SIM_WINDOW + 1, 100, 50), 0);
    EXPECT_EQ(Link.View, before.View);
    EXPECT_EQ(Link.TargetWindow, SIM_WINDOW);
    EXPECT_EQ(Link.TimeoutMs, TIMEOUT_MS);
    EXPECT_EQ(Link.ViewSize, before.ViewSize);
    EXPECT_EQ(FakeKernel.AtomsAdded, atoms);
    EXPECT_EQ(FakeKernel.SectionsCreated, sections);
    EXPECT_EQ(FakeKernel.ViewsMapped, 1);
    EXPECT_EQ(LinkProcess(), 1);
}

TEST_F(LinkTest, DetachKeepsSectionAndReopenOnlyMapsAgain) {
    ASSERT_TRUE(Open());
    const uint16_t atom = Link.NameAtom;
    const SectionHandle mapping = Link.Mapping;
    LinkDetach();
    EXPECT_EQ(Link.View, nullptr);
    EXPECT_EQ(Link.TargetWindow, 0u);
    EXPECT_EQ(Link.NameAtom, atom);
    EXPECT_EQ(Link.Mapping, mapping);
    EXPECT_EQ(Link.MessageId, FAKE_MESSAGE_ID);
    EXPECT_EQ(FakeKernel.ViewsUnmapped, 1);

    // The simulator came back under a new window.
    FakeSetTopLevelWindow("FS98MAIN", SIM_WINDOW + 7);
    FakeAttachModule(SIM_WINDOW + 7, Space);
    ASSERT_EQ(LinkOpen(SIM_WINDOW + 7, SECTION_SIZE, TIMEOUT_MS), 1);
    EXPECT_EQ(FakeKernel.MessagesRegistered, 1);
    EXPECT_EQ(FakeKernel.AtomsAdded, 1);
    EXPECT_EQ(FakeKernel.SectionsCreated, 1);
    EXPECT_EQ(FakeKernel.ViewsMapped, 2);
    EXPECT_EQ(Link.NameAtom, atom);
    EXPECT_EQ(Link.Mapping, mapping);
    EXPECT_EQ(LinkProcess(), 1);
    EXPECT_EQ(FakeKernel.LastSendWindow, SIM_WINDOW + 7);
}

TEST_F(LinkTest, DetachWhenNotOpenOnlyForgetsTarget) {
    Link.TargetWindow = SIM_WINDOW;
    LinkDetach();
    EXPECT_EQ(Link.TargetWindow, 0u);
    EXPECT_EQ(FakeKernel.ViewsUnmapped, 0);
    ASSERT_TRUE(Open());
    LinkDetach();
    LinkDetach();
    EXPECT_EQ(FakeKernel.ViewsUnmapped, 1);
    EXPECT_EQ(FakeOpenSections(), 1);
}

TEST_F(LinkTest, CloseReleasesEverythingOnceAndKeepsTimeout) {
    ASSERT_TRUE(Open());
    LinkClose();
    ExpectNothingHeld();
    EXPECT_EQ(FakeKernel.AtomsDeleted, 1);
    EXPECT_EQ(FakeKernel.SectionsClosed, 1);
    EXPECT_EQ(Link.TimeoutMs, TIMEOUT_MS);
    LinkClose();
    EXPECT_EQ(FakeKernel.AtomsDeleted, 1);
    EXPECT_EQ(FakeKernel.SectionsClosed, 1);
    EXPECT_EQ(FakeKernel.ViewsUnmapped, 1);
    // A closed link opens afresh.
    ASSERT_TRUE(Open());
    EXPECT_EQ(FakeKernel.SectionsCreated, 2);
    EXPECT_EQ(FakeKernel.MessagesRegistered, 2);
}

TEST_F(LinkTest, CloseFromDetachedReleasesSection) {
    ASSERT_TRUE(Open());
    LinkDetach();
    LinkClose();
    ExpectNothingHeld();
}

TEST_F(LinkTest, FailedRegistrationReturnsWithoutBoxOrCleanUp) {
    FakeKernel.FailRegisterMessage = true;
    EXPECT_EQ(LinkOpen(SIM_WINDOW, SECTION_SIZE, TIMEOUT_MS), 0);
    EXPECT_TRUE(Fake.MessageBoxes.empty());
    EXPECT_EQ(FakeKernel.AtomsAdded, 0);
    EXPECT_EQ(FakeKernel.SectionsCreated, 0);
    EXPECT_EQ(Link.View, nullptr);
    FakeKernel.FailRegisterMessage = false;
    EXPECT_TRUE(Open());
}

struct OpenFailureCase {
    const char* Name;
    void (*Inject)();
    const char* BoxText;
};

const OpenFailureCase OPEN_FAILURES[] = {
    {"atom", [] { FakeKernel.FailAddAtom = true; }, "Error: can't create atom for mapped filename"},
    {"section", [] { FakeKernel.SectionFailureError = 5; }, "Error 5 reported: can't create file mapping"},
    {"view", [] { FakeKernel.MapFailureError = 8; }, "Error 8 reported: can't get a view of the mapped file"},
    {"section keeps existing", [] { FakeKernel.SectionAlreadyExistsCount = LINK_MAX_CREATE_ATTEMPTS; },
     "Error 183 reported: can't create file mapping"},
};

class LinkOpenFailureTest : public LinkTest, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(LinkOpenFailureTest, ShowsErrorAndReleasesEverything) {
    GetParam().Inject();
    EXPECT_EQ(LinkOpen(SIM_WINDOW, SECTION_SIZE, TIMEOUT_MS), 0);
    ASSERT_EQ(Fake.MessageBoxes.size(), 1u);
    EXPECT_EQ(Fake.MessageBoxes[0].Text, GetParam().BoxText);
    EXPECT_EQ(Fake.MessageBoxes[0].Title, "Nimbrel Error");
    EXPECT_EQ(Fake.MessageBoxes[0].Owner, 0u);
    ExpectNothingHeld();
    EXPECT_EQ(LinkProcess(), 0);
    EXPECT_EQ(FakeKernel.Sends, 0);
    // Once the fault is gone the next attempt succeeds.
    FakeKernel.FailAddAtom = false;
    EXPECT_TRUE(Open());
}

INSTANTIATE_TEST_SUITE_P(Failures, LinkOpenFailureTest, ::testing::ValuesIn(OPEN_FAILURES),
                         [](const auto& info) {
                             std::string name = info.param.Name;
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return name;
                         });

TEST_F(LinkTest, ExistingSectionIsRecreatedUnderTheSameName) {
    for (int existing : {1, LINK_MAX_CREATE_ATTEMPTS - 1}) {
        SCOPED_TRACE(existing);
        LinkClose();
        FakeKernelReset();
        FakeAttachModule(SIM_WINDOW, Space);
        FakeKernel.SectionAlreadyExistsCount = existing;
        ASSERT_TRUE(Open());
        EXPECT_EQ(FakeKernel.SectionsCreated, existing + 1);
        EXPECT_EQ(FakeKernel.SectionsClosed, existing);
        EXPECT_EQ(FakeKernel.AtomsAdded, existing + 1);
        EXPECT_EQ(FakeKernel.AtomsDeleted, existing);
        for (const std::string& atomName : FakeKernel.Atoms) {
            if (!atomName.empty()) {
                EXPECT_EQ(atomName, "FsasmLib:IPC:1A2B:1");
            }
        }
        EXPECT_EQ(FakeLiveAtoms(), 1);
        EXPECT_EQ(FakeOpenSections(), 1);
        EXPECT_TRUE(Fake.MessageBoxes.empty());
        EXPECT_EQ(LinkProcess(), 1);
    }
}

TEST(SectionName, FormatsProcessIdInUpperHex) {
    struct Case {
        uint32_t ProcessId;
        const char* Name;
    } cases[] = {
        {255, "FsasmLib:IPC:FF:1"},
        {0, "FsasmLib:IPC:0:1"},
        {0xDEADBEEF, "FsasmLib:IPC:DEADBEEF:1"},
        {0x10, "FsasmLib:IPC:10:1"},
    };
    for (const Case& c : cases) {
        char name[64];
        FormatSectionName(name, sizeof name, c.ProcessId);
        EXPECT_STREQ(name, c.Name);
    }
    char small[8];
    std::memset(small, 'x', sizeof small);
    FormatSectionName(small, sizeof small, 255);
    EXPECT_STREQ(small, "FsasmLi");
}

TEST_F(LinkTest, SectionNameUsesTheProcessId) {
    FakeKernel.ProcessId = 255;
    ASSERT_TRUE(Open());
    EXPECT_EQ(FakeKernel.LastSectionName, "FsasmLib:IPC:FF:1");
}

}  // namespace

namespace {

TEST_F(LinkTest, FakeWindowTableFollowsTheTest) {
    EXPECT_EQ(PlatformFindTopLevelWindow("FS98MAIN"), SIM_WINDOW);
    EXPECT_EQ(PlatformFindTopLevelWindow("Other"), 0u);
    // A restarted simulator: a new window, and the old one no longer answers.
    FakeSetTopLevelWindow("FS98MAIN", SIM_WINDOW + 1);
    FakeDetachModule(SIM_WINDOW);
    EXPECT_EQ(PlatformFindTopLevelWindow("FS98MAIN"), SIM_WINDOW + 1);
    ASSERT_TRUE(Open());
    EXPECT_EQ(LinkProcess(), 0);
    FakeSetTopLevelWindow("FS98MAIN", 0);
    EXPECT_EQ(PlatformFindTopLevelWindow("FS98MAIN"), 0u);
}

}  // namespace
