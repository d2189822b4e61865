// How long the editor takes for what a user waits on, on a 1 MiB synthetic image of each version:
// opening a ROM until every list is filled (the core alone, and through the window's File > Open ROM),
// loading one trainer into the window, and saving one trainer (the core alone, and through Save ROM).
// The floor to compare with: reading the whole file once with a single read.
//
//   tavrik_bench [--benchmark_filter=REGEX] [--benchmark_repetitions=N]

#include "SyntheticRom.h"
#include "TempRom.h"
#include "app/Form1.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Answers the modal windows as a user would, as soon as each comes up: the open dialog with the path
// typed into its name box (or Cancel for an empty path), a message box with OK, keeping its text.
class ModalAnswerer
{
public:
    ModalAnswerer()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    void answerOpenDialogWith(const std::string& path) { m_openAnswer = QString::fromStdString(path); }
    const QStringList& boxTexts() const { return m_boxTexts; }
    // When the Open button of the last open dialog was clicked.
    std::chrono::steady_clock::time_point chosenAt() const { return m_chosenAt; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_boxTexts << box->text();
            box->accept();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            if (m_openAnswer.isEmpty() || name == nullptr || buttons == nullptr ||
                buttons->button(QDialogButtonBox::Open) == nullptr) {
                dialog->reject();
                return;
            }
            name->setText(m_openAnswer);
            m_chosenAt = std::chrono::steady_clock::now();
            buttons->button(QDialogButtonBox::Open)->click();
        }
    }

    QTimer m_timer;
    QString m_openAnswer;
    QStringList m_boxTexts;
    std::chrono::steady_clock::time_point m_chosenAt;
};

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

void openRom(Form1& window, const std::string& path, ModalAnswerer& answerer)
{
    answerer.answerOpenDialogWith(path);
    child<QAction>(&window, "mnuOpen")->trigger();
}

GameVersion versionOf(const benchmark::State& state)
{
    return static_cast<GameVersion>(state.range(0));
}

// One image per benchmark run, written to a folder of its own.
struct ImageFile
{
    explicit ImageFile(GameVersion version) : path(folder.write(SyntheticRom(version), "bench.gb")) {}

    TempDir folder;
    std::string path;
};

void setVersionLabel(benchmark::State& state)
{
    state.SetLabel(std::string(profileOf(versionOf(state)).code));
}

// The floor: one open, one read of the whole file, one close.
void ReadWholeFileOnce(benchmark::State& state)
{
    const ImageFile image(GameVersion::Red);
    Bytes buffer(SyntheticRom::DefaultSize);
    for (auto _ : state) {
        const int descriptor = ::open(image.path.c_str(), O_RDONLY);
        const ssize_t got = ::read(descriptor, buffer.data(), buffer.size());
        ::close(descriptor);
        if (got != static_cast<ssize_t>(buffer.size())) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(buffer.size()));
}
BENCHMARK(ReadWholeFileOnce)->Unit(benchmark::kMicrosecond);

