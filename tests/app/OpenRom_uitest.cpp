// File > Open ROM through the real open dialog: what each version switches on, what a cancel or a
// file that is not a supported ROM switches off, and what the dialog offers.

#include "UiHarness.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

const QString YellowNote = "Support for editing the special moves in Pokémon Yellow will be coming soon!";

struct VersionView
{
    GameVersion version;
    const char* caption;
    const char* header;
    bool specialMoves;
};

const VersionView Versions[] = {{GameVersion::Red, "RED - Tavrik", "Pokémon Red", true},
                                {GameVersion::Blue, "BLU - Tavrik", "Pokémon Blue", true},
                                {GameVersion::Yellow, "YEL - Tavrik", "Pokémon Yellow", false}};

void PrintTo(const VersionView& view, std::ostream* out)
{
    *out << view.caption;
}

// The view of a window whose editor is switched off: nothing that needs a ROM can be reached.
void expectEditorOff(EditorUnderTest& editor)
{
    EXPECT_FALSE(editor.window.session().loaded());
    EXPECT_EQ(editor.window.windowTitle(), "Tavrik");
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->count(), 0);
    EXPECT_EQ(editor.find<QLineEdit>("namebox")->text(), "");
    EXPECT_EQ(editor.find<QLabel>("headr")->text(), "");
    EXPECT_FALSE(editor.find<QGroupBox>("Frame3")->isEnabled());
    EXPECT_FALSE(editor.find<QGroupBox>("Frame1")->isEnabled());
    EXPECT_FALSE(editor.find<QTabWidget>("SSTab1")->isEnabled());
    EXPECT_FALSE(menuAction(&editor.window, "mnuSave")->isEnabled());
    EXPECT_FALSE(menuAction(&editor.window, "mnuBattle")->isEnabled());
    EXPECT_TRUE(editor.find<QGroupBox>("frmmove")->isHidden());
    EXPECT_TRUE(editor.find<QGroupBox>("frmprize")->isHidden());
    for (int member = 1; member <= 6; ++member) {
        SCOPED_TRACE(member);
        EXPECT_TRUE(editor.window.speciesBox(member)->isHidden());
        EXPECT_TRUE(editor.window.levelBox(member)->isHidden());
    }
}

QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

} // namespace

class OpenRom : public ::testing::TestWithParam<VersionView>
{
};

TEST_P(OpenRom, SwitchesTheEditorOnForTheVersion)
{
    const VersionView& view = GetParam();
    EditorUnderTest editor;
    editor.open(SyntheticRom(view.version));

    EXPECT_TRUE(editor.watcher.boxes().empty());
    EXPECT_EQ(editor.window.windowTitle(), view.caption);
    EXPECT_EQ(editor.find<QLabel>("headr")->text(), view.header);
    EXPECT_EQ(editor.find<QGroupBox>("frmmove")->isHidden(), !view.specialMoves);
    EXPECT_EQ(editor.find<QLabel>("info")->text(), view.specialMoves ? QString() : YellowNote);
    EXPECT_TRUE(editor.find<QGroupBox>("Frame3")->isEnabled());
    EXPECT_TRUE(editor.find<QGroupBox>("Frame1")->isEnabled());
    EXPECT_TRUE(editor.find<QTabWidget>("SSTab1")->isEnabled());
    EXPECT_TRUE(menuAction(&editor.window, "mnuSave")->isEnabled());
    EXPECT_TRUE(menuAction(&editor.window, "mnuBattle")->isEnabled());

    // The roster lists every trainer by the ten characters of its name, and nothing is picked yet.
    auto* roster = editor.find<QListWidget>("trainerlst");
    ASSERT_EQ(roster->count(), 12);
    for (int row = 0; row < roster->count(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(roster->item(row)->text(), QString::fromStdString(SyntheticRom::trainerName(row)).leftJustified(10));
    }
    EXPECT_EQ(roster->currentRow(), -1);
    EXPECT_TRUE(editor.window.speciesBox(1)->isHidden());

    // Six identical species lists, position = species byte, headed by the placeholder for byte 0.
    const QStringList species = itemsOf(editor.window.speciesBox(1));
    ASSERT_EQ(species.size(), 191);
    EXPECT_EQ(species.front(), "MISSINGNO.");
    EXPECT_EQ(species[1], QString::fromStdString(SyntheticRom::speciesName(1)));
    EXPECT_EQ(species[190], QString::fromStdString(SyntheticRom::speciesName(190)));
    for (int member = 2; member <= 6; ++member) {
        SCOPED_TRACE(member);
        EXPECT_EQ(itemsOf(editor.window.speciesBox(member)), species);
    }

    // Moves and items: position p stands for byte p + 1.
    const QStringList moves = itemsOf(editor.find<QComboBox>("attacklst"));
    ASSERT_EQ(moves.size(), SyntheticRom::MoveCount);
    EXPECT_EQ(moves.front(), QString::fromStdString(SyntheticRom::moveName(1)));
    EXPECT_EQ(moves.back(), QString::fromStdString(SyntheticRom::moveName(SyntheticRom::MoveCount)));

    const QStringList items = itemsOf(editor.find<QComboBox>("itemlst"));
    const int fromRom = SyntheticRom::ItemCount;
    ASSERT_EQ(items.size(), fromRom + 114 + 55);
    EXPECT_EQ(items.front(), QString::fromStdString(SyntheticRom::itemName(1)));
    EXPECT_EQ(items[fromRom - 1], QString::fromStdString(SyntheticRom::itemName(fromRom)));
    EXPECT_EQ(items.mid(fromRom, 114), QStringList(114, "?????"));
    EXPECT_EQ(items.mid(fromRom + 114, 7), (QStringList{"HM01", "HM02", "HM03", "HM04", "HM05", "TM01", "TM02"}));
    EXPECT_EQ(items.back(), "TM50");
}

TEST_P(OpenRom, CancelWithARomLoadedSwitchesTheEditorOff)
{
    EditorUnderTest editor;
    editor.open(SyntheticRom(GetParam().version));
    clickTrainer(editor.window, 2);
    ASSERT_FALSE(editor.find<QLineEdit>("namebox")->text().isEmpty());

    openRom(editor.window, "", editor.watcher);
    EXPECT_EQ(editor.watcher.openDialogs(), 2);
    EXPECT_TRUE(editor.watcher.boxes().empty());
    expectEditorOff(editor);
}

INSTANTIATE_TEST_SUITE_P(AllVersions,
                         OpenRom,
                         ::testing::ValuesIn(Versions),
                         [](const ::testing::TestParamInfo<VersionView>& param) {
                             return std::string(profileOf(param.param.version).code);
                         });

TEST(OpenRomVersions, YellowThenRedClearsTheNoteAndShowsTheSpecialMove)
{
    EditorUnderTest editor;
    editor.open(SyntheticRom(GameVersion::Yellow));
    ASSERT_EQ(editor.find<QLabel>("info")->text(), YellowNote);
    editor.open(SyntheticRom(GameVersion::Red), "red.gb");
    EXPECT_EQ(editor.find<QLabel>("info")->text(), "");
    EXPECT_FALSE(editor.find<QGroupBox>("frmmove")->isHidden());
    EXPECT_EQ(editor.window.windowTitle(), "RED - Tavrik");
    // The second open refills the lists instead of adding to them.
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->count(), 12);
    EXPECT_EQ(editor.window.speciesBox(6)->count(), 191);
    EXPECT_EQ(editor.find<QComboBox>("attacklst")->count(), SyntheticRom::MoveCount);
    EXPECT_EQ(editor.find<QComboBox>("itemlst")->count(), SyntheticRom::ItemCount + 114 + 55);
}

