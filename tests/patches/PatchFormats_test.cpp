// The two formats byte by byte: patches put together by hand (a BPS one with a right CRC32 of its own, so the checks
// behind it are reached) read as the format means them or are refused with their reason, and the IPS writer's
// records, counted by the patch's size, on a 5 MiB file that reaches the offset that reads as "EOF".

#include "TempRom.h"
#include "patches/Bps.h"
#include "patches/Crc32.h"
#include "patches/Ips.h"

#include <functional>

namespace {

Bytes operator+(Bytes left, const Bytes& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

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

Bytes act(unsigned kind, std::uint64_t length, std::int64_t move = 0)
{
    const Bytes action = number((length - 1) << 2 | kind);
    const auto distance = static_cast<std::uint64_t>(move < 0 ? -move : move);
    return kind < BpsAction::SourceCopy ? action : action + number(distance << 1 | (move < 0 ? 1 : 0));
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

const Bytes Source = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// "BPS1", body, the CRC32s of Source and of made, and the patch's own.
Bytes sealed(const Bytes& body, const Bytes& made)
{
    const Bytes patch = Bytes{'B', 'P', 'S', '1'} + body + littleEndian(crc32Of(Source)) + littleEndian(crc32Of(made));
    return patch + littleEndian(crc32Of(patch));
}

Bytes record(std::uint32_t offset, const Bytes& bytes, std::size_t size)
{
    return Bytes{static_cast<std::uint8_t>(offset >> 16),
                 static_cast<std::uint8_t>(offset >> 8),
                 static_cast<std::uint8_t>(offset),
                 static_cast<std::uint8_t>(size >> 8),
                 static_cast<std::uint8_t>(size)} +
           bytes;
}

Bytes ips(const Bytes& records, const Bytes& after = {})
{
    return Bytes{'P', 'A', 'T', 'C', 'H'} + records + Bytes{'E', 'O', 'F'} + after;
}

// A patch refused: the end of the reason given, the patch, and the failure's number.
struct Refusal
{
    std::string reason;
    Bytes patch;
    int failure = FailureNumber::BadPatch;
};

void expectRefused(const Refusal& refusal, const Result<Bytes>& made, const std::string& name)
{
    SCOPED_TRACE(refusal.reason);
    ASSERT_FALSE(made.ok());
    EXPECT_EQ(made.failure().number, refusal.failure);
    EXPECT_TRUE(made.failure().description.starts_with(name + " ")) << made.failure().description;
    EXPECT_TRUE(made.failure().description.ends_with(refusal.reason)) << made.failure().description;
}

} // namespace

TEST(BpsFormat, ActionsReadAsTheFormatMeansThemOrAreRefused)
{
    using namespace BpsAction;
    // Copies move from where the last copy of their kind ended; a target copy may read what it writes.
    const Bytes made = {0, 1, 2, 3, 8, 9, 10, 11, 2, 3, 0xAA, 0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 8, 9};
    const Bytes actions = act(SourceRead, 4) + act(SourceCopy, 4, 8) + act(SourceCopy, 2, -10) + act(TargetRead, 2) +
                          Bytes{0xAA, 0xBB} + act(TargetCopy, 5, 11) + act(TargetCopy, 2, -12);
    EXPECT_EQ(applyBps(Source, sealed(header(16, 19, 2) + Bytes{'h', 'i'} + actions, made), "every.bps").value(), made);
    const Refusal refusals[] = {
        {"reads past the end of the ROM it was made for.", header(16, 20) + act(SourceRead, 20)},
        {"carries more bytes than the patch holds.", header(16, 9) + act(TargetRead, 9) + Bytes{1, 2}},
        {"copies from outside the ROM it was made for.", header(16, 4) + act(SourceCopy, 4, -1)},
        {"copies from outside the ROM it was made for.", header(16, 4) + act(SourceCopy, 4, 13)},
        {"copies from a part of the ROM not made yet.", header(16, 4) + act(TargetCopy, 4, 0)},
        {"writes past the 4 bytes the patch makes.", header(16, 4) + act(SourceRead, 8)},
        {"the action at byte 7 is cut off.", header(16, 4) + Bytes{0x1C}},
        {"its actions make 8 bytes, its header says 16.", header(16, 16) + act(SourceRead, 8)},
        {"its metadata runs past its end.", header(16, 4, 100)},
        {"its header is cut off.", Bytes{0x90, 0x84, 0x00}},
        {"more than the 16 MiB Tavrik patches.", header(16, 0x1000001), FailureNumber::CannotPatch},
        {"for a ROM of 17 bytes, this one has 16.", header(17, 4), FailureNumber::PatchForAnotherRom},
        // The target's CRC32 is checked last, on the bytes made.
        {", the patch expects " + crcText(crc32Of({})) + ".", header(16, 8) + act(SourceRead, 8)},
    };
    for (const Refusal& refusal : refusals) {
        expectRefused(refusal, applyBps(Source, sealed(refusal.patch, {}), "crafted.bps"), "crafted.bps");
    }
}

TEST(IpsFormat, RecordsReadAsTheFormatMeansThemOrAreRefused)
{
    // Past the end the file grows, the gap filled with 0x00; a size after "EOF" cuts it.
    EXPECT_EQ(applyIps(Source, ips(record(2, {0xAA, 0xBB}, 2) + record(20, {0, 3, 0xCC}, 0)), "grow.ips").value(),
              (Bytes{0, 1, 0xAA, 0xBB, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 0, 0, 0, 0xCC, 0xCC, 0xCC}));
    EXPECT_EQ(applyIps(Source, ips(record(0, {0xFF}, 1), {0, 0, 4}), "cut.ips").value(), (Bytes{0xFF, 1, 2, 3}));
    EXPECT_EQ(applyIps(Source, ips(record(0xFFFFFF, {9}, 1)), "largest.ips").value().size(), 0x1000000U);
    const Bytes start = {'P', 'A', 'T', 'C', 'H'};
    const Refusal refusals[] = {
        {"ends without the \"EOF\" that closes an IPS patch.", start + record(0, {1}, 1)},
        {"it ends inside record 1 (at byte 5).", start + record(0, {1}, 5)},
        {"record 1 (at byte 5) reaches past the 16 MiB Tavrik patches.", ips(record(0xFFFFFF, {1, 2}, 2))},
        {"record 1 (at byte 5) repeats a byte 0 times.", ips(record(3, {0, 0, 7}, 0))},
        {"5 bytes follow the \"EOF\" that closes it.", ips({}, {1, 2, 3, 4, 5})},
        {"size to 17 bytes, more than the 16 its records make.", ips({}, {0, 0, 17})},
    };
    for (const Refusal& refusal : refusals) {
        expectRefused(refusal, applyIps(Source, refusal.patch, "crafted.ips"), "crafted.ips");
    }
}

// Each change's patch has exactly the records it should, by its size: "PATCH" and "EOF", 5 bytes of each record's
// offset and size, and a record's bytes or the 3 of a run's count and byte.
TEST(IpsWriter, WritesTheFewestRecordsAndNoneAtTheEofOffset)
{
    Bytes base(0x500000);
    for (std::size_t at = 0; at < base.size(); ++at) {
        base[at] = static_cast<std::uint8_t>(at * 7 + (at >> 8));
    }
    const auto set = [](std::size_t at, std::size_t count, std::uint8_t value) {
        return [=](Bytes& bytes) { std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), count, value); };
    };
    const auto flip = [](std::size_t at, std::size_t count) {
        return [=](Bytes& bytes) {
            for (std::size_t k = 0; k < count; ++k) {
                bytes[at + k] ^= 0xFF;
            }
        };
    };
    const struct
    {
        const char* name;
        std::function<void(Bytes&)> change;
        std::size_t size;
    } cases[] = {
        // Started a byte earlier, or split there: a record at 0x454F46 would read as the end.
        {"a byte at the EOF offset", flip(IpsEofOffset, 1), 8 + 5 + 2},
        {"a run from the EOF offset", set(IpsEofOffset, 300, 0xAA), 8 + 5 + 2 + 5 + 3},
        {"a record split at the EOF offset", flip(IpsEofOffset - 0xFFFF, 0xFFFF + 2), 8 + 5 + 0xFFFF + 5 + 3},
        {"a change longer than a record", set(0x10000, 0x20000, 0x55), 8 + 3 * 8},
        {"changes close together", [](Bytes& b) { b[0x1000] ^= 1, b[0x1003] ^= 1, b[0x1007] ^= 1; }, 8 + 5 + 8},
        {"changes a record apart", [](Bytes& b) { b[0x1000] ^= 1, b[0x1006] ^= 1; }, 8 + 2 * (5 + 1)},
        {"a run inside changes",
         [](Bytes& b) { std::fill_n(&b[0x2000], 30, 0), b[0x1FFF] ^= 1, b[0x201E] ^= 1; },
         8 + 3 * 5 + 3 + 2},
        {"grown", [](Bytes& b) { b.resize(b.size() + 0x100, 0x33); }, 8 + 5 + 3},
    };
    for (const auto& edit : cases) {
        SCOPED_TRACE(edit.name);
        Bytes edited = base;
        edit.change(edited);
        const auto patch = makeIps(base, edited);
        ASSERT_TRUE(patch.ok());
        EXPECT_EQ(patch->size(), edit.size);
        const auto patched = applyIps(base, *patch, "written.ips");
        ASSERT_TRUE(patched.ok()) << patched.failure().description;
        EXPECT_TRUE(*patched == edited);
    }
}
