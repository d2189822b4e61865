#pragma once

// File > Properties: the open ROM's file, game, size and CRC32, whether it is a game as released, its two
// cartridge checksums right or wrong, the original its patches start from, and the setting that makes every save
// keep the global checksum right.

#include "rom/RomFile.h"

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class Properties;
}

class Properties : public QDialog
{
    Q_OBJECT

public:
    // The facts of image, the file at path, of the game title; chooseOriginal asks for another original and
    // gives its path, or nothing.
    Properties(const QString& path,
               const QString& title,
               const Bytes& image,
               const QString& original,
               std::function<QString()> chooseOriginal,
               QWidget* parent);
    ~Properties() override;

private:
    void showOriginal(const QString& original);

    std::unique_ptr<Ui::Properties> ui;
};
