#include "rom/cStringBuilder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(StringBuilder, StartsEmptyWithoutRoom)
{
    cStringBuilder builder;
    EXPECT_EQ(builder.ToString(), "");
    EXPECT_EQ(builder.capacity(), 0u);
    builder.Append("");
    EXPECT_EQ(builder.ToString(), "");
    EXPECT_EQ(builder.capacity(), 0u);
}

TEST(StringBuilder, GrowsInWholeChunks)
{
    const struct
    {
        std::vector<std::size_t> pieces;
        std::size_t capacity;
    } cases[] = {
        {{1, 1}, 8192},
        {{8192}, 8192},
        {{8193}, 16384},
        {{10000}, 16384},
        {{8000, 500}, 16384},
        {{8191, 0, 1}, 8192},
        {{20000}, 24576},
    };
    for (const auto& c : cases) {
        cStringBuilder builder;
        std::string expected;
        char letter = 'a';
        for (const std::size_t size : c.pieces) {
            const std::string piece(size, letter++);
            builder.Append(piece);
            expected += piece;
        }
        SCOPED_TRACE("total length " + std::to_string(expected.size()));
        EXPECT_EQ(builder.capacity(), c.capacity);
        EXPECT_EQ(builder.length(), expected.size());
        EXPECT_EQ(builder.ToString(), expected);
    }
}

TEST(StringBuilder, KeepsTrailingSpacesOfTheContentOnly)
{
    cStringBuilder builder;
    builder.Append("A");
    builder.Append(" ");
    EXPECT_EQ(builder.ToString(), "A ");
    builder.Append("é");
    EXPECT_EQ(builder.ToString(), "A é");
}
