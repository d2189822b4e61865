// The trainer form through the real widgets: loading every trainer of every version, edits saved and
// checked against the whole file, typing into the boxes, the faults a save must not turn into a corrupt
// cartridge, and ROMs whose trainers another tool moved. Offsets come from LayoutOffsets.h.

#include "UiHarness.h"
#include "maps/PartyPlaces.h"

namespace {

struct TrainerEditor : ::testing::Test
{
    QComboBox* list(const char* name) { return editor.find<QComboBox>(name); }
    QLineEdit* box(const char* name) { return editor.find<QLineEdit>(name); }
    // Saves through the menu; the file must change at exactly the given bytes.
    ::testing::AssertionResult saves(const Writes& writes)
    {
        const Bytes before = fileBytes(path);
        editor.trigger("mnuSave");
        return changedExactly(before, fileBytes(path), writes);
    }

    EditorUnderTest editor;
    std::string path;
};

} // namespace

TEST_F(TrainerEditor, LoadsEveryTrainerOfEveryVersion)
{
    for (const GameVersion version : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        const SyntheticRom rom(version);
        path = editor.open(rom);
        const MapTable maps = readMaps(rom.bytes(), profileOf(version));
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE(std::string(profileOf(version).code) + " entry " + std::to_string(i));
            const TrainerRecord shown = readTrainer(rom.bytes(), profileOf(version), i).record;
            clickTrainer(editor.window, i);
            // On the game's own layout nothing is found elsewhere, and there is nothing to warn about.
            EXPECT_EQ(box("namebox")->text().toStdString() + editor.notes().toStdString(), *shown.name);
            EXPECT_EQ(box("namebox")->maxLength(), LayoutOffsets::trainer(version, i).nameLength);
            // The members, then the row that adds one, then hidden rows that read level 0.
            QStringList rows, expected;
            const int members = static_cast<int>(shown.party->size());
            for (int member = 1; member <= 6; ++member) {
                QComboBox* species = editor.window.speciesBox(member);
                rows << QString("%1 %2 %3")
                            .arg(species->isHidden())
                            .arg(editor.window.levelBox(member)->text(),
                                 species->isHidden() ? "" : species->currentText());
                const PartyMember values =
                    member <= members ? shown.party->at(static_cast<std::size_t>(member - 1)) : PartyMember{};
                expected << (member <= members
                                 ? QString("0 %1 %2").arg(values.level).arg(species->itemText(values.species))
                             : member == members + 1 ? QString("0  ")
                                                     : QString("1 0 "));
            }
            EXPECT_EQ(rows, expected);
            // The row that adds a member asks for one, in its own words, and looks like a row in use.
            QComboBox* adds = editor.window.speciesBox(members + 1);
            EXPECT_EQ(adds->placeholderText() + editor.window.speciesBox(members)->placeholderText(), "Add a Pokémon…");
            EXPECT_TRUE(adds->isEnabled() && adds->currentIndex() < 0 &&
                        editor.window.levelBox(members + 1)->isHidden());
            EXPECT_EQ(editor.find<QGroupBox>("frmprize")->isHidden() && list("pkmnno")->isHidden(), i >= 8);
            EXPECT_TRUE(!shown.prizeItem || (list("itemlst")->currentIndex() + 1 == *shown.prizeItem &&
                                             box("itemquant")->text().toInt() == *shown.prizeAmount));
            EXPECT_TRUE(!shown.specialMove || list("attacklst")->currentIndex() + 1 == *shown.specialMove);
            EXPECT_TRUE(!shown.specialMoveUser || (list("pkmnno")->currentIndex() == *shown.specialMoveUser &&
                                                   list("pkmnno")->count() == static_cast<int>(shown.party->size())));
            // The party line names where the game fights this party.
            const std::string place = partyPlaces(maps, trainerClass(i).number, trainerClass(i).party).text(version);
            EXPECT_TRUE(editor.find<QLabel>("partyinfo")->text().contains(QString::fromStdString(place)))
                << editor.find<QLabel>("partyinfo")->text().toStdString() << " / " << place;
        }
        // An Elite Four member keeps the prize of the gym leader shown before, hidden; the keyboard loads.
        clickTrainer(editor.window, 0);
        clickTrainer(editor.window, 8);
        EXPECT_EQ(box("itemquant")->text().toInt(), rom.at(*LayoutOffsets::trainer(version, 0).prizeAmount));
        QTest::keyClick(editor.find<QListWidget>("trainerlst"), Qt::Key_Down);
        EXPECT_EQ(box("namebox")->text().toStdString(), SyntheticRom::trainerName(9));
    }
    EXPECT_TRUE(editor.watcher.boxes.empty());
}

