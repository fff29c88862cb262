#include "link/request_batch.h"

#include <cstdio>

#include "display/error_box.h"
#include "link/batch_codec.h"

const char* const LINK_MESSAGE_NAME = "FsasmLib:IPC";
const char* const LINK_SECTION_NAME_FORMAT = "FsasmLib:IPC:%X:%X";

LinkState Link = {0, 0, 0, 0, nullptr, 0, 0, LINK_DEFAULT_TIMEOUT_MS, {}, 0, false};

static const char* const TEXT_ATOM_FAILURE = "can't create atom for mapped filename";
static const char* const TEXT_SECTION_FAILURE = "can't create file mapping";
static const char* const TEXT_VIEW_FAILURE = "can't get a view of the mapped file";

void FormatSectionName(char* out, uint32_t outSize, uint32_t processId) {
    if (outSize == 0) return;
    std::snprintf(out, outSize, LINK_SECTION_NAME_FORMAT, static_cast<unsigned>(processId), 1u);
}

static void StartBatch() {
    Link.Cursor = 0;
    Link.ReadCount = 0;
    Link.BatchRefused = false;
}

static int FailOpen(int32_t code, const char* text) {
    ShowError(0, code, text);
    LinkClose();
    return 0;
}

// Creates the named section and its atom. A section of that name that exists already
// belongs to someone else: drop it and try again, a bounded number of times.
static int CreateSection(uint32_t sectionSize) {
    char name[64];
    FormatSectionName(name, sizeof name, PlatformProcessId());
    for (int attempt = 0; attempt < LINK_MAX_CREATE_ATTEMPTS; attempt++) {
        if (Link.NameAtom == 0) {
            Link.NameAtom = PlatformAddAtom(name);
            if (Link.NameAtom == 0) return FailOpen(0, TEXT_ATOM_FAILURE);
        }
        uint32_t lastError = 0;
        Link.Mapping = PlatformCreateSection(name, sectionSize, &lastError);
        if (Link.Mapping == 0) return FailOpen(static_cast<int32_t>(lastError), TEXT_SECTION_FAILURE);
        if (lastError != PLATFORM_ERROR_ALREADY_EXISTS) {
            Link.ViewSize = sectionSize;
            return 1;
        }
        PlatformCloseSection(Link.Mapping);
        Link.Mapping = 0;
        PlatformDeleteAtom(Link.NameAtom);
        Link.NameAtom = 0;
    }
    return FailOpen(static_cast<int32_t>(PLATFORM_ERROR_ALREADY_EXISTS), TEXT_SECTION_FAILURE);
}

int LinkOpen(WindowHandle target, uint32_t sectionSize, uint32_t timeoutMs) {
    if (Link.View != nullptr) return 0;
    Link.TargetWindow = target;
    Link.TimeoutMs = timeoutMs;
    if (Link.MessageId == 0) {
        Link.MessageId = PlatformRegisterMessage(LINK_MESSAGE_NAME);
        if (Link.MessageId == 0) return 0;
    }
    // Detached: the section is still held and is only mapped again.
    if (Link.Mapping == 0 && !CreateSection(sectionSize)) return 0;
    uint32_t lastError = 0;
    Link.View = PlatformMapSection(Link.Mapping, &lastError);
    if (Link.View == nullptr) return FailOpen(static_cast<int32_t>(lastError), TEXT_VIEW_FAILURE);
    StartBatch();
    return 1;
}

void LinkRead(uint32_t offset, uint32_t size, void* destination) {
    if (Link.View == nullptr || Link.BatchRefused) return;
    if (Link.ReadCount >= LINK_MAX_PENDING_READS ||
        !RecordFits(Link.Cursor, ReadRecordLength(size), Link.ViewSize)) {
        Link.BatchRefused = true;
        return;
    }
    PendingRead& read = Link.Reads[Link.ReadCount];
    read.Destination = static_cast<uint8_t*>(destination);
    read.RecordOffset = Link.Cursor;
    read.Offset = offset;
    read.Size = size;
    Link.ReadCount++;
    EncodeReadRecord(Link.View + Link.Cursor, offset, size, static_cast<uint32_t>(Link.ReadCount));
    Link.Cursor += static_cast<uint32_t>(ReadRecordLength(size));
}

void LinkWrite(uint32_t offset, uint32_t size, const void* source) {
    if (Link.View == nullptr || Link.BatchRefused) return;
    if (!RecordFits(Link.Cursor, WriteRecordLength(size), Link.ViewSize)) {
        Link.BatchRefused = true;
        return;
    }
    EncodeWriteRecord(Link.View + Link.Cursor, offset, size, source);
    Link.Cursor += static_cast<uint32_t>(WriteRecordLength(size));
}

int LinkProcess() {
    if (Link.View == nullptr) return 0;
    // A batch with a refused record would do only part of what its caller asked.
    if (Link.BatchRefused || !RecordFits(Link.Cursor, 0, Link.ViewSize)) {
        StartBatch();
        return 0;
    }
    const uint32_t batchEnd = Link.Cursor;
    EncodeTerminator(Link.View + batchEnd);
    Link.Cursor = 0;
    for (int attempt = 1; attempt <= LINK_TRIES; attempt++) {
        intptr_t result = 0;
        if (PlatformSendMessageTimeout(Link.TargetWindow, Link.MessageId, Link.NameAtom, 0, Link.TimeoutMs,
                                       &result) &&
            result == 1) {
            DeliverReads(Link.View, batchEnd, Link.Reads, Link.ReadCount);
            StartBatch();
            return 1;
        }
        PlatformSleep(LINK_RETRY_PAUSE_MS);
    }
    StartBatch();
    return 0;
}

void LinkDetach() {
    Link.TargetWindow = 0;
    if (Link.View != nullptr) {
        PlatformUnmapSection(Link.View);
        Link.View = nullptr;
    }
    StartBatch();
}

void LinkClose() {
    Link.TargetWindow = 0;
    Link.MessageId = 0;
    if (Link.NameAtom != 0) {
        PlatformDeleteAtom(Link.NameAtom);
        Link.NameAtom = 0;
    }
    if (Link.View != nullptr) {
        PlatformUnmapSection(Link.View);
        Link.View = nullptr;
    }
    if (Link.Mapping != 0) {
        PlatformCloseSection(Link.Mapping);
        Link.Mapping = 0;
    }
    Link.ViewSize = 0;
    StartBatch();
}
