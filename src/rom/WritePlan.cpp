#include "rom/WritePlan.h"

#include "rom/HexFunctions.h"

#include <algorithm>

WriteStatus applyWritePlan(const std::string& path, const WritePlan& plan)
{
    for (const ByteWrite& write : plan) {
        std::string hexText;
        for (const std::uint8_t byte : write.bytes) {
            hexText += HexByte(byte);
        }
        if (auto failure = WriteHex(path, write.offset, hexText)) {
            return failure;
        }
    }
    auto file = RomFile::open(path, RomFile::Mode::ReadWrite);
    if (!file) {
        return file.failure();
    }
    return file.value().sync();
}

void applyWritePlan(Bytes& image, const WritePlan& plan)
{
    for (const ByteWrite& write : plan) {
        std::copy(write.bytes.begin(), write.bytes.end(), image.begin() + write.offset);
    }
}
