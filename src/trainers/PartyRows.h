#pragma once

// The six member rows of a party, as the main window and the Trainer Parties window show them: each member's
// picture, species and level with a button that removes it, and after the last member a row whose species list,
// reading "Add a Pokémon…", adds a member at the level of the one before. Rows past that show disabled placeholders.
// Values the game cannot store (a level of 0, MISSINGNO.) are marked beside their control.

#include "trainers/PartyRules.h"
#include "trainers/PartyTable.h"

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

namespace Ui {
class PartyRows;
}
class PictureBook;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// "RATTATA 11, EKANS 11": a party's members in one line, a species the list has no name for by its byte.
QString membersText(const std::vector<PartyMember>& members, const QStringList& speciesNames);
// The warning for a move the party is too small for; moveName names the move's byte where it has one.
QString lostMoveWarning(const LostMove& move, const QString& moveName);

class PartyRows : public QWidget
{
    Q_OBJECT

public:
    explicit PartyRows(QWidget* parent = nullptr);
    ~PartyRows() override;

    // member 1..6.
    QComboBox* speciesBox(int member) const;
    QLineEdit* levelBox(int member) const;
    QToolButton* removeButton(int member) const;
    QLabel* picture(int member) const;

    void setSpeciesNames(const QStringList& names);
    // The pictures beside the members, drawn again when the book changes; none without a book.
    void setPictureBook(PictureBook* book);
    // Shows the members, with the row to add one after them while there are fewer than 6. No members: every
    // row is off.
    void setMembers(const std::vector<PartyMember>& members);
    // As the rows stand now. A species list without a selection (a byte the list has no entry for) keeps the
    // byte as it was.
    const std::vector<PartyMember>& members() const { return m_members; }
    int memberCount() const { return static_cast<int>(m_members.size()); }
    // Each member's species as its list names it, a byte the list has no name for as "#N".
    QStringList memberNames() const;

    // Rows 1..count shown, the rest hidden with placeholders; no row to add a member.
    void showRows(int count);
    // The star beside a member whose moves the game sets itself, with the moves as its tooltip; empty: none.
    void setMemberMoves(int member, const QString& moves);
    // Marks levels of 0 and MISSINGNO. beside their controls; returns a line for each, for the notes.
    QStringList warnings();

signals:
    // A value, a member added or removed.
    void changed();
    // The members' number or species, which the lists naming members follow.
    void membersChanged();
    // The user is removing member (from 1); the rows still show it. What the host gives members by their number
    // may follow before the removal is announced as a change.
    void removingMember(int member);

private:
    void render();
    void drawPictures();
    void speciesPicked(int member, int index);
    void levelTyped(int member);
    void removeMember(int member);

    std::unique_ptr<Ui::PartyRows> ui;
    std::vector<PartyMember> m_members;
    // Whether the row after the last member offers to add one.
    bool m_growing = false;
    std::array<QAction*, MaxPartySize> m_levelWarnings{};
    // Where each species list stands as a member's; the row that adds one widens it.
    std::array<QRect, MaxPartySize> m_speciesPlaces{};
    PictureBook* m_pictures = nullptr;
};
