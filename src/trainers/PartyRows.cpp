#include "trainers/PartyRows.h"

#include "pictures/PictureBook.h"
#include "trainers/InputFilters.h"
#include "ui_PartyRows.h"

#include <QAction>
#include <QSignalBlocker>
#include <QStyle>

namespace {

// Shows or hides a warning: an icon with its reason as tooltip, and the reason as the control's accessible
// description, so a screen reader says it too.
void setWarning(QWidget* control, QObject* icon, const QString& reason)
{
    if (auto* label = qobject_cast<QWidget*>(icon)) {
        label->setVisible(!reason.isEmpty());
        label->setToolTip(reason);
        label->setAccessibleDescription(reason);
    } else if (auto* action = qobject_cast<QAction*>(icon)) {
        action->setVisible(!reason.isEmpty());
        action->setToolTip(reason);
    }
    control->setAccessibleDescription(reason);
}

} // namespace

QString membersText(const std::vector<PartyMember>& members, const QStringList& speciesNames)
{
    QStringList texts;
    for (const PartyMember& member : members) {
        texts << QStringLiteral("%1 %2")
                     .arg(speciesNames.value(member.species, QStringLiteral("#%1").arg(member.species)))
                     .arg(member.level);
    }
    return texts.join(QStringLiteral(", "));
}

QString lostMoveWarning(const LostMove& move, const QString& moveName)
{
    const QString what = move.kind == LostMoveKind::StarterMove
                             ? QStringLiteral("the move chosen by the player's starter")
                         : move.kind == LostMoveKind::SpecialMoveUser ? QStringLiteral("the special move")
                                                                      : moveName;
    return QStringLiteral("the game gives %1 to member %2, which the party lacks").arg(what).arg(move.member);
}

PartyRows::PartyRows(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::PartyRows>())
{
    ui->setupUi(this);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int member = 1; member <= MaxPartySize; ++member) {
        QLineEdit* level = levelBox(member);
        installByteBox(level);
        QAction* levelWarning = level->addAction(warning, QLineEdit::TrailingPosition);
        levelWarning->setObjectName(level->objectName() + QStringLiteral("Warning"));
        levelWarning->setVisible(false);
        m_levelWarnings[static_cast<std::size_t>(member - 1)] = levelWarning;
        auto* speciesWarning = findChild<QLabel*>(QStringLiteral("pkmn%1Warning").arg(member));
        speciesWarning->setPixmap(warning.pixmap(14, 14));
        speciesWarning->hide();
        findChild<QLabel*>(QStringLiteral("pkmn%1Moves").arg(member))->hide();
        // The row that adds a member reads like the others, not like the disabled stand-ins around it.
        QComboBox* species = speciesBox(member);
        QPalette palette = species->palette();
        palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::ButtonText));
        species->setPalette(palette);
        m_speciesPlaces[static_cast<std::size_t>(member - 1)] = species->geometry();
        connect(speciesBox(member), &QComboBox::currentIndexChanged, this, [this, member](int index) {
            speciesPicked(member, index);
        });
        connect(level, &QLineEdit::textChanged, this, [this, member] { levelTyped(member); });
        connect(removeButton(member), &QToolButton::clicked, this, [this, member] { removeMember(member); });
    }
    showRows(0);
}

PartyRows::~PartyRows() = default;

QComboBox* PartyRows::speciesBox(int member) const
{
    return findChild<QComboBox*>(QStringLiteral("pkmn%1").arg(member));
}

QLineEdit* PartyRows::levelBox(int member) const
{
    return findChild<QLineEdit*>(QStringLiteral("lvl%1").arg(member));
}

QToolButton* PartyRows::removeButton(int member) const
{
    return findChild<QToolButton*>(QStringLiteral("delpoke%1").arg(member));
}

QLabel* PartyRows::picture(int member) const
{
    return findChild<QLabel*>(QStringLiteral("pkmn%1Picture").arg(member));
}

QStringList PartyRows::memberNames() const
{
    QStringList names;
    int member = 0;
    for (const PartyMember& stored : m_members) {
        const QString name = speciesBox(++member)->itemText(stored.species);
        names << (name.isEmpty() ? QStringLiteral("#%1").arg(stored.species) : name);
    }
    return names;
}

void PartyRows::setSpeciesNames(const QStringList& names)
{
    for (int member = 1; member <= MaxPartySize; ++member) {
        const QSignalBlocker blocker(speciesBox(member));
        speciesBox(member)->clear();
        speciesBox(member)->addItems(names);
    }
}

void PartyRows::setPictureBook(PictureBook* book)
{
    m_pictures = book;
    connect(book, &PictureBook::changed, this, &PartyRows::drawPictures);
    drawPictures();
}

void PartyRows::drawPictures()
{
    for (int member = 1; member <= MaxPartySize; ++member) {
        if (m_pictures != nullptr && member <= memberCount()) {
            m_pictures->showSpecies(picture(member), m_members[static_cast<std::size_t>(member - 1)].species);
        } else {
            PictureBook::show(picture(member), QImage(), {});
        }
    }
}