// What the open flow reads before the editor is ready: version, roster, species, moves, items and the
// item list's fixed tail.
void OpenCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    for (auto _ : state) {
        const auto recognition = recognizeRom(image.path);
        if (!recognition || recognition->profile == nullptr) {
            state.SkipWithError("not recognised");
            break;
        }
        const VersionProfile& profile = *recognition->profile;
        auto file = RomFile::open(image.path, RomFile::Mode::Read);
        if (!file) {
            state.SkipWithError("cannot open");
            break;
        }
        const auto roster = readRoster(file.value(), profile);
        const auto species = speciesNames(file.value(), profile);
        const auto moves = moveNames(file.value(), profile);
        const auto items = itemNames(file.value(), profile);
        const auto placeholders = itemPlaceholders();
        const auto machines = machineNames();
        if (!roster || !species || !moves || !items) {
            state.SkipWithError("a list could not be read");
            break;
        }
        benchmark::DoNotOptimize(placeholders.data());
        benchmark::DoNotOptimize(machines.data());
    }
    setVersionLabel(state);
}
BENCHMARK(OpenCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

QListWidget* roster(Form1& window)
{
    return child<QListWidget>(&window, "trainerlst");
}

bool openedAll(Form1& window)
{
    return window.session().loaded() && roster(window)->count() == RosterSize;
}

// File > Open ROM through the real open dialog, answered with the path as a user would type it.
void OpenWindow(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    Form1 window;
    window.show();
    ModalAnswerer answerer;
    for (auto _ : state) {
        openRom(window, image.path, answerer);
        if (!openedAll(window)) {
            state.SkipWithError("the window did not open the ROM");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(OpenWindow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// What the user waits for in OpenWindow once the file is chosen: from the click on the dialog's Open
// button until the editor is ready (the dialog closing, recognition, the roster and every list filled).
void OpenWindowAfterChoosing(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    Form1 window;
    window.show();
    ModalAnswerer answerer;
    for (auto _ : state) {
        openRom(window, image.path, answerer);
        const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - answerer.chosenAt();
        if (!openedAll(window)) {
            state.SkipWithError("the window did not open the ROM");
            break;
        }
        state.SetIterationTime(waited.count());
    }
    setVersionLabel(state);
}
BENCHMARK(OpenWindowAfterChoosing)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);

// The part of OpenWindow that is the dialog alone: File > Open ROM, cancelled.
void OpenDialogCancelled(benchmark::State& state)
{
    Form1 window;
    window.show();
    ModalAnswerer answerer;
    for (auto _ : state) {
        openRom(window, std::string(), answerer);
    }
}
BENCHMARK(OpenDialogCancelled)->Unit(benchmark::kMillisecond);

// The main window with a synthetic ROM opened through File > Open ROM, for the steps that follow.
struct OpenedEditor
{
    explicit OpenedEditor(GameVersion version) : image(version)
    {
        window.show();
        openRom(window, image.path, answerer);
        ready = openedAll(window);
    }

    ImageFile image;
    Form1 window;
    ModalAnswerer answerer;
    bool ready = false;
};

// Clicking a trainer in the roster: every field of the form filled from the file. Each iteration
// selects the next trainer, so each one is a real load.
void LoadTrainerWindow(benchmark::State& state)
{
    OpenedEditor editor(versionOf(state));
    if (!editor.ready) {
        state.SkipWithError("the window did not open the ROM");
        return;
    }
    Form1& window = editor.window;
    ModalAnswerer& answerer = editor.answerer;
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % RosterSize;
        roster(window)->setCurrentRow(row);
    }
    if (!answerer.boxTexts().isEmpty()) {
        state.SkipWithError("a message box came up while loading");
    }
    setVersionLabel(state);
}
BENCHMARK(LoadTrainerWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// writeTrainer of one trainer's unchanged values: the check that the file is still this version's
// ROM, every field's bytes, and the flush to disk.
void SaveTrainerCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const VersionProfile& profile = profileOf(versionOf(state));
    const int rosterIndex = GymLeaderCount; // the first of the Elite Four: the longest layout
    const auto record = readTrainer(image.path, profile, rosterIndex);
    if (!record) {
        state.SkipWithError("cannot read the trainer");
        return;
    }
    for (auto _ : state) {
        if (writeTrainer(image.path, profile, rosterIndex, *record)) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(SaveTrainerCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// File > Save ROM in the window: the write, the success box (answered with OK), then the roster read
// again and the first trainer reloaded, as the window does after every save.
void SaveTrainerWindow(benchmark::State& state)
{
    OpenedEditor editor(versionOf(state));
    if (!editor.ready) {
        state.SkipWithError("the window did not open the ROM");
        return;
    }
    Form1& window = editor.window;
    ModalAnswerer& answerer = editor.answerer;
    auto* save = child<QAction>(&window, "mnuSave");
    for (auto _ : state) {
        // A save leaves the first trainer selected; select the one to save outside the timing.
        state.PauseTiming();
        roster(window)->setCurrentRow(GymLeaderCount);
        const qsizetype boxesBefore = answerer.boxTexts().size();
        state.ResumeTiming();
        save->trigger();
        if (answerer.boxTexts().size() != boxesBefore + 1 ||
            !answerer.boxTexts().back().contains(QStringLiteral("saved successfully"))) {
            state.SkipWithError("no success box after Save ROM");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(SaveTrainerWindow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

QtMessageHandler qtHandler = nullptr;

// The headless platform says this for every dialog it shows; everything else Qt says is kept.
void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QStringLiteral("does not support propagateSizeHints")) && qtHandler != nullptr) {
        qtHandler(type, context, message);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qtHandler = qInstallMessageHandler(dropPlatformChatter);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
