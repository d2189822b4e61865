#include "TempRom.h"

#include <limits>

namespace {

constexpr std::int32_t FileSize = 0x40000;
constexpr std::int32_t MaxOffset = std::numeric_limits<std::int32_t>::max();

// 0xAB 0x00 0x7F at 0x10 and 0x0C at 0x3A455 among bytes 0x11.
Bytes sampleBytes()
{
    Bytes bytes(FileSize, 0x11);
    bytes[0x3A455] = 0x0C;
    std::copy_n(Bytes{0xAB, 0x00, 0x7F}.begin(), 3, bytes.begin() + 0x10);
    return bytes;
}

} // namespace

// Reads give upper-case digits or a failure; a bad digit pair anywhere, or any byte past the end, refuses
// the whole write; no file is ever created, nor written when it may not be.
TEST(ByteAccess, ReadsAndWritesExactlyTheBytesAskedForOrNothingAtAll)
{
    TempDir dir;
    const std::string path = dir.writeBytes(sampleBytes(), "bytes.gb");
    const std::tuple<std::int32_t, std::int32_t, std::string> reads[] = {
        {0, 1, "11"}, {0x10, 3, "AB007F"}, {0x10, 0, ""}, {FileSize - 1, 2, "62"}, {MaxOffset, 2, "6"}};
    for (const auto& [offset, count, text] : reads) {
        const auto hex = ReadHex(path, offset, count);
        EXPECT_EQ(hex.ok() ? *hex : std::to_string(hex.failure().number), text);
    }
    const std::tuple<std::int32_t, std::string, Writes, int> writes[] = {
        {0x3A455, HexByte(300), {{0x3A455, 0x2C}}, 0},
        {0x200, "ABC", {{0x200, 0x0A}, {0x201, 0xBC}}, 0},
        {FileSize - 2, "caFE", {{FileSize - 2, 0xCA}, {FileSize - 1, 0xFE}}, 0},
        {0x200, "12G4", {}, FailureNumber::TypeMismatch},
        {FileSize - 1, "1234", {}, FailureNumber::BadRecordNumber},
        {MaxOffset, HexByte(-1), {}, FailureNumber::Overflow}};
    for (const auto& [offset, text, expected, number] : writes) {
        dir.writeBytes(sampleBytes(), "bytes.gb");
        EXPECT_EQ(WriteHex(path, offset, text).value_or(Failure{}).number, number) << text;
        EXPECT_TRUE(changedExactly(sampleBytes(), fileBytes(path), expected)) << text;
    }
    EXPECT_EQ(WriteHex(dir.file("missing.gb"), 0, "12").value_or(Failure{}).number, FailureNumber::FileNotFound);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.gb")));
    const ImmutableFile locked(path);
    if (locked.active) {
        EXPECT_EQ(WriteHex(path, 0x3A455, "2C").value_or(Failure{}).number, FailureNumber::PermissionDenied);
        EXPECT_EQ(fileBytes(path), sampleBytes());
    }
}
