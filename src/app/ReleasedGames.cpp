#include "app/ReleasedGames.h"

#include <QCryptographicHash>

namespace {

struct ReleasedGame
{
    const char* sha1;
    const char* name;
};

constexpr ReleasedGame Released[] = {
    {"ea9bcae617fdf159b045185467ae58b2e4a48b9a", "Pokémon Red"},
    {"d7037c83e1ae5b39bde3c30787637ba1d4c48ce2", "Pokémon Blue"},
    {"cc7d03262ebfaf2f06772c1a480c7d9d5f4a38e1", "Pokémon Yellow"},
};

} // namespace

QString releasedGameName(const Bytes& image)
{
    const QByteArray sha1 = QCryptographicHash::hash(QByteArrayView(image.data(), static_cast<qsizetype>(image.size())),
                                                     QCryptographicHash::Sha1)
                                .toHex();
    for (const ReleasedGame& game : Released) {
        if (sha1 == game.sha1) {
            return QStringLiteral("%1, as released").arg(QString::fromUtf8(game.name));
        }
    }
    return {};
}
