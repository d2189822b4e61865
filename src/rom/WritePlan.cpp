#include "rom/WritePlan.h"

#include <algorithm>

void applyWritePlan(Bytes& image, const WritePlan& plan)
{
    for (const ByteWrite& write : plan) {
        std::copy(write.bytes.begin(), write.bytes.end(), image.begin() + write.offset);
    }
}
