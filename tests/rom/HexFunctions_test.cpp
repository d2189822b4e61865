#include "TempRom.h"
#include "rom/HexFunctions.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <unistd.h>

namespace {

constexpr std::int32_t FileSize = 0x40000;

class ByteAccess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Bytes bytes(FileSize, 0x11);
        bytes[0x3A454] = 0xA1;
        bytes[0x3A455] = 0x0C;
        bytes[0x3A456] = 0xA2;
        bytes[0x10] = 0xAB;
        bytes[0x11] = 0x00;
        bytes[0x12] = 0x7F;
        path = dir.writeBytes(bytes, "bytes.gb");
        before = bytes;
    }

    // Every offset at which the file now differs from what SetUp wrote.
    std::vector<std::int64_t> changes() const { return differingOffsets(before, readWholeFile(path)); }

    TempDir dir;
    std::string path;
    Bytes before;
};

} // namespace

TEST_F(ByteAccess, ReadsBytesAsUpperCaseDigits)
{
    EXPECT_EQ(ReadHex(path, 0x3A455, 1).value(), "0C");
    EXPECT_EQ(ReadHex(path, 0x10, 3).value(), "AB007F");
    EXPECT_EQ(ReadHex(path, 0x10, 0).value(), "");
    EXPECT_EQ(ReadHex(path, 0x10, -1).value(), "");
    EXPECT_EQ(ReadHex(path, FileSize - 1, 1).value(), "11");
}

TEST_F(ByteAccess, WritesExactlyTheBytesOfTheText)
{
    const struct
    {
        std::int32_t offset;
        const char* text;
        Bytes bytes;
    } cases[] = {
        {0x3A455, "2C", {0x2C}},
        {0x200, "ABC", {0x0A, 0xBC}},
        {0x300, "ff", {0xFF}},
        {0x400, "1", {0x01}},
        {0x500, "00a1B2", {0x00, 0xA1, 0xB2}},
        {FileSize - 2, "CAFE", {0xCA, 0xFE}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text: ") + c.text);
        ASSERT_FALSE(WriteHex(path, c.offset, c.text).has_value());
        const Bytes after = readWholeFile(path);
        ASSERT_EQ(after.size(), static_cast<std::size_t>(FileSize));
        std::vector<std::int64_t> expected;
        for (std::size_t k = 0; k < c.bytes.size(); ++k) {
            const auto offset = static_cast<std::size_t>(c.offset) + k;
            EXPECT_EQ(after[offset], c.bytes[k]);
            if (before[offset] != c.bytes[k]) {
                expected.push_back(static_cast<std::int64_t>(offset));
            }
        }
        EXPECT_EQ(differingOffsets(before, after), expected);
        before = after;
    }
    EXPECT_FALSE(WriteHex(path, 0x600, "").has_value());
    EXPECT_TRUE(changes().empty());
}

TEST_F(ByteAccess, RefusedWritesLeaveTheFileAsItWas)
{
    const struct
    {
        std::int32_t offset;
        const char* text;
        int number;
    } cases[] = {
        {0x200, "12G4", FailureNumber::TypeMismatch},
        {0x200, "1234567Z", FailureNumber::TypeMismatch},
        {0x200, "0x12", FailureNumber::TypeMismatch},
        {0x200, "1 ", FailureNumber::TypeMismatch},
        {FileSize, "12", FailureNumber::BadRecordNumber},
        {FileSize - 1, "1234", FailureNumber::BadRecordNumber},
        {-1, "12", FailureNumber::Overflow},
        {std::numeric_limits<std::int32_t>::max(), "1234", FailureNumber::Overflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text: ") + c.text + " at " + std::to_string(c.offset));
        const auto failure = WriteHex(path, c.offset, c.text);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->number, c.number);
        EXPECT_FALSE(failure->description.empty());
        EXPECT_TRUE(changes().empty());
        EXPECT_EQ(std::filesystem::file_size(path), static_cast<std::uintmax_t>(FileSize));
    }
}

TEST_F(ByteAccess, ReadsPastTheEndFail)
{
    for (const std::int32_t offset : {FileSize - 1, FileSize, FileSize + 100}) {
        SCOPED_TRACE("offset " + std::to_string(offset));
        const auto hex = ReadHex(path, offset, 2);
        ASSERT_FALSE(hex.ok());
        EXPECT_EQ(hex.failure().number, FailureNumber::InputPastEnd);
    }
    EXPECT_FALSE(ReadHex(path, -1, 1).ok());
    EXPECT_FALSE(ReadHex(path, std::numeric_limits<std::int32_t>::max(), 2).ok());
}

TEST_F(ByteAccess, MissingFilesAndFoldersAreNeitherReadNorCreated)
{
    const std::string missing = dir.file("missing.gb");
    const auto hex = ReadHex(missing, 0, 1);
    ASSERT_FALSE(hex.ok());
    EXPECT_EQ(hex.failure().number, FailureNumber::FileNotFound);
    const auto failure = WriteHex(missing, 0, "12");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number, FailureNumber::FileNotFound);
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string folder = dir.path().string();
    EXPECT_FALSE(ReadHex(folder, 0, 1).ok());
    EXPECT_TRUE(WriteHex(folder, 0, "12").has_value());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(ByteAccess, AnUnwritableFileIsLeftAlone)
{
    const ImmutableFile locked(path);
    if (!locked.active()) {
        GTEST_SKIP() << "the file system does not allow the immutable attribute here";
    }
    const auto failure = WriteHex(path, 0x3A455, "2C");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number, FailureNumber::PermissionDenied);
    EXPECT_EQ(ReadHex(path, 0x3A455, 1).value(), "0C");
}

TEST_F(ByteAccess, AnUnreadableFileFails)
{
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
    const struct
    {
        long value;
        const char* text;
    } cases[] = {{300, "2C"}, {-1, "FF"}, {0, "00"}, {15, "0F"}, {255, "FF"}, {256, "00"}, {0xAB, "AB"}};
    for (const auto& c : cases) {
        SCOPED_TRACE("value " + std::to_string(c.value));
        EXPECT_EQ(HexByte(c.value), c.text);
    }
}
