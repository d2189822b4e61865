// The two formats byte by byte: BPS patches put together by hand (each with a right CRC32 of its own, so the
// checks behind it are reached) read as the format means them or are refused with their reason; IPS patches
// likewise; and the IPS writer's records on a 5 MiB file, which reaches the offset that reads as "EOF".

#include "TempRom.h"
#include "patches/Bps.h"
#include "patches/Crc32.h"
#include "patches/Ips.h"

#include <functional>

namespace {

// A BPS number: 7 bits a byte, the lowest first, the top bit on the last, each further byte one step more.
Bytes number(std::uint64_t value)
{
    Bytes bytes;
    for (;; --value) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0x7F));
        if ((value >>= 7) == 0) {
            bytes.back() |= 0x80;
            return bytes;
        }
    }
}

Bytes operator+(Bytes left, const Bytes& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

Bytes action(unsigned kind, std::uint64_t length)
{
    return number((length - 1) << 2 | kind);
}

Bytes copy(unsigned kind, std::uint64_t length, std::int64_t move)
{
    return action(kind, length) + number(static_cast<std::uint64_t>(move < 0 ? -move : move) << 1 | (move < 0 ? 1 : 0));
}

Bytes header(std::uint64_t source, std::uint64_t target, std::uint64_t metadata = 0)
{
    return number(source) + number(target) + number(metadata);
}

Bytes littleEndian(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value),
            static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 24)};
}

// "BPS1", body, and the three CRC32s, the patch's own right.
Bytes sealed(const Bytes& body, const Bytes& source, std::uint32_t targetCrc)
{
    Bytes patch = Bytes{'B', 'P', 'S', '1'} + body + littleEndian(crc32Of(source)) + littleEndian(targetCrc);
    return patch + littleEndian(crc32Of(patch));
}

const Bytes Source = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

struct Crafted
{
    const char* name;
    Bytes body;
    // What it makes, or else the end of the reason it is refused with.
    Bytes made;
    std::string reason = {};
    int failure = FailureNumber::BadPatch;
};

} // namespace

TEST(BpsFormat, ActionsReadAsTheFormatMeansThemOrAreRefused)
{
    using namespace BpsAction;
    const Crafted cases[] = {
        // Copies move from where the last copy of their kind ended; a target copy may read what it writes.
        {"every action",
         header(16, 19) + action(SourceRead, 4) + copy(SourceCopy, 4, 8) + copy(SourceCopy, 2, -10) +
             action(TargetRead, 2) + Bytes{0xAA, 0xBB} + copy(TargetCopy, 5, 11) + copy(TargetCopy, 2, -12),
         {0, 1, 2, 3, 8, 9, 10, 11, 2, 3, 0xAA, 0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 8, 9}},
        // Numbers of two bytes, written out: 300 and the action (298 << 2 | 3), with the metadata skipped.
        {"two-byte numbers", Bytes{0x90, 0x2C, 0x81, 0x82, 'h', 'i', 0x80, 0x2B, 0x88, 0x80}, Bytes(300, 0)},
        {"source read past the source",
         header(16, 20) + action(SourceRead, 20),
         {},
         "reads past the end of the ROM it was made for."},
        {"target read past the patch",
         header(16, 10) + action(TargetRead, 10) + Bytes{1, 2, 3},
         {},
         "carries more bytes than the patch holds."},
        {"source copy before the source",
         header(16, 4) + copy(SourceCopy, 4, -1),
         {},
         "copies from outside the ROM it was made for."},
        {"source copy past the source",
         header(16, 4) + copy(SourceCopy, 4, 13),
         {},
         "copies from outside the ROM it was made for."},
        {"target copy of nothing yet",
         header(16, 4) + copy(TargetCopy, 4, 0),
         {},
         "copies from a part of the ROM not made yet."},
        {"action past the target",
         header(16, 4) + action(SourceRead, 8),
         {},
         "writes past the 4 bytes the patch makes."},
        {"number cut off", header(16, 4) + Bytes{0x1C}, {}, "the action at byte 7 is cut off."},
        {"copy cut off", header(16, 4) + action(SourceCopy, 4), {}, "the action at byte 7 is cut off."},
        {"too few bytes", header(16, 16) + action(SourceRead, 8), {}, "its actions make 8 bytes, its header says 16."},
        {"metadata past the end", header(16, 4, 100) + action(SourceRead, 4), {}, "its metadata runs past its end."},
        {"header cut off", Bytes{0x90, 0x84, 0x00}, {}, "its header is cut off."},
        {"target too large",
         header(16, 0x1000001),
         {},
         "more than the 16 MiB Tavrik patches.",
         FailureNumber::CannotPatch},
        {"source of another size",
         header(17, 4),
         {},
         "was made for a ROM of 17 bytes, this one has 16.",
         FailureNumber::PatchForAnotherRom},
    };
    for (const Crafted& crafted : cases) {
        SCOPED_TRACE(crafted.name);
        const auto made = applyBps(Source, sealed(crafted.body, Source, crc32Of(crafted.made)), "crafted.bps");
        if (crafted.reason.empty()) {
            ASSERT_TRUE(made.ok()) << made.failure().description;
            EXPECT_EQ(*made, crafted.made);
            continue;
        }
        ASSERT_FALSE(made.ok());
        EXPECT_EQ(made.failure().number, crafted.failure);
        EXPECT_TRUE(made.failure().description.starts_with("crafted.bps ")) << made.failure().description;
        EXPECT_TRUE(made.failure().description.ends_with(crafted.reason)) << made.failure().description;
    }
    // The target's CRC32 is checked last, on the bytes made.
    const auto wrong = applyBps(Source, sealed(header(16, 8) + action(SourceRead, 8), Source, 0x12345678), "t.bps");
    ASSERT_FALSE(wrong.ok());
    EXPECT_TRUE(wrong.failure().description.ends_with(", the patch expects 12345678.")) << wrong.failure().description;
}

