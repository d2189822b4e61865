#pragma once

// The overworld battle editor: the six fixed wild battles of the open ROM, their Pokémon and levels.
// A window of its own beside the main window, showing the same file: it tells the main window when it saved,
// and follows the saves of the others. A battle that is not where the version keeps it is shown disabled and
// never written.

#include "overworld/OverworldBattle.h"
#include "rom/EditHistory.h"

#include <QWidget>
#include <memory>

namespace Ui {
class Form3;
}
class PictureBook;
class QComboBox;
class QLineEdit;
class QUndoStack;

class Form3 : public QWidget
{
    Q_OBJECT

public:
    // The battles of rom, which stays open while the window is shown, with the pictures of pictures.
    Form3(RomTarget rom, PictureBook* pictures);
    ~Form3() override;

    QComboBox* speciesBox(int battle) const;
    QLineEdit* levelBox(int battle) const;
    // The steps of the unsaved edits, which Edit > Undo and Redo walk before the ROM's saves.
    QUndoStack* editSteps() const;

    // How the battles are found in an image: through the maps' objects where the owner reads them, else at the
    // places the released game keeps them.
    void setBattleLocator(LocateBattles locate);
    // Fills the six species lists from image, afresh with each opening.
    void overpokemon(const Bytes& image);
    // Shows the six battles of image; a battle that is not in place is disabled and not saved later.
    void loadBattles(const Bytes& image);
    // True when a battle's controls differ from what was loaded.
    bool hasUnsavedChanges() const;
    // Asks once what to do with unsaved edits, the question ending in purpose (" before testing in mgba-qt"):
    // Save writes them, Discard shows the battles as loaded again; false when the user cancels.
    bool settleEdits(const QString& purpose = {});
    // Shows image, which another window's save left in the file. Edits of battles that save did not change are
    // kept; edits of ones it changed are kept or dropped at the user's word.
    void followSave(const Bytes& image);

public slots:
    void Command1_Click();

signals:
    // The file now holds this window's edits.
    void saved();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    BattleEdits editedBattles() const;
    void drawPictures();
    bool oversave();
    void showBattles(const BattleEdits& battles);
    // After a control changed: the title's mark, the pictures, and a step of the edits.
    void battleEdited();

    std::unique_ptr<Ui::Form3> ui;
    RomTarget m_rom;
    LocateBattles m_locate = nullptr;
    PictureBook* m_pictures;
    // The bytes as loaded, for the battles in place; a species list without a selection writes its
    // loaded byte back.
    BattleEdits m_loaded;
    // What the last save adds to its message: the global checksum written too.
    QString m_checksumNote;
    QUndoStack* m_steps;
    std::unique_ptr<EditHistory<BattleEdits>> m_edits;
};
