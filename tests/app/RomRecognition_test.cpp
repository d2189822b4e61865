#include "TempRom.h"

TEST(RomRecognition, TakesTheExactCodeOfAnImageThatHoldsTheGamesLayout)
{
    // Long enough for every read: in Red the move walk's last window (0xAFFFF + 167 steps of 13 bytes + 12),
    // in Yellow the last species record.
    const std::size_t redSize = 0xB0886;
    const std::size_t yellowSize = 0xE876C;
    const auto full = SyntheticRom::DefaultSize;
    // The image's version, the code written at 0x13C, the image's size, whether the game's bytes are there,
    // the profile chosen.
    const std::tuple<GameVersion, std::string, std::size_t, bool, const VersionProfile*> cases[] = {
        {GameVersion::Blue, "BLU", full, true, &profileOf(GameVersion::Blue)},
        {GameVersion::Red, "RED", redSize, true, &profileOf(GameVersion::Red)},
        {GameVersion::Red, "RED", redSize - 1, true, nullptr},
        {GameVersion::Yellow, "YEL", yellowSize, true, &profileOf(GameVersion::Yellow)},
        {GameVersion::Yellow, "YEL", yellowSize - 1, true, nullptr},
        {GameVersion::Red, "red", full, true, nullptr},
        {GameVersion::Red, "RED", 0x13E, true, nullptr},
        // The right code over another layout: another language or region, or not the game at all.
        {GameVersion::Red, "RED", full, false, nullptr}};
    for (const auto& [version, code, size, layout, chosen] : cases) {
        Bytes image = layout ? SyntheticRom(version).bytes() : Bytes(full, 0x00);
        std::copy(code.begin(), code.end(), image.begin() + 0x13C);
        image.resize(size);
        EXPECT_EQ(recognizeRom(image).profile, chosen) << code << ", size " << size;
    }
    // One battle in place is enough to be the game.
    Bytes image(full, 0x00);
    const SyntheticRom red(GameVersion::Red);
    const auto snorlax = LayoutOffsets::battle(GameVersion::Red, 4);
    for (const std::int32_t offset : {0x13C, 0x13D, 0x13E, snorlax.species - 1, snorlax.level - 1}) {
        image[static_cast<std::size_t>(offset)] = red.at(offset);
    }
    EXPECT_EQ(recognizeRom(image).profile, &profileOf(GameVersion::Red));
}

// Every save reads the file once more and writes only what is still where it was loaded from.
TEST(SaveGuard, WritesOnlyWhatIsStillWhereItWasLoadedFrom)
{
    TempDir dir;
    const VersionProfile& red = profileOf(GameVersion::Red);
    const std::string path = dir.file("rom.gb");
    const RomTarget rom{path, &red, requiredRomSize(red)};
    const LoadedTrainer loaded = readTrainer(SyntheticRom(GameVersion::Red).bytes(), red, 1);
    TrainerRecord edited = loaded.record;
    edited.name = "NEMOS";
    edited.prizeAmount = 99;
    (*edited.party)[0].level = 42;
    BattleEdits battles;
    battles.fill(BattleValues{7, 77});
    Writes nameAndPrize{{*LayoutOffsets::Red[1].prizeAmount, 99}};
    addText(nameAndPrize, LayoutOffsets::Red[1].name, "NEMOS");
    Writes fiveBattles;
    for (int battle = 0; battle < 5; ++battle) {
        const auto at = LayoutOffsets::battle(GameVersion::Red, battle);
        fiveBattles.insert({{at.species, 7}, {at.level, 77}, {at.secondSpecies.value_or(at.species), 7}});
    }
    SyntheticRom grown(GameVersion::Red);
    grown.growParty(0, 50, 7);
    SyntheticRom cut(GameVersion::Red);
    cut.resize(0x50000);
    SyntheticRom noSnorlax(GameVersion::Red);
    noSnorlax.set(LayoutOffsets::battle(GameVersion::Red, 5).level - 1, 0x00);
    // The file at save time, which writer, the failure, and the bytes written.
    const std::tuple<const char*, std::optional<Bytes>, bool, int, Writes> cases[] = {
        {"its party moved meanwhile", grown.bytes(), true, FailureNumber::NotInPlace, nameAndPrize},
        {"replaced by Blue", SyntheticRom(GameVersion::Blue).bytes(), true, FailureNumber::RomChanged, {}},
        {"cut short", cut.bytes(), false, FailureNumber::RomChanged, {}},
        {"deleted", std::nullopt, true, FailureNumber::FileNotFound, {}},
        {"a battle no longer in place", noSnorlax.bytes(), false, FailureNumber::NotInPlace, fiveBattles}};
    for (const auto& [situation, image, trainer, number, writes] : cases) {
        std::filesystem::remove(path);
        if (image) {
            dir.writeBytes(*image, "rom.gb");
        }
        const WriteStatus failure = [&]() -> WriteStatus {
            if (!trainer) {
                const auto saved = writeBattles(rom, battles, "the battles");
                return saved ? WriteStatus{} : saved.failure();
            }
            const auto saved = writeTrainer(rom, 1, loaded, edited, "a trainer");
            return saved ? WriteStatus{} : saved.failure();
        }();
        EXPECT_EQ(failure.value_or(Failure{}).number, number) << situation;
        EXPECT_TRUE(image ? changedExactly(*image, fileBytes(path), writes) : !std::filesystem::exists(path))
            << situation;
    }
    // A name with a terminator would split the game's name table: nothing is planned.
    edited.name = "MI\\h50";
    EXPECT_EQ(planTrainerWrite(grown.bytes(), red, 1, loaded, edited).failure().number, FailureNumber::NameSplitsTable);
}