namespace {

Bytes ips(const Bytes& records, const Bytes& after = {})
{
    return Bytes{'P', 'A', 'T', 'C', 'H'} + records + Bytes{'E', 'O', 'F'} + after;
}

Bytes record(std::uint32_t offset, const Bytes& bytes)
{
    return Bytes{static_cast<std::uint8_t>(offset >> 16),
                 static_cast<std::uint8_t>(offset >> 8),
                 static_cast<std::uint8_t>(offset),
                 static_cast<std::uint8_t>(bytes.size() >> 8),
                 static_cast<std::uint8_t>(bytes.size())} +
           bytes;
}

Bytes runRecord(std::uint32_t offset, std::uint16_t count, std::uint8_t value)
{
    return record(offset, {}) + Bytes{static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count), value};
}

} // namespace

TEST(IpsFormat, RecordsReadAsTheFormatMeansThemOrAreRefused)
{
    const Crafted cases[] = {
        // Past the end the file grows, the gap filled with 0x00.
        {"records and runs",
         ips(record(2, {0xAA, 0xBB}) + runRecord(20, 3, 0xCC)),
         {0, 1, 0xAA, 0xBB, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 0, 0, 0, 0xCC, 0xCC, 0xCC}},
        {"size after the end", ips(record(0, {0xFF}), {0, 0, 4}), {0xFF, 1, 2, 3}},
        {"no end",
         Bytes{'P', 'A', 'T', 'C', 'H'} + record(0, {1}),
         {},
         "it ends without the \"EOF\" that closes an IPS patch."},
        {"cut inside a record",
         Bytes{'P', 'A', 'T', 'C', 'H', 0, 0, 1, 0, 5, 1, 2},
         {},
         "it ends inside record 1 (at byte 5)."},
        {"cut inside a run",
         Bytes{'P', 'A', 'T', 'C', 'H'} + record(0, {1}) + Bytes{0, 0, 1, 0, 0, 0},
         {},
         "it ends inside record 2 (at byte 11)."},
        {"past 16 MiB",
         ips(record(0xFFFFFF, {1, 2})),
         {},
         "record 1 (at byte 5) reaches past the 16 MiB Tavrik patches."},
        {"a run of nothing", ips(runRecord(3, 0, 7)), {}, "record 1 (at byte 5) repeats a byte 0 times."},
        {"bytes after the end", ips({}, {1, 2, 3, 4, 5}), {}, "5 bytes follow the \"EOF\" that closes it."},
        {"size after the end too large",
         ips({}, {0, 0, 17}),
         {},
         "it sets the patched file's size to 17 bytes, more than the 16 its records make."},
        {"not a patch", Bytes{'P', 'A', 'T', 'C', 'X'}, {}, "is not an IPS patch: it does not start with \"PATCH\"."},
    };
    for (const Crafted& crafted : cases) {
        SCOPED_TRACE(crafted.name);
        const auto made = applyIps(Source, crafted.body, "crafted.ips");
        if (crafted.reason.empty()) {
            ASSERT_TRUE(made.ok()) << made.failure().description;
            EXPECT_EQ(*made, crafted.made);
            continue;
        }
        ASSERT_FALSE(made.ok());
        EXPECT_EQ(made.failure().number, crafted.failure);
        EXPECT_TRUE(made.failure().description.starts_with("crafted.ips ")) << made.failure().description;
        EXPECT_TRUE(made.failure().description.ends_with(crafted.reason)) << made.failure().description;
    }
    // The last byte of 16 MiB can be written.
    const auto largest = applyIps(Source, ips(record(0xFFFFFF, {9})), "largest.ips");
    ASSERT_TRUE(largest.ok());
    EXPECT_EQ(largest->size(), 0x1000000U);
    EXPECT_EQ(largest->back(), 9);
}

