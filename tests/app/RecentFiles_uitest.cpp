// File > Open Recent and the start page: the last eight ROMs opened or saved, newest first and each once, a
// file that is gone shown disabled, each opened as File > Open opens a ROM, with the same question first.

#include "UiHarness.h"
#include "app/RecentFiles.h"

namespace {

// File > Open Recent as it shows when it opens, then the start page's links; "-" marks a disabled entry.
QStringList recentEntries(Form1& window)
{
    auto* menu = child<QMenu>(&window, "mnuRecent");
    emit menu->aboutToShow();
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        entries << (action->isEnabled() ? "" : "-") + action->text();
    }
    for (int number = 1; auto* link = window.findChild<QLabel*>(QString("recent%1").arg(number)); ++number) {
        entries << (link->isEnabled() ? "" : "-") + QTextDocumentFragment::fromHtml(link->text()).toPlainText();
    }
    return entries;
}

} // namespace

TEST(RecentFiles, ListsTheLastEightRomsNewestFirstAndOpensThemAsFileOpenDoes)
{
    EditorUnderTest editor;
    EXPECT_EQ(editor.find<QStackedWidget>("pages")->currentWidget()->objectName(), "startpage");
    EXPECT_EQ(editor.find<QLabel>("starttext")->text(), "Open a ROM (Ctrl+O), drop one here, or pick a recent one");
    EXPECT_EQ(recentEntries(editor.window), QStringList({"", "Clear"}));
    EXPECT_FALSE(editor.find<QMenu>("mnuRecent")->isEnabled());

    QStringList paths;
    for (int number = 0; number < 10; ++number) {
        paths.prepend(QString::fromStdString(
            editor.dir.write(SyntheticRom(GameVersion::Red), "rom" + std::to_string(number) + ".gb")));
        editor.window.openRomFile(paths.front());
    }
    // Opened again by another name, and saved after another window opened another: first, once.
    const QString current = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(editor.dir.file("")));
    editor.window.openRomFile("./rom3.gb");
    QDir::setCurrent(current);
    editor.window.openRomFile(paths[1]);
    RecentFiles::add(paths[6]);
    clickTrainer(editor.window, 0);
    editor.trigger("mnuSave");
    editor.window.openRomFile(QString::fromStdString(editor.dir.writeBytes({0}, "bad.gb")));
    const QStringList expected = {paths[1], paths[6], paths[0], paths[2], paths[3], paths[4], paths[5], paths[7]};
    EXPECT_EQ(RecentFiles::paths(), expected);
    std::filesystem::remove(paths[0].toStdString());
    QStringList menu{"", "Clear"};
    QStringList links;
    for (int k = 0; k < 8; ++k) {
        const QString gone = k == 2 ? "-" : "";
        menu.insert(k, QString("%1&%2 %3").arg(gone).arg(k + 1).arg(expected[k]));
        links << gone + expected[k];
    }
    EXPECT_EQ(recentEntries(editor.window), menu + links);

    // Opened from the start page, and from the menu after the unsaved-changes question.
    auto* link = editor.find<QLabel>("recent2");
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    EXPECT_EQ(editor.window.session().path, paths[6].toStdString());
    clickTrainer(editor.window, 0);
    retype(editor.window.levelBox(1), "9");
    editor.trigger("mnuRecent4");
    EXPECT_EQ(editor.watcher.boxes.back().text, "Save the changes to ROCKY?");
    editor.watcher.answers.push_back(QMessageBox::Discard);
    editor.trigger("mnuRecent4");
    EXPECT_EQ(editor.window.session().path, paths[2].toStdString());

    editor.trigger("mnuClearRecent");
    EXPECT_EQ(recentEntries(editor.window), QStringList({"", "Clear"}));
}
