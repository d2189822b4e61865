#pragma once

// Yellow's custom moves of one party, as the main window and the Trainer Parties window edit them: a row for each
// move the game writes over a member once the party is read, which member (counted from 1), which of its four move
// slots and which move, with buttons that add a row and remove the selected one. The rows are in the order the
// table stores them; the game writes them in that order, so a later row for the same member and slot wins.

#include "trainers/PartyRules.h"

#include <QWidget>
#include <vector>

class QPushButton;
class QTableWidget;

class CustomMovesEditor : public QWidget
{
    Q_OBJECT

public:
    explicit CustomMovesEditor(QWidget* parent = nullptr);

    // Why a window leaves the custom moves alone where the table has no end the game would find.
    static QString unreadableNote();

    QTableWidget* table() const { return m_table; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }

    // The move lists' names, move byte b at b - 1.
    void setMoveNames(const QStringList& names);
    // The party's members' species as the rows stand, which the member lists name ("2: ONIX"); members past them
    // stay pickable, marked as missing.
    void setMemberNames(const QStringList& names);
    void setMoves(const std::vector<CustomMove>& moves);
    const std::vector<CustomMove>& moves() const { return m_moves; }
    // Before member (from 1) is removed from the party: offers to move the custom moves of the members after it
    // with them and to drop its own, and does so at the user's word, without announcing a change (the removal
    // does).
    void offerToFollowRemoval(int member);

protected:
    // A wheel turned over a list the user has not picked scrolls the table instead of changing the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A row added, removed or changed by the user.
    void changed();

private:
    void render();
    void addMove();
    void removeMove();
    void updateButtons();

    QTableWidget* m_table;
    QPushButton* m_add;
    QPushButton* m_remove;
    QStringList m_moveNames;
    QStringList m_memberNames;
    std::vector<CustomMove> m_moves;
};
