// The Trainer Parties window through its real widgets: every class once in the tree, a shared list under
// the first of its classes, a party and its class's money saved at exactly their bytes and said so on the notes
// line, the question before edits are lost, the main window beside it following its saves, and lists or moves the
// window leaves alone or warns about.

#include "UiHarness.h"
#include "maps/PartyPlaces.h"
#include "trainers/Form4.h"

namespace {

struct PartiesWindow : ::testing::Test
{
    Form4* open(const SyntheticRom& rom)
    {
        path = editor.open(rom);
        editor.window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor.window));
        QTest::keyClick(&editor.window, Qt::Key_T, Qt::ControlModifier);
        return editor.window.partiesWindow();
    }
    void pick(Form4* window, int classNumber, int party)
    {
        QTreeWidget* tree = window->partyTree();
        QTreeWidgetItem* item = window->item(classNumber, party);
        tree->scrollToItem(item);
        // Left in the row: the member lists and places may reach past the tree's right edge.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, {24, tree->visualItemRect(item).center().y()});
    }
    QString notes(Form4* window) { return child<QLabel>(window, "notes")->text(); }

    EditorUnderTest editor;
    std::string path;
};

} // namespace

TEST_F(PartiesWindow, ListsEveryClassOnceAndSavesAPartyAndItsMoney)
{
    const SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const PartyTable table = readPartyTable(rom.bytes(), profile);
    const std::vector<std::string> names = readClassNames(rom.bytes(), profile);
    Form4* window = open(rom);
    ASSERT_NE(window, nullptr);
    QTreeWidget* tree = window->partyTree();
    ASSERT_EQ(tree->topLevelItemCount(), 47);
    for (int classNumber = 1; classNumber <= 47; ++classNumber) {
        const bool shared = classNumber == 13 || classNumber == 27;
        const bool sharing = classNumber == 14 || classNumber == 28;
        const QString name = QString::fromStdString(names[static_cast<std::size_t>(classNumber - 1)]);
        EXPECT_EQ(tree->topLevelItem(classNumber - 1)->text(0),
                  shared ? name + ", " + QString::fromStdString(names[static_cast<std::size_t>(classNumber)]) : name);
        EXPECT_EQ(tree->topLevelItem(classNumber - 1)->childCount(),
                  sharing ? 0 : static_cast<int>(table.listOf(classNumber)->parties.size()));
    }
    QStringList summary;
    for (const PartyMember& member : table.party(13, 2)->members) {
        summary << QString("%1 %2").arg(SyntheticRom::speciesName(member.species).c_str()).arg(member.level);
    }
    EXPECT_EQ(window->item(13, 2)->text(0) + " " + window->item(13, 2)->text(1), "2 " + summary.join(", "));
    // A level of a party with a level for each member and the class's money: three bytes.
    const Party& rocky = *table.party(34, 1);
    pick(window, 34, 1);
    EXPECT_EQ(window->partyRows()->memberCount(), 2);
    retype(window->partyRows()->levelBox(2), "77");
    retype(child<QLineEdit>(window, "txtmoney"), "1234");
    const Bytes before = fileBytes(path);
    press(window, Qt::Key_S, Qt::ControlModifier);
    const std::int32_t money = classMoneyOffset(profile, 34);
    EXPECT_TRUE(changedExactly(before, fileBytes(path), {{rocky.offset + 3, 77}, {money, 0x12}, {money + 1, 0x34}}));
    // Said on the notes line and the status bar, with no box to dismiss.
    EXPECT_TRUE(editor.watcher.boxes.empty());
    EXPECT_EQ(notes(window), "Data for ROCKY party 1 saved successfully!");
    EXPECT_EQ(window->statusBar()->currentMessage(), "Data for ROCKY party 1 saved successfully!");
    // MISTA's special move goes to member 2, the Elite Four's team move to member 5: warned about only when
    // the party lacks them.
    pick(window, 44, 1);
    EXPECT_EQ(notes(window), QString());
    pick(window, 35, 1);
    QTest::mouseClick(child<QToolButton>(window, "delpoke2"), Qt::LeftButton);
    EXPECT_EQ(notes(window), QString("Warning: the game gives the special move to member 2, which the party lacks."));
    editor.watcher.answers.push_back(QMessageBox::Discard);
    // A member added to the list two classes share: it moves, and both pointers follow.
    const auto& shared = table.listOf(14)->parties;
    const int party =
        static_cast<int>(std::find_if(shared.begin(),
                                      shared.end(),
                                      [](const Party& candidate) { return candidate.members.size() < 6; }) -
                         shared.begin()) +
        1;
    pick(window, 13, party);
    window->partyRows()->speciesBox(window->partyRows()->memberCount() + 1)->setCurrentIndex(150);
    QTest::mouseClick(child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    const PartyTable now = readPartyTable(fileBytes(path), profile);
    EXPECT_EQ(now.listOf(13), now.listOf(14));
    EXPECT_EQ(now.listOf(14)->offset, 0x3BBF6);
    EXPECT_EQ(now.party(14, party)->members.back().species, 150);
    // Where the list went, and the bank's free bytes in the words of the line under the party.
    const QString bank = child<QLabel>(window, "bankroom")->text();
    EXPECT_TRUE(bank.startsWith("Trainer bank: ") && bank.endsWith(" bytes free.")) << bank.toStdString();
    EXPECT_EQ(
        notes(window),
        QString("Data for %1 party %2 saved successfully! %1's parties moved to free space at 0x3BBF6 (%3 bytes). %4")
            .arg(tree->topLevelItem(12)->text(0))
            .arg(party)
            .arg(now.listOf(14)->end - now.listOf(14)->offset)
            .arg(bank));
}

// The question before edits are lost, on picking another party and on closing; every save is shown at once in
// the main window beside it.
TEST_F(PartiesWindow, AsksBeforeEditsAreLostAndHandsTheMainWindowTheNewParty)
{
    const SyntheticRom rom(GameVersion::Blue);
    editor.open(rom);
    clickTrainer(editor.window, 0);
    Form4* window = open(rom);
    pick(window, 34, 1);
    window->partyRows()->speciesBox(3)->setCurrentIndex(12);
    EXPECT_TRUE(window->isWindowModified());
    pick(window, 35, 1);
    EXPECT_EQ(window->partyTree()->currentItem(), window->item(34, 1));
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to ROCKY party 1?");
    editor.watcher.answers.push_back(QMessageBox::Discard);
    pick(window, 35, 1);
    EXPECT_EQ(window->partyTree()->currentItem(), window->item(35, 1));
    EXPECT_EQ(fileBytes(path), rom.bytes());
    // Saved on the way to another party, which the tree, read again, then shows.
    retype(window->partyRows()->levelBox(1), "44");
    editor.watcher.answers.push_back(QMessageBox::Save);
    pick(window, 34, 1);
    EXPECT_EQ(window->partyTree()->currentItem(), window->item(34, 1));
    EXPECT_EQ(window->partyRows()->memberCount(), 2);
    EXPECT_EQ(readPartyTable(fileBytes(path), profileOf(GameVersion::Blue)).party(35, 1)->members[0].level, 44);
    pick(window, 35, 1);
    window->partyRows()->speciesBox(3)->setCurrentIndex(12);
    editor.watcher.answers.push_back(QMessageBox::Save);
    press(window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor.window.partiesWindow(), nullptr);
    EXPECT_EQ(readPartyTable(fileBytes(path), profileOf(GameVersion::Blue)).party(35, 1)->members.size(), 3U);
    // The main window shows ROCKY as the file has him, and MISTA with her third member.
    EXPECT_EQ(editor.window.trainerForm()->partyRows()->memberCount(), 2);
    clickTrainer(editor.window, 1);
    EXPECT_EQ(editor.window.speciesBox(3)->currentIndex(), 12);
}

// A list Tavrik cannot read to its end is shown read-only with the reason; the moves the game gives
// members by their place are shown, and a party too small for one is warned about.
TEST_F(PartiesWindow, ShowsWhatItLeavesAloneAndTheMovesAPartyLoses)
{
    SyntheticRom rom(GameVersion::Yellow);
    const VersionProfile& profile = profileOf(GameVersion::Yellow);
    const std::int32_t broken = readPartyTable(rom.bytes(), profile).party(5, 1)->offset;
    rom.set(broken + 2, 0x00);
    rom.set(broken + 3, 0xC8);
    // MISTA's custom move goes to member 4, as a hack that shrank her party would leave it.
    rom.set(0x39C6B + 11, 4);
    Form4* window = open(rom);
    pick(window, 5, 0);
    EXPECT_FALSE(child<QGroupBox>(window, "frmparty")->isEnabled());
    EXPECT_EQ(window->item(5, 0)->childCount(), 0);
    EXPECT_TRUE(notes(window).contains("as they are: party 1 is not one Tavrik can read"))
        << notes(window).toStdString();
    // Yellow gives member 1 of class 2's first party two moves, and MISTA's member 4 one her party lacks.
    pick(window, 2, 1);
    auto* star = child<QLabel>(window, "pkmn1Moves");
    EXPECT_TRUE(!star->isHidden() && star->toolTip().contains("in slot 3")) << star->toolTip().toStdString();
    pick(window, 35, 1);
    EXPECT_TRUE(notes(window).contains("to member 4, which the party lacks")) << notes(window).toStdString();
    EXPECT_EQ(fileBytes(path), rom.bytes());
}

// Resizable, with the room going to the tree; at its first size every member list shows whole, six of the game's
// longest names too; later the size and the splitter the user left.
TEST_F(PartiesWindow, ShowsWholeMemberListsAndKeepsItsSize)
{
    Form4* window = open(SyntheticRom(GameVersion::Red));
    QTreeWidget* tree = window->partyTree();
    auto* splitter = child<QSplitter>(window, "splitter");
    EXPECT_LT(window->minimumWidth(), window->maximumWidth());
    EXPECT_TRUE(splitter->widget(0)->isAncestorOf(tree));
    // The synthetic names are shorter than the game's: a party's text stands in for six of the longest.
    QTreeWidgetItem* party = window->item(1, 1);
    party->setText(1, QStringList(6, "NIDORAN♂ 55").join(", "));
    QStyleOptionViewItem option;
    option.initFrom(tree);
    const QModelIndex index = tree->indexFromItem(party, 1);
    EXPECT_LE(tree->itemDelegateForIndex(index)->sizeHint(option, index).width(), tree->columnWidth(1));

    window->resize(window->width() - 150, 600);
    splitter->setSizes({300, 500});
    const QList<int> sizes = splitter->sizes();
    EXPECT_TRUE(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    editor.trigger("mnuParties");
    window = editor.window.partiesWindow();
    EXPECT_EQ(window->height(), 600);
    EXPECT_EQ(child<QSplitter>(window, "splitter")->sizes(), sizes);
}

// Beside each party, where it is fought: both places of a party two trainers use, and for one no map uses, the
// battle the released game starts from a script or that no map uses it. The filter keeps what holds its text,
// and the bank's free bytes show with what a pending edit would take of them.
TEST_F(PartiesWindow, ShowsWhereEachPartyIsFoughtAndTheBanksRoom)
{
    const SyntheticRom rom(GameVersion::Red);
    const MapTable maps = readMaps(rom.bytes(), profileOf(GameVersion::Red));
    const PartyTable table = readPartyTable(rom.bytes(), profileOf(GameVersion::Red));
    Form4* window = open(rom);
    std::pair<int, int> twice{0, 0};
    std::pair<int, int> unused{0, 0};
    for (int classNumber = 1; classNumber <= 47; ++classNumber) {
        const PartyList* list = table.listOf(classNumber);
        for (int party = 1; list->classes.size() == 1 && party <= static_cast<int>(list->parties.size()); ++party) {
            const PartyPlaces places = partyPlaces(maps, classNumber, party);
            if (places.maps.size() == 2) {
                twice = {classNumber, party};
            } else if (places.maps.empty() && !places.script) {
                unused = {classNumber, party};
            }
        }
    }
    ASSERT_TRUE(twice.first > 0 && unused.first > 0);
    const PartyPlaces places = partyPlaces(maps, twice.first, twice.second);
    EXPECT_EQ(window->item(twice.first, twice.second)->text(2).toStdString(),
              placeText(places.maps[0]) + "; " + placeText(places.maps[1]));
    EXPECT_EQ(window->item(unused.first, unused.second)->text(2), "No map of this ROM uses this party.");

    auto* filter = child<QLineEdit>(window, "txtfilter");
    QTest::keyClicks(filter,
                     QString::fromUtf8(places.maps[1].name.data(), static_cast<int>(places.maps[1].name.size())));
    EXPECT_FALSE(window->item(twice.first, twice.second)->isHidden());
    EXPECT_TRUE(window->item(unused.first, unused.second)->isHidden());
    filter->clear();
    EXPECT_FALSE(window->item(unused.first, unused.second)->isHidden());

    auto* room = child<QLabel>(window, "bankroom");
    EXPECT_EQ(room->text(), "Trainer bank: 1,034 of 5,043 bytes free.");
    pick(window, 34, 1);
    window->partyRows()->speciesBox(3)->setCurrentIndex(12);
    EXPECT_EQ(room->text(), "Trainer bank: 1,034 of 5,043 bytes free. This edit takes 2 of them.");
}
