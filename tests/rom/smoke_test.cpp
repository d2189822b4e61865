#include "SyntheticRom.h"
#include "TempRom.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "rom/DisplayText.h"
#include "trainers/TrainerRecord.h"

#include <gtest/gtest.h>

TEST(Smoke, SyntheticImagesReadBack)
{
    TempDir dir;
    for (GameVersion v : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        const auto path = dir.write(SyntheticRom(v));
        const auto rec = recognizeRom(path);
        ASSERT_TRUE(rec.ok());
        ASSERT_NE(rec->profile, nullptr);
        auto file = RomFile::open(path, RomFile::Mode::Read);
        ASSERT_TRUE(file.ok());
        const auto roster = readRoster(file.value(), *rec->profile);
        ASSERT_TRUE(roster.ok());
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(trimBlanks((*roster)[static_cast<std::size_t>(i)]), SyntheticRom::trainerName(i));
        }
        const auto moves = moveNames(file.value(), *rec->profile);
        ASSERT_TRUE(moves.ok());
        EXPECT_EQ(moves->size(), 165u);
        const auto items = itemNames(file.value(), *rec->profile);
        EXPECT_EQ(items->size(), 82u);
        const auto species = speciesNames(file.value(), *rec->profile);
        EXPECT_EQ(species->size(), 191u);
        EXPECT_EQ((*species)[190], SyntheticRom::speciesName(190));
    }
}