TEST(OpenRomRejects, FilesThatAreNotASupportedRomSwitchTheEditorOff)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
    };
    SyntheticRom lowerCase(GameVersion::Red);
    lowerCase.setVersionCode("red");
    SyntheticRom unknown(GameVersion::Blue);
    unknown.setVersionCode("BLV");
    SyntheticRom cutShort(GameVersion::Yellow);
    cutShort.resize(0x40000);
    SyntheticRom headerOnly(GameVersion::Red);
    headerOnly.resize(0x13E);
    const Case cases[] = {{"lower-case code", lowerCase.bytes()},
                          {"unknown code", unknown.bytes()},
                          {"too short for its layout", cutShort.bytes()},
                          {"ends inside the code", headerOnly.bytes()},
                          {"empty file", {}}};
    for (const Case& item : cases) {
        SCOPED_TRACE(item.what);
        // A ROM open before is switched off too.
        EditorUnderTest editor;
        editor.open(SyntheticRom(GameVersion::Red), "good.gb");
        clickTrainer(editor.window, 0);
        const std::string path = editor.dir.writeBytes(item.bytes, "rom.gb");
        openRom(editor.window, path, editor.watcher);

        ASSERT_EQ(editor.watcher.boxes().size(), 1u);
        const SeenBox& box = editor.watcher.boxes().front();
        EXPECT_EQ(box.title, "Tavrik");
        EXPECT_EQ(box.text, "Unsupported ROM!");
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        expectEditorOff(editor);
        EXPECT_EQ(readWholeFile(path), item.bytes);
    }
}

TEST(OpenDialog, AsksForAGameBoyRomAndListsGbAndGbcFilesInAnyCase)
{
    EditorUnderTest editor;
    for (const char* name : {"a.gb", "b.gbc", "C.GB", "D.GBC", "e.Gbc", "f.gba", "g.txt", "gb", "h.gb.bak"}) {
        editor.dir.writeBytes({0}, name);
    }
    openRom(editor.window, "", editor.watcher);

    EXPECT_EQ(editor.watcher.openDialogTitle(), "Open Pokémon Red, Blue or Yellow ROM...");
    EXPECT_EQ(editor.watcher.openDialogShownFilter(), "GB ROMs (*.gb)");
    const QStringList filters = editor.watcher.openDialogFilters();
    ASSERT_EQ(filters.size(), 1);
    // The dialog matches the patterns in the filter's last parentheses.
    const QRegularExpressionMatch patterns = QRegularExpression(R"(\(([^()]*)\)$)").match(filters.front());
    ASSERT_TRUE(patterns.hasMatch()) << filters.front().toStdString();
    const QDir folder(QString::fromStdString(editor.dir.path().string()));
    EXPECT_EQ(folder.entryList(patterns.captured(1).split(' ', Qt::SkipEmptyParts), QDir::Files, QDir::Name),
              (QStringList{"C.GB", "D.GBC", "a.gb", "b.gbc", "e.Gbc"}));
}

TEST(OpenDialog, AcceptsAnUpperCaseGbcName)
{
    EditorUnderTest editor;
    editor.open(SyntheticRom(GameVersion::Blue), "POKEMON.GBC");
    EXPECT_TRUE(editor.watcher.boxes().empty());
    EXPECT_EQ(editor.window.windowTitle(), "BLU - Tavrik");
    EXPECT_EQ(editor.find<QListWidget>("trainerlst")->count(), 12);
}
