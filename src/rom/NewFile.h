#pragma once

// A whole file written so that it is never seen in part: the bytes go into a temporary file beside path, which
// is flushed to the disk and then renamed to path, replacing any file there. A failure leaves path as it was
// and removes the temporary file.

#include "rom/Failure.h"
#include "rom/RomFile.h"

#include <string>

WriteStatus writeNewFile(const std::string& path, const Bytes& bytes);
