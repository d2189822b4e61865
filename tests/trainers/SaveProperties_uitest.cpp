// Properties of saving over the whole layout: random edits of every field of every trainer change the
// file at that trainer's bytes only; a save without edits changes nothing; the game's name table keeps
// its count of terminators. (The battles get random edits in the overworld window's tests.)

#include "LayoutOffsets.h"
#include "SyntheticRom.h"
#include "TempRom.h"
#include "UiHarness.h"
#include "app/Form1.h"
#include "overworld/Form3.h"
#include "trainers/TrainerLayout.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

constexpr GameVersion Versions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

// Every byte a save of the trainer may change.
std::set<std::int64_t> trainerBytes(GameVersion version, int rosterIndex)
{
    const LayoutOffsets::Trainer& at = LayoutOffsets::trainer(version, rosterIndex);
    std::set<std::int64_t> bytes;
    for (int i = 0; i < at.nameLength; ++i) {
        bytes.insert(at.name + i);
    }
    for (int i = 0; i < 2 * at.partySize; ++i) {
        bytes.insert(at.party + i);
    }
    for (const auto& offset : {at.move, at.moveUser}) {
        if (offset) {
            bytes.insert(*offset);
        }
    }
    if (at.prizeAmount) {
        bytes.insert({*at.prizeAmount, *at.prizeAmount + 1});
    }
    return bytes;
}

long terminatorsInNameTable(const Bytes& file, GameVersion version)
{
    const auto [first, end] = LayoutOffsets::nameTable(version);
    return std::count(file.begin() + first, file.begin() + end, 0x50);
}

QString randomName(std::mt19937& random, int maxLength)
{
    static const QString Alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 !?.,é");
    const int length = std::uniform_int_distribution<int>(1, maxLength)(random);
    QString name;
    for (int i = 0; i < length; ++i) {
        name += Alphabet.at(std::uniform_int_distribution<qsizetype>(0, Alphabet.size() - 1)(random));
    }
    return name;
}

int pick(std::mt19937& random, int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

class SaveProperties : public ::testing::TestWithParam<GameVersion>
{
protected:
    EditorUnderTest editor;
};

TEST_P(SaveProperties, RandomEditsChangeOnlyTheTrainersBytesAndReadBack)
{
    const GameVersion version = GetParam();
    const std::string path = editor.open(SyntheticRom(version));
    std::mt19937 random(20261206u + static_cast<unsigned>(version));
    for (int round = 0; round < 2; ++round) {
        for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", trainer " << rosterIndex);
            clickTrainer(editor.window, rosterIndex);
            const TrainerLayout& layout = trainerLayout(version, rosterIndex);
            const QString name = randomName(random, layout.nameMaxLength);
            editor.find<QLineEdit>("namebox")->setText(name);
            std::vector<std::pair<int, int>> party;
            for (int member = 1; member <= layout.partySize; ++member) {
                party.emplace_back(pick(random, 256), pick(random, 191));
                editor.window.levelBox(member)->setText(QString::number(party.back().first));
                editor.window.speciesBox(member)->setCurrentIndex(party.back().second);
            }
            auto* items = editor.find<QComboBox>("itemlst");
            auto* moves = editor.find<QComboBox>("attacklst");
            auto* user = editor.find<QComboBox>("pkmnno");
            const int item = pick(random, items->count());
            const int amount = pick(random, 256);
            const int move = pick(random, moves->count());
            const int userIndex = pick(random, layout.partySize);
            items->setCurrentIndex(item);
            editor.find<QLineEdit>("itemquant")->setText(QString::number(amount));
            moves->setCurrentIndex(move);
            user->setCurrentIndex(userIndex);

            const Bytes before = readWholeFile(path);
            editor.save();
            const Bytes after = readWholeFile(path);
            const auto allowed = trainerBytes(version, rosterIndex);
            for (const std::int64_t offset : differingOffsets(before, after)) {
                EXPECT_TRUE(allowed.count(offset) == 1) << "byte 0x" << std::hex << offset << " changed";
            }
            EXPECT_EQ(terminatorsInNameTable(after, version), terminatorsInNameTable(before, version));

            clickTrainer(editor.window, rosterIndex);
            EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), name.trimmed());
            for (int member = 1; member <= layout.partySize; ++member) {
                const auto& [level, species] = party[static_cast<std::size_t>(member - 1)];
                EXPECT_EQ(editor.window.levelBox(member)->text(), QString::number(level));
                EXPECT_EQ(editor.window.speciesBox(member)->currentIndex(), species);
            }
            if (isGymLeader(rosterIndex)) {
                EXPECT_EQ(items->currentIndex(), item);
                EXPECT_EQ(editor.find<QLineEdit>("itemquant")->text(), QString::number(amount));
            }
            if (version != GameVersion::Yellow) {
                EXPECT_EQ(moves->currentIndex(), move);
                if (isGymLeader(rosterIndex)) {
                    EXPECT_EQ(user->currentIndex(), userIndex);
                }
            }
        }
    }
    for (const SeenBox& box : editor.watcher.boxes()) {
        EXPECT_EQ(box.icon, QMessageBox::Information) << box.text.toStdString();
    }
}

TEST_P(SaveProperties, SavingWithoutEditsLeavesTheFileIdentical)
{
    const SyntheticRom rom(GetParam());
    const std::string path = editor.open(rom);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        SCOPED_TRACE(rosterIndex);
        clickTrainer(editor.window, rosterIndex);
        editor.save();
        EXPECT_EQ(readWholeFile(path), rom.bytes());
    }
    menuAction(&editor.window, "mnuBattle")->trigger();
    QTest::mouseClick(editor.window.overworldWindow()->findChild<QPushButton*>(QStringLiteral("Command1")),
                      Qt::LeftButton);
    EXPECT_EQ(readWholeFile(path), rom.bytes());
}

INSTANTIATE_TEST_SUITE_P(Versions, SaveProperties, ::testing::ValuesIn(Versions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});

} // namespace
