#include "TempRom.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrik-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::write(const SyntheticRom& rom, const std::string& name) const
{
    return writeBytes(rom.bytes(), name);
}

std::string TempDir::writeBytes(const Bytes& bytes, const std::string& name) const
{
    const std::string path = file(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

ImmutableFile::ImmutableFile(std::string path) : m_path(std::move(path))
{
    m_active = std::system(("chattr +i '" + m_path + "' 2>/dev/null").c_str()) == 0;
}

ImmutableFile::~ImmutableFile()
{
    if (m_active && std::system(("chattr -i '" + m_path + "'").c_str()) != 0) {
        ADD_FAILURE() << "cannot make " << m_path << " writable again";
    }
}

Bytes fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

::testing::AssertionResult
changedExactly(const Bytes& before, const Bytes& after, const std::map<std::int64_t, std::uint8_t>& writes)
{
    Bytes expected = before;
    for (const auto& [offset, value] : writes) {
        expected.at(static_cast<std::size_t>(offset)) = value;
    }
    if (after == expected) {
        return ::testing::AssertionSuccess();
    }
    if (before.size() != after.size()) {
        return ::testing::AssertionFailure() << "the length changed from " << before.size() << " to " << after.size();
    }
    std::ostringstream problems;
    for (std::size_t offset = 0, shown = 0; offset < after.size() && shown < 8; ++offset) {
        if (after[offset] != expected[offset]) {
            problems << std::hex << " byte 0x" << offset << " is 0x" << int{after[offset]} << ", not 0x"
                     << int{expected[offset]};
            ++shown;
        }
    }
    return ::testing::AssertionFailure() << problems.str();
}