// Every field edited and saved; a name is padded with the game's blank 0x7F and never holds a terminator.
TEST_F(TrainerEditor, SavesTheFormAtExactlyItsBytes)
{
    const std::tuple<GameVersion, int, const char*, const char*> edits[] = {
        {GameVersion::Red, 0, "ZQ", "ZQ   "},
        {GameVersion::Blue, 6, " AB", " AB   "},
        {GameVersion::Blue, 7, "ABCDEFGHIJ", "ABCDEFGH"},
        {GameVersion::Yellow, 2, "A", "A       "}};
    for (const auto& [version, i, typed, field] : edits) {
        SCOPED_TRACE(std::string(profileOf(version).code) + " entry " + std::to_string(i));
        const LayoutOffsets::Trainer& at = LayoutOffsets::trainer(version, i);
        path = editor.open(SyntheticRom(version));
        clickTrainer(editor.window, i);
        Writes writes{{*at.prizeAmount, 250}, {*at.prizeAmount + 1, 0xC4}};
        addText(writes, at.name, field);
        retype(box("namebox"), typed);
        for (int member = 1; member <= at.partySize; ++member) {
            retype(editor.window.levelBox(member), QString::number(90 + member));
            editor.window.speciesBox(member)->setCurrentIndex(100 + member);
            writes.insert({{at.party + 2 * member - 2, 90 + member}, {at.party + 2 * member - 1, 100 + member}});
        }
        list("itemlst")->setCurrentIndex(0xC3);
        retype(box("itemquant"), "250");
        // Yellow leaves the special move alone, whatever the lists show.
        list("attacklst")->setCurrentIndex(0x41);
        list("pkmnno")->setCurrentIndex(0);
        if (at.move) {
            writes.insert({{*at.move, 0x42}, {*at.moveUser, 0}});
        }
        EXPECT_TRUE(saves(writes));
        EXPECT_EQ(editor.watcher.boxes.back().text, "Data for " + QString(field).trimmed() + " saved successfully!");
        EXPECT_EQ(editor.watcher.boxes.back().icon, QMessageBox::Information);
        // The roster is read again and the first trainer loaded.
        EXPECT_EQ(editor.find<QListWidget>("trainerlst")->item(i)->text().trimmed(), QString(field).trimmed());
        EXPECT_EQ(editor.find<QListWidget>("trainerlst")->currentRow(), 0);
    }
}

TEST_F(TrainerEditor, FaultsNeverReachTheFile)
{
    const LayoutOffsets::Trainer& at = LayoutOffsets::Red[0];
    SyntheticRom rom(GameVersion::Red);
    // Bytes the lists have no entry for, and a name with a byte the box cannot show.
    rom.put(at.party, {12, 0xC8});
    rom.put(*at.moveUser, {7, 0x00});
    rom.put(at.name, {0x80, 0x34, 0x81, 0x82, 0x83});
    path = editor.open(rom);
    EXPECT_TRUE(saves({}));
    EXPECT_TRUE(editor.watcher.boxes.empty()) << "nothing selected, nothing said";
    clickTrainer(editor.window, 0);
    EXPECT_EQ(editor.window.speciesBox(1)->currentIndex() + list("attacklst")->currentIndex() +
                  list("pkmnno")->currentIndex(),
              -3);
    EXPECT_TRUE(saves({}));
    for (const char* name : {"AB\\", "\\h50"}) {
        retype(box("namebox"), name);
        EXPECT_TRUE(saves({}));
        EXPECT_EQ(editor.watcher.boxes.back().title, "Error: 1002");
    }
    editor.watcher.answers.push_back(QMessageBox::Discard);
    clickTrainer(editor.window, 1);
    retype(editor.window.levelBox(1), "99");
    const ImmutableFile locked(path);
    EXPECT_TRUE(!locked.active || (saves({}) && editor.watcher.boxes.back().title == "Error: 70"));
}

