// Delivery of read data from an answer that a hostile module has rewritten at will.
// A fixed batch of reads and writes is queued into the fake section, the module runs,
// then the input overwrites the section from its first byte. No destination may take
// more than its queued size and nothing around the destinations may change.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "link/module_contract.h"
#include "link/request_batch.h"
#include "platform/fake/fake_kernel.h"

namespace {

constexpr WindowHandle SIM_WINDOW = 0x5150;
constexpr uint32_t SECTION_SIZE = 256;
constexpr uint32_t GUARD_SIZE = 16;
constexpr uint8_t GUARD = 0xEE;
constexpr uint8_t UNTOUCHED = 0x55;

struct Slot {
    uint32_t Offset;  // in the module's space
    uint32_t Size;
    uint32_t At;  // in Arena
};
// Destinations one after another, each with guard bytes on both sides.
constexpr Slot SLOTS[] = {
    {0x100, 8, GUARD_SIZE},
    {0x200, 16, GUARD_SIZE + 8 + GUARD_SIZE},
    {0x300, 0, GUARD_SIZE + 8 + GUARD_SIZE + 16 + GUARD_SIZE},
    {0x400, 4, GUARD_SIZE + 8 + GUARD_SIZE + 16 + GUARD_SIZE + GUARD_SIZE},
};
constexpr uint32_t ARENA_SIZE = GUARD_SIZE + 8 + GUARD_SIZE + 16 + GUARD_SIZE + GUARD_SIZE + 4 + GUARD_SIZE;

ModuleSpace Space;
uint8_t Arena[ARENA_SIZE];
const uint8_t* Input = nullptr;
size_t InputSize = 0;

void OverwriteAnswer(uint8_t* section, uint32_t sectionSize, void*) {
    const size_t n = InputSize < sectionSize ? InputSize : sectionSize;
    if (n != 0) std::memcpy(section, Input, n);
}

bool InsideSlot(uint32_t i) {
    for (const Slot& s : SLOTS)
        if (i >= s.At && i < s.At + s.Size) return true;
    return false;
}

void Setup() {
    FakeKernelReset();
    FakeSetTopLevelWindow("FS98MAIN", SIM_WINDOW);
    for (uint32_t i = 0; i < MODULE_SPACE_SIZE; i++) Space.Bytes[i] = static_cast<uint8_t>(i * 13 + 7);
    FakeAttachModule(SIM_WINDOW, &Space);
    if (LinkOpen(SIM_WINDOW, SECTION_SIZE, 2000) != 1) std::abort();
    FakeKernel.AnswerHook = OverwriteAnswer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) {
        Setup();
        ready = true;
    }
    std::memset(Arena, GUARD, sizeof Arena);
    for (const Slot& s : SLOTS) std::memset(Arena + s.At, UNTOUCHED, s.Size);

    const uint8_t two[2] = {0xAB, 0xCD};
    const uint8_t five[5] = {1, 2, 3, 4, 5};
    LinkRead(SLOTS[0].Offset, SLOTS[0].Size, Arena + SLOTS[0].At);
    LinkWrite(0x500, sizeof two, two);
    LinkRead(SLOTS[1].Offset, SLOTS[1].Size, Arena + SLOTS[1].At);
    LinkRead(SLOTS[2].Offset, SLOTS[2].Size, Arena + SLOTS[2].At);
    LinkWrite(0x600, sizeof five, five);
    LinkRead(SLOTS[3].Offset, SLOTS[3].Size, Arena + SLOTS[3].At);
    LinkRead(0x700, 3, nullptr);

    Input = data;
    InputSize = size;
    if (LinkProcess() != 1) std::abort();
    if (Link.Cursor != 0 || Link.ReadCount != 0) std::abort();

    for (uint32_t i = 0; i < ARENA_SIZE; i++)
        if (!InsideSlot(i) && Arena[i] != GUARD) std::abort();
    return 0;
}