namespace {

struct Record
{
    std::size_t offset;
    std::size_t size;
    bool run;
};

// The records of an IPS patch the writer made, walked as any patcher walks them.
std::vector<Record> records(const Bytes& patch)
{
    std::vector<Record> found;
    for (std::size_t at = 5; at + 3 <= patch.size() && !std::equal(&patch[at], &patch[at] + 3, "EOF");) {
        const std::size_t offset = std::size_t{patch[at]} << 16 | std::size_t{patch[at + 1]} << 8 | patch[at + 2];
        const std::size_t size = std::size_t{patch[at + 3]} << 8 | patch[at + 4];
        const std::size_t count = size != 0 ? size : std::size_t{patch[at + 5]} << 8 | patch[at + 6];
        found.push_back({offset, count, size == 0});
        at += size != 0 ? 5 + size : 8;
    }
    return found;
}

} // namespace

TEST(IpsWriter, RecordsStayClearOfEofAndWithinTheirSize)
{
    Bytes base(0x500000);
    for (std::size_t at = 0; at < base.size(); ++at) {
        base[at] = static_cast<std::uint8_t>(at * 7 + (at >> 8));
    }
    std::mt19937 random(5);
    const auto randomFill = [&random](Bytes& bytes, std::size_t from, std::size_t count) {
        for (std::size_t k = 0; k < count; ++k) {
            bytes[from + k] = static_cast<std::uint8_t>(random());
        }
    };
    const struct
    {
        const char* name;
        std::function<void(Bytes&)> edit;
        std::size_t records;
    } cases[] = {
        {"a byte at the EOF offset", [](Bytes& b) { b[IpsEofOffset] ^= 1; }, 1},
        {"a run from the EOF offset", [](Bytes& b) { std::fill_n(&b[IpsEofOffset], 300, 0xAA); }, 2},
        {"a split onto the EOF offset", [&](Bytes& b) { randomFill(b, IpsEofOffset - 0xFFFF, 0xFFFF + 10); }, 2},
        {"a long change", [&](Bytes& b) { randomFill(b, 0x10000, 0x20000); }, 3},
        {"a run longer than a record", [](Bytes& b) { std::fill_n(&b[0x200000], 0x30000, 0); }, 4},
        {"close changes", [](Bytes& b) { b[0x1000] ^= 1, b[0x1003] ^= 1, b[0x1007] ^= 1; }, 1},
        {"changes a record apart", [](Bytes& b) { b[0x1000] ^= 1, b[0x1006] ^= 1; }, 2},
        {"grown", [](Bytes& b) { b.resize(b.size() + 0x100, 0x33); }, 1},
    };
    for (const auto& change : cases) {
        SCOPED_TRACE(change.name);
        Bytes edited = base;
        change.edit(edited);
        const auto patch = makeIps(base, edited);
        ASSERT_TRUE(patch.ok());
        const std::vector<Record> written = records(*patch);
        EXPECT_EQ(written.size(), change.records);
        for (const Record& each : written) {
            EXPECT_NE(each.offset, IpsEofOffset);
            EXPECT_TRUE(each.size >= 1 && each.size <= IpsLargestRecord);
        }
        const auto patched = applyIps(base, *patch, "written.ips");
        ASSERT_TRUE(patched.ok()) << patched.failure().description;
        EXPECT_TRUE(*patched == edited);
    }
}
