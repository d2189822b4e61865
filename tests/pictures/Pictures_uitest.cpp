// The pictures through the real windows: beside each member, changing with its species; the trainer's
// portrait and the overworld battles' Pokémon; the View menu's colours, kept for the next run; a picture the
// ROM does not hold soundly shown as a question mark with its reason; and `tavrik pictures`.

#include "UiHarness.h"
#include "app/PicturesCommand.h"
#include "overworld/Form3.h"
#include "pictures/PictureBook.h"

namespace {

const QString ColourSetting = QStringLiteral("pictures/superGameBoyColours");

// The label shows exactly the picture, at its own size.
::testing::AssertionResult shows(QLabel* label, const Bytes& image, GameVersion version, int species, bool colour)
{
    const QImage expected =
        pictureImage(speciesPicture(image, version, species).picture, speciesPalette(image, version, species), colour);
    const QImage shown = label->pixmap().toImage().convertToFormat(expected.format());
    if (shown == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "species " << species << " is shown at " << shown.width() << " x "
                                         << shown.height() << ", not as its " << expected.width() << " x "
                                         << expected.height() << " picture";
}

} // namespace

TEST(Pictures, FollowTheSpeciesAndTheColoursChosen)
{
    QSettings().remove(ColourSetting);
    EditorUnderTest editor;
    SyntheticRom rom(GameVersion::Red);
    // Species 7's picture pointer leads out of its bank.
    const std::int32_t entry = baseDataOffset(GameVersion::Red, pokedexNumber(rom.bytes(), GameVersion::Red, 7));
    rom.put(entry + BaseDataFrontPicture, {0xFF, 0x3F});
    editor.open(rom);
    clickTrainer(editor.window, 0);
    auto* picture = editor.find<QLabel>("pkmn1Picture");
    EXPECT_TRUE(shows(picture, rom.bytes(), GameVersion::Red, editor.window.speciesBox(1)->currentIndex(), false));
    const QImage portrait = pictureImage(trainerPicture(rom.bytes(), GameVersion::Red, 34).picture, GreyPalette, false);
    EXPECT_EQ(editor.find<QLabel>("portrait")->pixmap().toImage().convertToFormat(portrait.format()), portrait);
    // A new species shows at once; one without a sound picture as a question mark, with the reason.
    editor.window.speciesBox(1)->setCurrentIndex(9);
    EXPECT_TRUE(shows(picture, rom.bytes(), GameVersion::Red, 9, false));
    editor.window.speciesBox(1)->setCurrentIndex(7);
    EXPECT_EQ(picture->text(), "?");
    EXPECT_EQ(picture->toolTip(), "No picture: its pointer leads out of the bank.");
    // View > Super Game Boy colours, for every window and the next run.
    editor.window.speciesBox(1)->setCurrentIndex(9);
    editor.trigger("mnuColours");
    EXPECT_TRUE(shows(picture, rom.bytes(), GameVersion::Red, 9, true));
    EXPECT_TRUE(QSettings().value(ColourSetting).toBool());
    EXPECT_TRUE(child<QAction>(Form1().window(), "mnuColours")->isChecked());
    editor.trigger("mnuBattle");
    Form3* battles = editor.window.overworldWindow();
    const int snorlax = battles->speciesBox(4)->currentIndex();
    EXPECT_TRUE(shows(child<QLabel>(battles, "opkmn5Picture"), rom.bytes(), GameVersion::Red, snorlax, true));
    battles->speciesBox(4)->setCurrentIndex(9);
    EXPECT_TRUE(shows(child<QLabel>(battles, "opkmn5Picture"), rom.bytes(), GameVersion::Red, 9, true));
    editor.trigger("mnuColours");
    EXPECT_TRUE(shows(child<QLabel>(battles, "opkmn5Picture"), rom.bytes(), GameVersion::Red, 9, false));
    QSettings().remove(ColourSetting);
}

// Every picture as a PNG file at its own size, in the four greys or the Super Game Boy colours.
TEST(PicturesCommand, WritesEveryPictureAtItsOwnSize)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Yellow);
    const std::string path = dir.write(rom);
    for (const bool colour : {false, true}) {
        const std::string folder = dir.file(colour ? "colour" : "grey");
        std::vector<std::string> arguments{"pictures", path, folder};
        if (colour) {
            arguments.push_back("--colour");
        }
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(picturesCommand(arguments, out, err), 0) << err.str();
        EXPECT_EQ(out.str(), "198 pictures written.\n");
        EXPECT_EQ(QDir(QString::fromStdString(folder + "/species")).count() - 2, 151U);
        EXPECT_EQ(QDir(QString::fromStdString(folder + "/trainers")).count() - 2, 47U);
        const QImage mew(QString::fromStdString(folder + "/species/21.png"));
        EXPECT_EQ(mew.format(), colour ? QImage::Format_RGB32 : QImage::Format_Grayscale8);
        EXPECT_EQ(mew,
                  pictureImage(speciesPicture(rom.bytes(), GameVersion::Yellow, 0x15).picture,
                               speciesPalette(rom.bytes(), GameVersion::Yellow, 0x15),
                               colour));
    }
    std::ostringstream ignored;
    EXPECT_EQ(picturesCommand({"pictures", dir.file("none.gb"), dir.file("x")}, ignored, ignored), 2);
}
