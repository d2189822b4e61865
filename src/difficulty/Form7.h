#pragma once

// The Difficulty dialog: the options of a harder (or easier) game, and what they change, in figures and in a chart
// of the gym leaders' and the Elite Four's levels in the order they are fought, before anything is written. Apply
// writes the whole change as one save; the dialog then shows the ROM as it is after it. Pending settings are
// options, not edits: closing the dialog forgets them without asking. A window of its own beside the main window,
// showing the same file; it tells the main window when it saved and follows the saves of the others.

#include "difficulty/DifficultyPlan.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QBarCategoryAxis;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QValueAxis;

class Form7 : public QDialog
{
    Q_OBJECT

public:
    explicit Form7(RomTarget rom);
    ~Form7() override;

    // Reads image's tables for the previews, and the ROM's history for an earlier difficulty change.
    void loadRom(const Bytes& image);
    // Shows image, which another window's save left in the file.
    void followSave(const Bytes& image) { loadRom(image); }

    DifficultyOptions options() const;
    const DifficultyPreview& preview() const { return m_plan.preview; }
    QChart* chart() const;
    // Plans and writes the change; a refusal shows what does not fit and writes nothing.
    void cmdApply_Click();

signals:
    void saved();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the dialog as Close does, so that it is deleted and opened anew on the file as it is then.
    void reject() override { close(); }

private:
    void buildControls();
    void updatePreview();
    void buildChart();
    void drawChart();

    RomTarget m_rom;
    Bytes m_image;
    std::unique_ptr<DifficultyRom> m_tables;
    DifficultyPlan m_plan;

    QComboBox* m_scope = nullptr;
    QComboBox* m_mode = nullptr;
    QSlider* m_levelSlider = nullptr;
    QSpinBox* m_levels = nullptr;
    QCheckBox* m_evolve = nullptr;
    QSpinBox* m_minParty = nullptr;
    QSlider* m_wildSlider = nullptr;
    QSpinBox* m_wild = nullptr;
    QSlider* m_standingSlider = nullptr;
    QSpinBox* m_standing = nullptr;
    QLabel* m_earlier = nullptr;
    QPlainTextEdit* m_previewText = nullptr;
    QChartView* m_chartView = nullptr;
    // Highest before and after, mean before and after; the wild band's edges.
    std::array<QLineSeries*, 4> m_lines{};
    QLineSeries* m_wildLow = nullptr;
    QLineSeries* m_wildHigh = nullptr;
    QBarCategoryAxis* m_leaderAxis = nullptr;
    QValueAxis* m_levelAxis = nullptr;
    QLabel* m_notes = nullptr;
    QPushButton* m_apply = nullptr;
};