void PartyRows::setMembers(const std::vector<PartyMember>& members)
{
    m_members = members;
    m_growing = !members.empty();
    render();
}

void PartyRows::showRows(int count)
{
    m_members.resize(static_cast<std::size_t>(count));
    m_growing = false;
    render();
}

void PartyRows::render()
{
    const int count = memberCount();
    for (int member = 1; member <= MaxPartySize; ++member) {
        const bool shown = member <= count;
        const bool adds = m_growing && member == count + 1;
        QComboBox* species = speciesBox(member);
        QLineEdit* level = levelBox(member);
        const QSignalBlocker speciesBlocker(species);
        species->setVisible(shown || adds);
        // The row that adds a member is its species list alone, asking for one until a species is picked, as
        // wide as the member's picture and list together.
        const QRect place = m_speciesPlaces[static_cast<std::size_t>(member - 1)];
        species->setGeometry(adds ? place.adjusted(picture(member)->x() - place.x(), 0, 0, 0) : place);
        species->setPlaceholderText(adds ? QStringLiteral("Add a Pokémon…") : QString());
        level->setVisible(shown);
        findChild<QLabel*>(QStringLiteral("lvl%1Label").arg(member))->setVisible(shown);
        // The disabled stand-in behind the level box; the form numbered them from member 2, member 1's last.
        findChild<QLineEdit*>(QStringLiteral("Text%1").arg(member == 1 ? MaxPartySize : member - 1))->setVisible(!adds);
        removeButton(member)->setVisible(shown && m_growing);
        removeButton(member)->setEnabled(count > 1);
        if (shown) {
            const PartyMember& values = m_members[static_cast<std::size_t>(member - 1)];
            // A byte the list has no entry for selects nothing; the byte itself is kept.
            species->setCurrentIndex(values.species < species->count() ? values.species : -1);
            setNumberText(level, QString::number(values.level));
        } else if (adds) {
            species->setCurrentIndex(-1);
            setNumberText(level, QString());
        } else if (member >= 2) {
            // A hidden row's level box reads 0, as an emptied number box does; member 1's is never emptied.
            setNumberText(level, QStringLiteral("0"));
        }
        if (!shown) {
            setMemberMoves(member, QString());
        }
    }
    drawPictures();
}

void PartyRows::speciesPicked(int member, int index)
{
    const int count = memberCount();
    if (index < 0 || member > count + 1) {
        return;
    }
    if (member <= count) {
        m_members[static_cast<std::size_t>(member - 1)].species = static_cast<std::uint8_t>(index);
        drawPictures();
    } else if (m_growing && count < MaxPartySize) {
        m_members.push_back({m_members.back().level, static_cast<std::uint8_t>(index)});
        render();
    }
    emit membersChanged();
    emit changed();
}

void PartyRows::levelTyped(int member)
{
    if (member <= memberCount()) {
        m_members[static_cast<std::size_t>(member - 1)].level =
            static_cast<std::uint8_t>(byteBoxValue(levelBox(member)));
        emit changed();
    }
}

void PartyRows::removeMember(int member)
{
    if (memberCount() <= 1 || member > memberCount()) {
        return;
    }
    emit removingMember(member);
    m_members.erase(m_members.begin() + (member - 1));
    render();
    // The keyboard stays on the rows: on the member that moved up, or on the row to add one.
    speciesBox(std::min(member, memberCount() + 1))->setFocus();
    emit membersChanged();
    emit changed();
}

void PartyRows::setMemberMoves(int member, const QString& moves)
{
    auto* star = findChild<QLabel*>(QStringLiteral("pkmn%1Moves").arg(member));
    star->setVisible(!moves.isEmpty());
    star->setToolTip(moves);
    star->setAccessibleDescription(moves);
}

QStringList PartyRows::warnings()
{
    QStringList lines;
    for (int member = 1; member <= MaxPartySize; ++member) {
        const bool shown = member <= memberCount();
        const PartyMember values = shown ? m_members[static_cast<std::size_t>(member - 1)] : PartyMember{1, 1};
        QString levelReason;
        QString speciesReason;
        if (values.level == 0) {
            levelReason = QStringLiteral("A level of 0 ends the party here: the game shows neither this member nor any "
                                         "after it. Remove the member instead; Tavrik does not save a level of 0.");
            lines << QStringLiteral("member %1's level 0 ends the party").arg(member);
        }
        if (values.species == 0) {
            speciesReason = QStringLiteral("MISSINGNO. stands for no Pokémon: the game takes its byte 0 for the end "
                                           "of the party. Pick a species; Tavrik does not save it.");
            lines << QStringLiteral("MISSINGNO. at member %1").arg(member);
        }
        setWarning(levelBox(member), m_levelWarnings[static_cast<std::size_t>(member - 1)], levelReason);
        setWarning(speciesBox(member), findChild<QLabel*>(QStringLiteral("pkmn%1Warning").arg(member)), speciesReason);
    }
    return lines;
}
