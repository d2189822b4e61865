#include "TempRom.h"

#include <cstdlib>
#include <stdexcept>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrik-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::write(const SyntheticRom& rom, const std::string& name) const
{
    const std::string path = file(name);
    rom.writeTo(path);
    return path;
}

std::vector<std::int64_t> differingOffsets(const Bytes& before, const Bytes& after)
{
    if (before.size() != after.size()) {
        return {-1};
    }
    std::vector<std::int64_t> offsets;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            offsets.push_back(static_cast<std::int64_t>(i));
        }
    }
    return offsets;
}
