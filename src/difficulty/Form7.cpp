#include "difficulty/Form7.h"

#include "history/SaveSettings.h"
#include "rom/FailureBox.h"
#include "rom/WindowPlace.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

const QString PlaceSetting = QStringLiteral("Form7");
constexpr QSize DefaultSize(1200, 720);

// A slider and a spin box that show one value, in a row.
QWidget* sliderRow(QWidget* parent, const QString& name, QSlider*& slider, QSpinBox*& box, int low, int high)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    slider = new QSlider(Qt::Horizontal, row);
    slider->setObjectName(QStringLiteral("sld") + name);
    slider->setRange(low, high);
    box = new QSpinBox(row);
    box->setObjectName(QStringLiteral("spn") + name);
    box->setRange(low, high);
    layout->addWidget(slider, 1);
    layout->addWidget(box);
    QObject::connect(slider, &QSlider::valueChanged, box, &QSpinBox::setValue);
    QObject::connect(box, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    return row;
}

} // namespace

Form7::Form7(RomTarget rom) : m_rom(std::move(rom))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(tr("Difficulty"));
    buildControls();
    resize(screenFit(this, DefaultSize));
    restoreWindowPlace(this, PlaceSetting);
}

Form7::~Form7() = default;

void Form7::buildControls()
{
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    m_scope = new QComboBox(this);
    m_scope->setObjectName(QStringLiteral("cboScope"));
    m_scope->addItems({tr("All classes"), tr("Only gym leaders and the Elite Four"), tr("All but them")});
    form->addRow(tr("Trainers:"), m_scope);
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("cboLevelMode"));
    m_mode->addItems({tr("+N% levels"), tr("+N levels")});
    form->addRow(tr("Raise by:"), m_mode);
    form->addRow(tr("Trainers' levels:"), sliderRow(this, QStringLiteral("Levels"), m_levelSlider, m_levels, -50, 100));
    m_evolve = new QCheckBox(tr("Evolve members whose new level passes their evolution"), this);
    m_evolve->setObjectName(QStringLiteral("chkEvolve"));
    form->addRow(QString(), m_evolve);
    m_minParty = new QSpinBox(this);
    m_minParty->setObjectName(QStringLiteral("spnMinParty"));
    m_minParty->setRange(0, MaxPartySize);
    m_minParty->setSpecialValueText(tr("as they are"));
    form->addRow(tr("Every party at least:"), m_minParty);
    form->addRow(tr("Wild and fishing, %:"), sliderRow(this, QStringLiteral("Wild"), m_wildSlider, m_wild, -50, 100));
    form->addRow(tr("Standing Pokémon, %:"),
                 sliderRow(this, QStringLiteral("Standing"), m_standingSlider, m_standing, -50, 100));
    left->addLayout(form);
    m_earlier = new QLabel(this);
    m_earlier->setObjectName(QStringLiteral("lblEarlier"));
    m_earlier->setWordWrap(true);
    m_earlier->setStyleSheet(QStringLiteral("color: #a04000"));
    left->addWidget(m_earlier);
    m_previewText = new QPlainTextEdit(this);
    m_previewText->setObjectName(QStringLiteral("txtPreview"));
    m_previewText->setReadOnly(true);
    m_previewText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    left->addWidget(m_previewText, 1);
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("lblNotes"));
    left->addWidget(m_notes);
    auto* buttons = new QHBoxLayout;
    m_apply = new QPushButton(tr("Apply"), this);
    m_apply->setObjectName(QStringLiteral("cmdApply"));
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(close);
    left->addLayout(buttons);
    layout->addLayout(left, 2);

    m_chartView = new QChartView(new QChart, this);
    m_chartView->setObjectName(QStringLiteral("chtLevels"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumWidth(420);
    layout->addWidget(m_chartView, 3);
    buildChart();

    connect(m_apply, &QPushButton::clicked, this, &Form7::cmdApply_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    const auto changed = [this] { updatePreview(); };
    connect(m_scope, &QComboBox::currentIndexChanged, this, changed);
    connect(m_mode, &QComboBox::currentIndexChanged, this, changed);
    connect(m_levels, &QSpinBox::valueChanged, this, changed);
    connect(m_evolve, &QCheckBox::toggled, this, changed);
    connect(m_minParty, &QSpinBox::valueChanged, this, changed);
    connect(m_wild, &QSpinBox::valueChanged, this, changed);
    connect(m_standing, &QSpinBox::valueChanged, this, changed);
}

QChart* Form7::chart() const
{
    return m_chartView->chart();
}

void Form7::loadRom(const Bytes& image)
{
    m_image = image;
    m_tables = std::make_unique<DifficultyRom>(
        readDifficultyRom(m_image, *m_rom.profile, earlierDifficultyChange(m_rom.path)));
    m_earlier->setText(m_tables->earlierChange ? tr("This ROM's history holds an earlier difficulty change: these "
                                                    "options apply to the ROM as it is now, on top of it.")
                                               : QString());
    m_earlier->setVisible(m_tables->earlierChange);
    updatePreview();
}

DifficultyOptions Form7::options() const
{
    DifficultyOptions options;
    options.trainers = {m_mode->currentIndex() == 0, m_levels->value()};
    options.scope = static_cast<TrainerScope>(m_scope->currentIndex());
    options.evolve = m_evolve->isChecked();
    options.minParty = m_minParty->value();
    options.wildPercent = m_wild->value();
    options.standingPercent = m_standing->value();
    return options;
}

void Form7::updatePreview()
{
    if (m_tables == nullptr) {
        return;
    }
    m_plan = planDifficulty(*m_tables, options());
    QStringList lines;
    // The label above says so once already.
    DifficultyPreview shown = m_plan.preview;
    shown.earlierChange = false;
    // The planners' whole check takes about a millisecond: the preview says at once what Apply would meet.
    for (const std::string& line : previewLines(shown, planDifficultyWrites(*m_tables, m_plan))) {
        lines << QString::fromStdString(line);
    }
    m_previewText->setPlainText(lines.join(QLatin1Char('\n')));
    m_apply->setEnabled(m_plan.preview.parties + m_plan.preview.wildSlots + m_plan.preview.standing > 0);
    drawChart();
}

void Form7::buildChart()
{
    QChart* chart = m_chartView->chart();
    chart->setTitle(tr("Gym leaders and the Elite Four, in the order they are fought"));
    const auto line = [chart](const QString& name, Qt::PenStyle style, const QColor& colour) {
        auto* series = new QLineSeries(chart);
        series->setName(name);
        series->setPen(QPen(colour, 2, style));
        return series;
    };
    m_lines = {line(tr("Highest before"), Qt::DashLine, QColor(0xC0, 0x30, 0x30)),
               line(tr("Highest after"), Qt::SolidLine, QColor(0xC0, 0x30, 0x30)),
               line(tr("Mean before"), Qt::DashLine, QColor(0x30, 0x50, 0xC0)),
               line(tr("Mean after"), Qt::SolidLine, QColor(0x30, 0x50, 0xC0))};
    m_wildLow = new QLineSeries(chart);
    m_wildHigh = new QLineSeries(chart);
    auto* wild = new QAreaSeries(m_wildHigh, m_wildLow);
    wild->setName(tr("Wild, after"));
    wild->setColor(QColor(0x40, 0xA0, 0x40, 0x60));
    wild->setBorderColor(QColor(0x40, 0xA0, 0x40));
    m_leaderAxis = new QBarCategoryAxis(chart);
    m_leaderAxis->setLabelsAngle(-90);
    m_levelAxis = new QValueAxis(chart);
    m_levelAxis->setLabelFormat(QStringLiteral("%d"));
    m_levelAxis->setTickType(QValueAxis::TicksDynamic);
    m_levelAxis->setTickAnchor(0);
    m_levelAxis->setTickInterval(10);
    m_levelAxis->setTitleText(tr("Level"));
    chart->addAxis(m_leaderAxis, Qt::AlignBottom);
    chart->addAxis(m_levelAxis, Qt::AlignLeft);
    for (QAbstractSeries* series :
         std::initializer_list<QAbstractSeries*>{wild, m_lines[0], m_lines[1], m_lines[2], m_lines[3]}) {
        chart->addSeries(series);
        series->attachAxis(m_leaderAxis);
        series->attachAxis(m_levelAxis);
    }
    chart->legend()->setAlignment(Qt::AlignRight);
}

// Moving a slider only replaces the points: the series and axes stay, so that the chart keeps up with the slider.
void Form7::drawChart()
{
    std::array<QList<QPointF>, 4> lines;
    QList<QPointF> low;
    QList<QPointF> high;
    QStringList names;
    int top = 10;
    int wildLow = 0;
    int wildHigh = 0;
    for (std::size_t k = 0; k < m_plan.preview.leaders.size(); ++k) {
        const LeaderFigures& leader = m_plan.preview.leaders[k];
        const auto x = static_cast<double>(k);
        names << QString::fromStdString(leader.name);
        lines[0] << QPointF(x, leader.highestBefore);
        lines[1] << QPointF(x, leader.highestAfter);
        lines[2] << QPointF(x, leader.meanBefore);
        lines[3] << QPointF(x, leader.meanAfter);
        // The band of the wild levels after the change on the routes before a leader; where no route leads to a
        // leader (Giovanni's gym, the Elite Four one after another) the last routes' Pokémon are still those met.
        if (leader.wildHighAfter > 0) {
            wildLow = leader.wildLowAfter;
            wildHigh = leader.wildHighAfter;
        }
        low << QPointF(x, wildLow);
        high << QPointF(x, wildHigh);
        top = std::max({top, leader.highestAfter, leader.highestBefore, wildHigh});
    }
    if (m_leaderAxis->categories() != names) {
        m_leaderAxis->setCategories(names);
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
        m_lines[k]->replace(lines[k]);
    }
    m_wildLow->replace(low);
    m_wildHigh->replace(high);
    m_levelAxis->setRange(0, std::min(MaxLevel, (top / 10 + 1) * 10));
}

void Form7::cmdApply_Click()
{
    if (!m_apply->isEnabled()) {
        return;
    }
    const auto commit = writeDifficulty(m_rom, *m_tables, options(), keepGlobalChecksumSetting());
    if (!commit) {
        showFailure(this, commit.failure());
        return;
    }
    m_notes->setText(QStringLiteral("The difficulty change was saved: %1 bytes changed.")
                         .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(commit->bytesChanged))) +
                     checksumNote(*commit));
    const auto image = m_rom.readAgain();
    if (image) {
        loadRom(*image);
    }
    emit saved();
}

void Form7::closeEvent(QCloseEvent* event)
{
    saveWindowPlace(this, PlaceSetting);
    event->accept();
}
