#pragma once

// Byte access to a ROM file by path, with the bytes carried as hexadecimal text: two upper-case digits
// per byte, in file order ("0C", "AB007F"). Each call opens and closes the file itself. Offsets are
// 0-based. Nothing is created, appended or truncated; a failure comes back as a value.

#include "rom/Failure.h"

#include <cstdint>
#include <string>

// 2 x count digits, or "" for count <= 0; a failure when any byte cannot be read (past the end included).
Result<std::string> ReadHex(const std::string& path, std::int32_t offset, std::int32_t count);

// Writes the digit pairs of hexText (either letter case; an odd count gets a leading "0") at offset
// onwards. The whole text is checked and the whole range must lie inside the file before the first
// byte is written, so a failure leaves the file as it was.
WriteStatus WriteHex(const std::string& path, std::int32_t offset, const std::string& hexText);

// The one-byte text of a value: its low byte in two upper-case digits (300 gives "2C", -1 gives "FF").
std::string HexByte(long value);
