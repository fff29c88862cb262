// A fake kernel for the unit tests: top-level windows set by the test, sections as
// heap buffers, an in-process module that answers the batch message, scripted send
// outcomes, failure injection and counters. No real sleeping. Reset with FakeKernelReset().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/module_contract.h"
#include "platform/kernel.h"

// What the next sends do instead of (or on top of) serving the module.
enum FakeSendKind {
    FAKE_SEND_FAIL,    // the send fails or times out; the module does not run
    FAKE_SEND_RESULT,  // the module runs (if attached), then the send returns Result
};
struct FakeSendOutcome {
    FakeSendKind Kind;
    intptr_t Result;
};

// Called after the module has answered, with the section as the sender will see it.
using FakeAnswerHook = void (*)(uint8_t* section, uint32_t sectionSize, void* context);

struct FakeSection {
    std::string Name;
    std::vector<uint8_t> Memory;  // allocated once, at creation
    bool Open;
};

struct FakeTopLevelWindow {
    std::string ClassName;
    WindowHandle Window;
};

struct FakeModule {
    WindowHandle Window;
    ModuleSpace* Space;
    ModuleWriteHook OnWrite;
    void* Context;
};

struct FakeKernelState {
    uint32_t ProcessId = 0x1A2B;
    std::vector<FakeTopLevelWindow> Windows;
    std::vector<FakeModule> Modules;
    std::vector<FakeSection> Sections;      // handle = index + 1
    std::vector<std::string> Atoms;         // atom = index + 0xC000; "" once deleted
    std::vector<FakeSendOutcome> Outcomes;  // consumed front first, one per send
    FakeAnswerHook AnswerHook = nullptr;
    void* AnswerContext = nullptr;

    // Failure injection.
    bool FailRegisterMessage = false;
    bool FailAddAtom = false;
    uint32_t SectionFailureError = 0;   // non-zero: the next creation fails with it
    int SectionAlreadyExistsCount = 0;  // the next N creations report ERROR_ALREADY_EXISTS
    uint32_t MapFailureError = 0;       // non-zero: the next mapping fails with it

    // Counters and the last calls.
    int MessagesRegistered = 0;
    int Sends = 0;
    int ModuleRuns = 0;
    int Sleeps = 0;
    uint64_t SleptMs = 0;
    int AtomsAdded = 0;
    int AtomsDeleted = 0;
    int SectionsCreated = 0;
    int SectionsClosed = 0;
    int ViewsMapped = 0;
    int ViewsUnmapped = 0;
    WindowHandle LastSendWindow = 0;
    uint32_t LastSendMessage = 0;
    uintptr_t LastSendWparam = 0;
    intptr_t LastSendLparam = -1;
    uint32_t LastSendTimeoutMs = 0;
    std::string LastSectionName;
    uint32_t LastSectionSize = 0;
};

constexpr uint32_t FAKE_MESSAGE_ID = 0xC123;
constexpr uint16_t FAKE_FIRST_ATOM = 0xC000;

extern FakeKernelState FakeKernel;
void FakeKernelReset();

// Sets (or with window 0 removes) the top-level window of a class; replacing it is how a
// test restarts the simulator.
void FakeSetTopLevelWindow(const char* className, WindowHandle window);
// Serves the batch message sent to window with ModuleProcessBatch over space.
void FakeAttachModule(WindowHandle window, ModuleSpace* space, ModuleWriteHook onWrite = nullptr,
                      void* context = nullptr);
void FakeDetachModule(WindowHandle window);
// The next count sends fail, or answer result.
void FakeScriptSends(int count, FakeSendKind kind, intptr_t result = 0);
// The section behind a handle, or null.
FakeSection* FakeSectionOf(SectionHandle section);
// The open section of that name, or null.
FakeSection* FakeSectionNamed(const char* name);
// Atoms currently in the table.
int FakeLiveAtoms();
int FakeOpenSections();
