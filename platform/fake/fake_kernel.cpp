#include "platform/fake/fake_kernel.h"

#include <cstring>

FakeKernelState FakeKernel;

void FakeKernelReset() { FakeKernel = FakeKernelState(); }

void FakeSetTopLevelWindow(const char* className, WindowHandle window) {
    std::vector<FakeTopLevelWindow>& windows = FakeKernel.Windows;
    for (size_t i = 0; i < windows.size(); i++)
        if (windows[i].ClassName == className) {
            if (window == 0)
                windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(i));
            else
                windows[i].Window = window;
            return;
        }
    if (window != 0) windows.push_back({className, window});
}

void FakeAttachModule(WindowHandle window, ModuleSpace* space, ModuleWriteHook onWrite, void* context) {
    FakeDetachModule(window);
    FakeKernel.Modules.push_back({window, space, onWrite, context});
}

void FakeDetachModule(WindowHandle window) {
    std::vector<FakeModule>& modules = FakeKernel.Modules;
    for (size_t i = 0; i < modules.size(); i++)
        if (modules[i].Window == window) {
            modules.erase(modules.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

void FakeScriptSends(int count, FakeSendKind kind, intptr_t result) {
    for (int i = 0; i < count; i++) FakeKernel.Outcomes.push_back({kind, result});
}

FakeSection* FakeSectionOf(SectionHandle section) {
    if (section == 0 || section > FakeKernel.Sections.size()) return nullptr;
    FakeSection& s = FakeKernel.Sections[section - 1];
    return s.Open ? &s : nullptr;
}

FakeSection* FakeSectionNamed(const char* name) {
    for (FakeSection& s : FakeKernel.Sections)
        if (s.Open && s.Name == name) return &s;
    return nullptr;
}

static const char* AtomName(uintptr_t atom) {
    if (atom < FAKE_FIRST_ATOM || atom - FAKE_FIRST_ATOM >= FakeKernel.Atoms.size()) return nullptr;
    const std::string& name = FakeKernel.Atoms[atom - FAKE_FIRST_ATOM];
    return name.empty() ? nullptr : name.c_str();
}

int FakeLiveAtoms() {
    int live = 0;
    for (const std::string& name : FakeKernel.Atoms) live += name.empty() ? 0 : 1;
    return live;
}

int FakeOpenSections() {
    int open = 0;
    for (const FakeSection& s : FakeKernel.Sections) open += s.Open ? 1 : 0;
    return open;
}

uint32_t PlatformRegisterMessage(const char* name) {
    if (FakeKernel.FailRegisterMessage || name == nullptr) return 0;
    FakeKernel.MessagesRegistered++;
    return FAKE_MESSAGE_ID;
}

uint16_t PlatformAddAtom(const char* name) {
    if (FakeKernel.FailAddAtom || name == nullptr || name[0] == 0) return 0;
    FakeKernel.AtomsAdded++;
    FakeKernel.Atoms.push_back(name);
    return static_cast<uint16_t>(FAKE_FIRST_ATOM + FakeKernel.Atoms.size() - 1);
}

void PlatformDeleteAtom(uint16_t atom) {
    if (AtomName(atom) == nullptr) return;
    FakeKernel.Atoms[atom - FAKE_FIRST_ATOM].clear();
    FakeKernel.AtomsDeleted++;
}

SectionHandle PlatformCreateSection(const char* name, uint32_t size, uint32_t* lastError) {
    FakeKernel.LastSectionName = name ? name : "";
    FakeKernel.LastSectionSize = size;
    if (FakeKernel.SectionFailureError != 0) {
        *lastError = FakeKernel.SectionFailureError;
        FakeKernel.SectionFailureError = 0;
        return 0;
    }
    *lastError = 0;
    if (FakeKernel.SectionAlreadyExistsCount > 0) {
        FakeKernel.SectionAlreadyExistsCount--;
        *lastError = PLATFORM_ERROR_ALREADY_EXISTS;
    }
    FakeKernel.SectionsCreated++;
    FakeKernel.Sections.push_back({FakeKernel.LastSectionName, std::vector<uint8_t>(size), true});
    return FakeKernel.Sections.size();
}

void PlatformCloseSection(SectionHandle section) {
    FakeSection* s = FakeSectionOf(section);
    if (s == nullptr) return;
    s->Open = false;
    FakeKernel.SectionsClosed++;
}

uint8_t* PlatformMapSection(SectionHandle section, uint32_t* lastError) {
    if (FakeKernel.MapFailureError != 0) {
        *lastError = FakeKernel.MapFailureError;
        FakeKernel.MapFailureError = 0;
        return nullptr;
    }
    FakeSection* s = FakeSectionOf(section);
    if (s == nullptr || s->Memory.empty()) {
        *lastError = 6;  // invalid handle
        return nullptr;
    }
    *lastError = 0;
    FakeKernel.ViewsMapped++;
    return s->Memory.data();
}

void PlatformUnmapSection(uint8_t* view) {
    if (view != nullptr) FakeKernel.ViewsUnmapped++;
}

bool PlatformSendMessageTimeout(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam,
                                uint32_t timeoutMs, intptr_t* result) {
    FakeKernel.Sends++;
    FakeKernel.LastSendWindow = window;
    FakeKernel.LastSendMessage = message;
    FakeKernel.LastSendWparam = wparam;
    FakeKernel.LastSendLparam = lparam;
    FakeKernel.LastSendTimeoutMs = timeoutMs;

    bool scripted = false;
    FakeSendOutcome outcome = {FAKE_SEND_RESULT, 0};
    if (!FakeKernel.Outcomes.empty()) {
        scripted = true;
        outcome = FakeKernel.Outcomes.front();
        FakeKernel.Outcomes.erase(FakeKernel.Outcomes.begin());
        if (outcome.Kind == FAKE_SEND_FAIL) return false;
    }

    const FakeModule* module = nullptr;
    for (const FakeModule& m : FakeKernel.Modules)
        if (m.Window == window) module = &m;
    if (module == nullptr && !scripted) return false;  // no such window

    intptr_t answer = 0;
    const char* name = AtomName(wparam);
    FakeSection* section = name != nullptr ? FakeSectionNamed(name) : nullptr;
    if (module != nullptr && message == FAKE_MESSAGE_ID && lparam == 0 && section != nullptr) {
        FakeKernel.ModuleRuns++;
        answer = ModuleProcessBatch(section->Memory.data(), static_cast<uint32_t>(section->Memory.size()),
                                    *module->Space, module->OnWrite, module->Context);
    }
    if (section != nullptr && FakeKernel.AnswerHook != nullptr)
        FakeKernel.AnswerHook(section->Memory.data(), static_cast<uint32_t>(section->Memory.size()),
                              FakeKernel.AnswerContext);
    *result = scripted ? outcome.Result : answer;
    return true;
}

void PlatformSleep(uint32_t milliseconds) {
    FakeKernel.Sleeps++;
    FakeKernel.SleptMs += milliseconds;
}

uint32_t PlatformProcessId() { return FakeKernel.ProcessId; }

WindowHandle PlatformFindTopLevelWindow(const char* className) {
    for (const FakeTopLevelWindow& w : FakeKernel.Windows)
        if (w.ClassName == className) return w.Window;
    return 0;
}