TEST_F(TrainerEditor, NumberBoxesTakeDigitsUpTo255AndTheUserListHexDigits)
{
    path = editor.open(SyntheticRom(GameVersion::Red));
    clickTrainer(editor.window, 0);
    QLineEdit* level = editor.window.levelBox(1);
    QStringList shown;
    retype(level, "");
    for (const char key : std::string("300-. a")) {
        QTest::keyClick(level, key);
        shown << level->text();
    }
    // The first digit replaces the 0 an emptied box shows.
    EXPECT_EQ(shown, (QStringList{"3", "30", "255", "255", "255", "255", "255"}));
    // Backspace to empty leaves 0, a digit after it is kept, paste keys do nothing, and text that arrives
    // another way ends as a number 0..255.
    for (const auto key : {Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete, Qt::Key_Delete, Qt::Key_End, Qt::Key_5}) {
        QTest::keyClick(level, key);
    }
    QApplication::clipboard()->setText("77");
    QTest::keyClick(level, Qt::Key_V, Qt::ControlModifier);
    level->insert("x");
    EXPECT_EQ(level->text(), "05");
    EXPECT_TRUE(saves({{LayoutOffsets::Red[0].party, 5}}));
    // Made editable here so that what reaches the list can be read back as text.
    QComboBox* users = list("pkmnno");
    users->setEditable(true);
    users->lineEdit()->clear();
    QTest::keyClicks(users, "a01fgZ9B.c");
    QTest::keyClick(users, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(users->lineEdit()->text(), "A01F9BC77");
}

// A ROM another tool changed: each trainer is found where the ROM's own tables put it, edited exactly
// there, and what is not in place is shown disabled and empty, named in the notes and never written.
TEST_F(TrainerEditor, FollowsAChangedRomAndLeavesMisplacedDataAlone)
{
    SyntheticRom rom(GameVersion::Red);
    rom.growParty(0, 50, 7);
    rom.growName(3, 'X');
    // Entry 5's party pointer leads out of the trainer bank and its prize lost its mark; entry 7's name is
    // emptied, which leaves the count of names, and so every other name, as it was.
    rom.put(0x39D3B + 2 * 39, {0x00, 0x80});
    rom.set(*LayoutOffsets::Red[5].prizeAmount - 1, 0x00);
    rom.put(0x39AF1, {0x50, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87});
    path = editor.open(rom);
    // Said once, when the ROM opens: the parties after ROCKY's and the names after FLORAX lie elsewhere (but
    // for those not in place at all).
    EXPECT_EQ(editor.notes(),
              QString("This ROM was changed by another tool: 8 parties and 7 names lie elsewhere than in Pokémon Red; "
                      "Tavrik follows the ROM's own tables."));
    auto* roster = editor.find<QListWidget>("trainerlst");
    EXPECT_EQ(roster->item(3)->text().trimmed() + roster->item(7)->text().trimmed(), "FLORAXTrainer 8");
    clickTrainer(editor.window, 0);
    EXPECT_EQ(list("pkmnno")->count(), 3);
    EXPECT_EQ(editor.notes(), "");
    retype(editor.window.levelBox(3), "66");
    EXPECT_TRUE(saves({{LayoutOffsets::Red[0].party + 4, 66}}));
    clickTrainer(editor.window, 3);
    EXPECT_EQ(box("namebox")->maxLength(), 6);
    clickTrainer(editor.window, 5);
    EXPECT_TRUE(editor.window.speciesBox(1)->isHidden());
    EXPECT_FALSE(editor.find<QGroupBox>("frmprize")->isEnabled());
    EXPECT_EQ(box("itemquant")->text(), "");
    EXPECT_TRUE(editor.notes().contains("party and prize of SABRINE as they are")) << editor.notes().toStdString();
    retype(box("namebox"), "SAB");
    // Its name moved one byte with entry 3's longer one.
    Writes writes;
    addText(writes, LayoutOffsets::Red[5].name + 1, "SAB    ");
    EXPECT_TRUE(saves(writes));
}

// The rows grow and shrink a party: the row after the last member adds one at the level before, a button
// removes one, the special move's user list follows. A party that outgrows its place moves into the free
// space, one that shrinks stays and frees its bytes, and a full bank refuses with the file unchanged.
TEST_F(TrainerEditor, GrowsAndShrinksPartiesWhereTheGameStillFindsThem)
{
    const SyntheticRom rom(GameVersion::Red);
    path = editor.open(rom);
    const auto remove = [this](int member) {
        QTest::mouseClick(editor.find<QToolButton>(("delpoke" + std::to_string(member)).c_str()), Qt::LeftButton);
    };
    const LayoutOffsets::Trainer& rocky = LayoutOffsets::Red[0];
    clickTrainer(editor.window, 0);
    for (const int species : {25, 30}) {
        editor.window.speciesBox(editor.window.trainerForm()->partyRows()->memberCount() + 1)->setCurrentIndex(species);
    }
    EXPECT_EQ(editor.window.levelBox(4)->text(), editor.window.levelBox(2)->text());
    EXPECT_EQ(editor.window.speciesBox(4)->placeholderText(), "");
    EXPECT_EQ(editor.window.speciesBox(4)->width(), editor.window.speciesBox(1)->width());
    EXPECT_FALSE(editor.window.speciesBox(5)->isHidden() || !editor.window.speciesBox(6)->isHidden());
    remove(1);
    EXPECT_EQ(list("pkmnno")->count(), 3);
    // Three members no longer fit the 6 bytes of the list: it moves behind the free space's first 16 bytes.
    const std::uint8_t level = rom.at(rocky.party + 2);
    Writes writes{{0x39D3B + 2 * 33, 0xF6}, {0x39D3B + 2 * 33 + 1, 0x7B}};
    const Bytes list = {0xFF, level, rom.at(rocky.party + 3), level, 25, level, 30, 0x00};
    for (std::size_t k = 0; k < 6; ++k) {
        writes[rocky.party - 1 + static_cast<std::int32_t>(k)] = 0x00;
    }
    for (std::size_t k = 0; k < list.size(); ++k) {
        writes[0x3BBF6 + static_cast<std::int32_t>(k)] = list[k];
    }
    EXPECT_TRUE(saves(writes));
    EXPECT_EQ(editor.notes(),
              QString("ROCKY's parties moved to free space at 0x3BBF6 (8 bytes). Trainer bank: 1,032 of 5,043 bytes "
                      "free."));
    // MISTA's party shrinks where it is; its special move's user is now past the party, which is only warned.
    clickTrainer(editor.window, 1);
    EXPECT_EQ(editor.notes(), QString());
    remove(2);
    EXPECT_TRUE(editor.notes().contains("the special move's user is not in the party")) << editor.notes().toStdString();
    EXPECT_TRUE(saves({{LayoutOffsets::Red[1].party + 2, 0x00}, {LayoutOffsets::Red[1].party + 3, 0x00}}));
    // Room for 4 bytes behind the 16 a move leaves alone, and 8 in the holes the moves and MISTA's shrink left:
    // KOGI's party grows by 2 members, more than the free space holds, so the whole bank is laid out anew, and
    // nothing outside it changes. One member more then finds no room, and the file stays as it was.
    Bytes full = fileBytes(path);
    std::fill(full.begin() + 0x3BBFE, full.begin() + 0x3C000 - 20, 0xC9);
    editor.dir.writeBytes(full, "test.gb");
    clickTrainer(editor.window, 4);
    editor.window.speciesBox(5)->setCurrentIndex(9);
    editor.window.speciesBox(6)->setCurrentIndex(9);
    editor.trigger("mnuSave");
    const Bytes repacked = fileBytes(path);
    EXPECT_TRUE(std::equal(full.begin(), full.begin() + 0x38000, repacked.begin()) &&
                std::equal(full.begin() + 0x3C000, full.end(), repacked.begin() + 0x3C000));
    EXPECT_EQ(readTrainer(repacked, profileOf(GameVersion::Red), 4).record.party->size(), 6U);
    EXPECT_TRUE(editor.notes().startsWith("The trainer bank was repacked: ") &&
                editor.notes().endsWith(" lists rewritten. Trainer bank: 0 of 4,013 bytes free."))
        << editor.notes().toStdString();
    clickTrainer(editor.window, 5);
    editor.window.speciesBox(5)->setCurrentIndex(9);
    EXPECT_TRUE(saves({}));
    EXPECT_EQ(editor.watcher.boxes.back().title, "Error: 1007");
    EXPECT_TRUE(editor.watcher.boxes.back().text.contains("2 bytes are missing"))
        << editor.watcher.boxes.back().text.toStdString();
}
