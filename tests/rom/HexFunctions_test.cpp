#include "TempRom.h"
#include "rom/HexFunctions.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>
#include <unistd.h>

namespace {

constexpr std::int32_t FileSize = 0x40000;
constexpr std::int32_t MaxOffset = std::numeric_limits<std::int32_t>::max();

class ByteAccess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Bytes bytes(FileSize, 0x11);
        bytes[0x3A455] = 0x0C;
        std::copy_n(Bytes{0xAB, 0x00, 0x7F}.begin(), 3, bytes.begin() + 0x10);
        path = dir.writeBytes(bytes, "bytes.gb");
    }

    TempDir dir;
    std::string path;
};

} // namespace

TEST_F(ByteAccess, ReadsUpperCaseDigitsOrFails)
{
    const std::tuple<std::int32_t, std::int32_t, std::string, int> cases[] = {
        {0x3A455, 1, "0C", 0},
        {0x10, 3, "AB007F", 0},
        {0x10, 0, "", 0},
        {0x10, -1, "", 0},
        {FileSize - 1, 1, "11", 0},
        {FileSize - 1, 2, "", FailureNumber::InputPastEnd},
        {FileSize + 100, 1, "", FailureNumber::InputPastEnd},
        {-1, 1, "", FailureNumber::Overflow},
        {MaxOffset, 2, "", FailureNumber::Overflow}};
    for (const auto& [offset, count, text, failure] : cases) {
        const auto hex = ReadHex(path, offset, count);
        EXPECT_EQ(hex.ok() ? 0 : hex.failure().number, failure) << count << " at " << offset;
        EXPECT_EQ(hex.ok() ? *hex : "", text) << count << " at " << offset;
    }
}

TEST_F(ByteAccess, WritesExactlyTheBytesOfTheTextOrNothingAtAll)
{
    // A bad digit pair anywhere, or any byte past the end, refuses the whole text.
    const std::tuple<std::int32_t, std::string, Bytes, int> cases[] = {
        {0x3A455, "2C", {0x2C}, 0},
        {0x200, "ABC", {0x0A, 0xBC}, 0},
        {0x300, "ff", {0xFF}, 0},
        {0x500, "00a1B2", {0x00, 0xA1, 0xB2}, 0},
        {FileSize - 2, "CAFE", {0xCA, 0xFE}, 0},
        {0x600, "", {}, 0},
        {0x200, "12G4", {}, FailureNumber::TypeMismatch},
        {FileSize, "12", {}, FailureNumber::BadRecordNumber},
        {FileSize - 1, "1234", {}, FailureNumber::BadRecordNumber},
        {-1, "12", {}, FailureNumber::Overflow},
        {MaxOffset, "1234", {}, FailureNumber::Overflow}};
    for (const auto& [offset, text, bytes, number] : cases) {
        SCOPED_TRACE(text + " at " + std::to_string(offset));
        Bytes expected = readWholeFile(path);
        const auto failure = WriteHex(path, offset, text);
        EXPECT_EQ(failure ? failure->number : 0, number);
        if (!failure) {
            std::copy(bytes.begin(), bytes.end(), expected.begin() + offset);
        }
        // A change of length shows as a difference at -1.
        EXPECT_EQ(differingOffsets(expected, readWholeFile(path)), std::vector<std::int64_t>{});
    }
}

TEST_F(ByteAccess, MissingUnwritableAndUnreadableFilesFailUntouched)
{
    const std::string missing = dir.file("missing.gb");
    EXPECT_EQ(ReadHex(missing, 0, 1).failure().number, FailureNumber::FileNotFound);
    EXPECT_EQ(WriteHex(missing, 0, "12").value_or(Failure{}).number, FailureNumber::FileNotFound);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_FALSE(ReadHex(dir.path().string(), 0, 1).ok());
    EXPECT_TRUE(WriteHex(dir.path().string(), 0, "12").has_value());
    {
        const ImmutableFile locked(path);
        if (locked.active()) {
            EXPECT_EQ(WriteHex(path, 0x3A455, "2C").value_or(Failure{}).number, FailureNumber::PermissionDenied);
            EXPECT_EQ(ReadHex(path, 0x3A455, 1).value(), "0C");
        }
    }
    // Root reads any file, so the read runs in a child that has given up root.
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all | std::filesystem::perms::others_exec);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                std::_Exit(2);
            }
            const auto hex = ReadHex(path, 0x3A455, 1);
            std::_Exit(!hex.ok() && hex.failure().number == FailureNumber::PermissionDenied ? 0 : 1);
        },
        ::testing::ExitedWithCode(0),
        "");
}

TEST(HexByte, KeepsTheLowByte)
{
    const std::pair<long, const char*> cases[] = {{300, "2C"}, {-1, "FF"}, {0, "00"}, {15, "0F"}, {256, "00"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(HexByte(value), text) << value;
    }
}
