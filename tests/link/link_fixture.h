// Shared pieces of the link tests: a fixture with a simulator window served by an
// in-process module, a capture of the batch as the module saw it, and a batch builder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "display/app_state.h"
#include "link/byte_order.h"
#include "link/module_contract.h"
#include "link/request_batch.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_ui.h"
#include "weather/exchange.h"

constexpr WindowHandle SIM_WINDOW = 0x5150;
constexpr uint32_t SECTION_SIZE = 32700;
constexpr uint32_t TIMEOUT_MS = 2000;

struct BatchRecord {
    uint32_t Type;
    uint32_t Offset;
    uint32_t Size;
    uint32_t Start;  // where the record begins in the section
    std::vector<uint8_t> Data;
};

// The records of a batch image, up to its terminator; Length counts the terminator.
struct ParsedBatch {
    std::vector<BatchRecord> Records;
    uint32_t Length = 0;
    bool Terminated = false;
};

inline ParsedBatch ParseBatch(const uint8_t* bytes, uint32_t size) {
    ParsedBatch batch;
    uint64_t at = 0;
    while (at + 4 <= size) {
        uint32_t type = LoadU32(bytes + at);
        if (type == 0) {
            batch.Length = static_cast<uint32_t>(at + 4);
            batch.Terminated = true;
            return batch;
        }
        uint32_t head = type == RECORD_READ ? READ_HEAD_SIZE : WRITE_HEAD_SIZE;
        if ((type != RECORD_READ && type != RECORD_WRITE) || at + head > size) break;
        uint32_t recordSize = LoadU32(bytes + at + 8);
        if (at + head + recordSize > size) break;
        BatchRecord r{type, LoadU32(bytes + at + 4), recordSize, static_cast<uint32_t>(at), {}};
        r.Data.assign(bytes + at + head, bytes + at + head + recordSize);
        batch.Records.push_back(r);
        at += head + recordSize;
    }
    return batch;
}

// Builds batch images by hand for the module's side.
struct BatchBuilder {
    std::vector<uint8_t> Bytes;
    void Read(uint32_t offset, uint32_t size, uint32_t destination = 1) {
        Head(RECORD_READ, offset, size);
        Word(destination);
        Bytes.resize(Bytes.size() + size, 0);
    }
    void Write(uint32_t offset, std::vector<uint8_t> data) {
        Head(RECORD_WRITE, offset, static_cast<uint32_t>(data.size()));
        Bytes.insert(Bytes.end(), data.begin(), data.end());
    }
    void Head(uint32_t type, uint32_t offset, uint32_t size) {
        Word(type);
        Word(offset);
        Word(size);
    }
    void Word(uint32_t value) {
        uint8_t w[4];
        StoreU32(w, value);
        Bytes.insert(Bytes.end(), w, w + 4);
    }
    void End() { Word(0); }
};

// Every test starts with nothing held, a simulator window and a module with an empty space.
class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        LinkClose();
        Link.TimeoutMs = LINK_DEFAULT_TIMEOUT_MS;
        FakeKernelReset();
        FakeUiReset();
        ResetAppState();
        ResetExchangeState();
        Space = new ModuleSpace{};
        FakeSetTopLevelWindow("FS98MAIN", SIM_WINDOW);
        FakeAttachModule(SIM_WINDOW, Space);
        Captured = {};
    }
    void TearDown() override {
        LinkClose();
        FakeKernelReset();
        delete Space;
    }

    static bool Open() { return LinkOpen(SIM_WINDOW, SECTION_SIZE, TIMEOUT_MS) == 1; }

    // Keeps a copy of the section as it stands after the module's answer.
    void CaptureAnswers() {
        FakeKernel.AnswerHook = [](uint8_t* section, uint32_t size, void* context) {
            static_cast<LinkTest*>(context)->Captured = ParseBatch(section, size);
        };
        FakeKernel.AnswerContext = this;
    }
    // Processes the queued batch without running the module, so the capture shows the
    // batch exactly as queued.
    int ProcessUnanswered() {
        FakeDetachModule(SIM_WINDOW);
        CaptureAnswers();
        FakeScriptSends(1, FAKE_SEND_RESULT, 1);
        int result = LinkProcess();
        FakeAttachModule(SIM_WINDOW, Space);
        return result;
    }

    ModuleSpace* Space = nullptr;
    ParsedBatch Captured;
};
