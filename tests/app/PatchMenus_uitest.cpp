// A hack shared as a patch from the window: File > Create Patch asks for the original once and keeps it for the ROM,
// and the patch it writes turns the original into the edited ROM, by tavrik apply as by File > Apply Patch, which
// writes a new file and never the original. File > Properties shows the checksums and keeps the checksum setting.

#include "UiHarness.h"
#include "app/CommandLine.h"
#include "app/Properties.h"
#include "history/SaveSettings.h"
#include "trainers/Form4.h"

TEST(PatchMenus, CreatePatchThenApplyItGivesTheEditedRom)
{
    EditorUnderTest editor;
    const SyntheticRom rom(GameVersion::Red);
    const std::string original = editor.dir.write(rom, "original.gb");
    const std::string path = editor.open(rom);
    editor.trigger("mnuParties");
    Form4* parties = editor.window.partiesWindow();
    parties->selectParty(34, 1);
    retype(parties->partyRows()->levelBox(1), "45");
    // The pending edit is settled first; the original is asked for, then where the patch goes.
    editor.watcher.answers = {QMessageBox::Save};
    editor.watcher.openAnswers = {original, editor.dir.file("hack")};
    editor.trigger("mnuCreatePatch");
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to ROCKY party 1 before making a patch?");
    const Bytes edited = fileBytes(path);
    const Bytes patch = fileBytes(editor.dir.file("hack.bps"));
    EXPECT_LT(patch.size(), 200U);
    EXPECT_EQ(editor.notes().toStdString(),
              "hack.bps written: " + std::to_string(patch.size()) +
                  " bytes, from original.gb, which is not Pokémon Red, Blue or Yellow as released: players need that "
                  "very file to apply it.");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCommand({"apply", original, editor.dir.file("hack.bps"), "-o", editor.dir.file("cli.gb")}, out, err),
              0)
        << err.str();
    EXPECT_EQ(fileBytes(editor.dir.file("cli.gb")), edited);

    // The original is kept for this ROM; an IPS by its name. Apply Patch refuses to write over the original.
    editor.watcher.openAnswers = {editor.dir.file("hack.ips")};
    editor.trigger("mnuCreatePatch");
    editor.watcher.openAnswers = {editor.dir.file("hack.ips"), original};
    // The dialog's own question whether to replace the file, then Tavrik's refusal.
    editor.watcher.answers = {QMessageBox::Yes};
    editor.trigger("mnuApplyPatch");
    EXPECT_EQ(editor.watcher.boxes.back().text,
              "The patched ROM is written as a new file, never over the original or the patch. Pick another name.");
    EXPECT_EQ(fileBytes(original), rom.bytes());
    editor.watcher.openAnswers = {editor.dir.file("hack.ips"), editor.dir.file("applied.gb")};
    editor.watcher.answers = {QMessageBox::No};
    editor.trigger("mnuApplyPatch");
    EXPECT_EQ(editor.watcher.boxes.back().text, "Open applied.gb now?");
    EXPECT_EQ(fileBytes(editor.dir.file("applied.gb")), edited);
    EXPECT_EQ(editor.window.session().path, path);
}

TEST(PatchMenus, PropertiesShowTheChecksumsAndKeepTheSetting)
{
    EditorUnderTest editor;
    SyntheticRom rom(GameVersion::Blue);
    rom.set(0x14D, 0x12);
    editor.open(rom);
    QString header;
    QTimer::singleShot(0, [&header] {
        auto* dialog = qobject_cast<Properties*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        header = child<QLabel>(dialog, "lblHeader")->text();
        child<QCheckBox>(dialog, "chkChecksum")->click();
        dialog->reject();
    });
    EXPECT_FALSE(keepGlobalChecksumSetting());
    editor.trigger("mnuProperties");
    EXPECT_TRUE(header.startsWith("wrong: the header holds 0x12, the bytes make 0x")) << header.toStdString();
    EXPECT_TRUE(keepGlobalChecksumSetting());
}
