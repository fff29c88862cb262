// The request batch link: records queued into a shared section and handed to the
// module with one synchronous message; read data delivered after the answer.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

constexpr uint32_t RECORD_READ = 1;
constexpr uint32_t RECORD_WRITE = 2;
constexpr uint32_t READ_HEAD_SIZE = 16;
constexpr uint32_t WRITE_HEAD_SIZE = 12;
constexpr uint32_t TERMINATOR_SIZE = 4;
constexpr int LINK_TRIES = 10;
constexpr uint32_t LINK_RETRY_PAUSE_MS = 200;
constexpr uint32_t LINK_DEFAULT_TIMEOUT_MS = 1500;
constexpr int LINK_MAX_PENDING_READS = 16;
constexpr int LINK_MAX_CREATE_ATTEMPTS = 8;

extern const char* const LINK_MESSAGE_NAME;       // "FsasmLib:IPC"
extern const char* const LINK_SECTION_NAME_FORMAT;  // "FsasmLib:IPC:%X:%X"

// A read queued in the current batch. The record's destination field carries
// Token (index + 1) instead of an address; delivery maps it back here and copies
// at most Size bytes.
struct PendingRead {
    uint8_t* Destination;
    uint32_t RecordOffset;  // where the record starts in the section
    uint32_t Offset;        // offset in the module's space
    uint32_t Size;
};

struct LinkState {
    WindowHandle TargetWindow;
    uint32_t MessageId;
    uint16_t NameAtom;
    SectionHandle Mapping;
    uint8_t* View;        // non-null: the link is open
    uint32_t ViewSize;
    uint32_t Cursor;      // offset of the next record in the view
    uint32_t TimeoutMs;
    PendingRead Reads[LINK_MAX_PENDING_READS];
    int ReadCount;
    bool BatchRefused;    // a record did not fit: the next LinkProcess sends nothing and fails
};

extern LinkState Link;

int LinkOpen(WindowHandle target, uint32_t sectionSize, uint32_t timeoutMs);
void LinkRead(uint32_t offset, uint32_t size, void* destination);
void LinkWrite(uint32_t offset, uint32_t size, const void* source);
int LinkProcess();
void LinkDetach();
void LinkClose();

// Formats the section name for a process id ("FsasmLib:IPC:FF:1" for 255).
void FormatSectionName(char* out, uint32_t outSize, uint32_t processId);
