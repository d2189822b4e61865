#include "TempRom.h"

#include <fstream>
#include <sstream>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrik-test-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
}

std::string TempDir::writeBytes(const Bytes& bytes, const std::string& name) const
{
    std::ofstream(file(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file(name);
}

ImmutableFile::ImmutableFile(const std::string& file)
    : path(file), active(std::system(("chattr +i '" + file + "' 2>/dev/null").c_str()) == 0)
{}

ImmutableFile::~ImmutableFile()
{
    EXPECT_TRUE(!active || std::system(("chattr -i '" + path + "'").c_str()) == 0);
}

Bytes fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

::testing::AssertionResult changedExactly(const Bytes& before, const Bytes& after, const Writes& writes)
{
    Bytes expected = before;
    for (const auto& [offset, value] : writes) {
        expected.at(static_cast<std::size_t>(offset)) = value;
    }
    if (after.size() != expected.size()) {
        return ::testing::AssertionFailure() << "the length changed from " << before.size() << " to " << after.size();
    }
    const auto [differs, expectedThere] = std::mismatch(after.begin(), after.end(), expected.begin());
    if (differs == after.end()) {
        return ::testing::AssertionSuccess();
    }
    std::ostringstream where;
    where << std::hex << "byte 0x" << differs - after.begin() << " is 0x" << int{*differs} << ", not 0x"
          << int{*expectedThere};
    return ::testing::AssertionFailure() << where.str();
}

void addText(Writes& writes, std::int32_t offset, const std::string& text)
{
    for (const std::uint8_t byte : EncodeText(text)) {
        writes[offset++] = byte;
    }
}

void addBytes(Writes& writes, std::int32_t offset, const Bytes& bytes)
{
    for (const std::uint8_t byte : bytes) {
        writes[offset++] = byte;
    }
}
