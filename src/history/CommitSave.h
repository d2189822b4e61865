#pragma once

// The one way every save reaches a ROM file: the bytes the plan changes are recorded in the ROM's history (fsynced)
// before the first is written, then the plan is written in its order and fsynced. A save that changes no byte is
// written as planned and not recorded.

#include "rom/Failure.h"
#include "rom/WritePlan.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct CommitOptions
{
    // A word the history keeps with the save ("difficulty"), so that a later question can find saves of its kind.
    std::string kind;
    // "Keep the global checksum right": the save also writes the cartridge's global checksum (0x14E-0x14F) as it
    // must be once the plan is written. The hardware never checks it, so it is off unless asked for.
    bool keepGlobalChecksum = false;
};

struct Commit
{
    // Bytes whose value the save changed, the checksum's among them.
    std::int64_t bytesChanged = 0;
    bool checksumWritten = false;
};

// Writes plan, made on image (the whole file as it is now), into the file at path. label says what was saved, as
// the history lists it and undo names it ("the save of BROCK party 1"). A failure before the first byte ends in
// "Nothing was written."; one part way leaves the history marked so that an undo restores every byte the save
// replaced. runsWritten, when given, gets how many runs of plan reached the file whole.
Result<Commit> commitSave(const std::string& path,
                          const Bytes& image,
                          const WritePlan& plan,
                          const std::string& label,
                          const CommitOptions& options = {},
                          std::size_t* runsWritten = nullptr);

// The label of a window's save of what: "the save of BROCK party 1"; "a save" when what is empty.
std::string saveLabel(std::string_view what);
