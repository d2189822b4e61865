#include "rom/HexFunctions.h"

#include "rom/RomFile.h"
#include "rom/modGameText.h"

#include <limits>

namespace {

constexpr char Digits[] = "0123456789ABCDEF";

int digitValue(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return digit - 'a' + 10;
}

bool overflows(std::int32_t offset, std::int64_t count)
{
    return offset < 0 || static_cast<std::int64_t>(offset) + count > std::numeric_limits<std::int32_t>::max();
}

Failure overflowFailure(std::int32_t offset)
{
    return {FailureNumber::Overflow, "Overflow: offset " + std::to_string(offset) + " lies outside any ROM"};
}

} // namespace

Result<std::string> ReadHex(const std::string& path, std::int32_t offset, std::int32_t count)
{
    if (count <= 0) {
        return std::string();
    }
    if (overflows(offset, count)) {
        return overflowFailure(offset);
    }
    auto file = RomFile::open(path, RomFile::Mode::Read);
    if (!file) {
        return file.failure();
    }
    const auto bytes = file.value().read(offset, count);
    if (!bytes) {
        return bytes.failure();
    }
    std::string text;
    text.reserve(bytes->size() * 2);
    for (const std::uint8_t byte : *bytes) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
    return text;
}

WriteStatus WriteHex(const std::string& path, std::int32_t offset, const std::string& hexText)
{
    const std::string digits = hexText.size() % 2 == 1 ? "0" + hexText : hexText;
    Bytes bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const std::string pair = digits.substr(i, 2);
        if (!IsHexDigits(pair)) {
            return Failure{FailureNumber::TypeMismatch,
                           "Type mismatch: \"" + pair + "\" is not a hexadecimal byte; nothing was written"};
        }
        bytes.push_back(static_cast<std::uint8_t>(digitValue(pair[0]) * 16 + digitValue(pair[1])));
    }
    if (bytes.empty()) {
        return std::nullopt;
    }
    if (overflows(offset, static_cast<std::int64_t>(bytes.size()))) {
        return overflowFailure(offset);
    }
    auto file = RomFile::open(path, RomFile::Mode::ReadWrite);
    if (!file) {
        return file.failure();
    }
    return file.value().write(offset, bytes);
}

std::string HexByte(long value)
{
    const auto byte = static_cast<unsigned long>(value) & 0xFFU;
    return {Digits[byte >> 4], Digits[byte & 0x0F]};
}
