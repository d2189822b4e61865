// How long the editor takes for what a user waits on, on a 1 MiB synthetic image of each version (the
// benchmark argument 0, 1, 2 is Red, Blue, Yellow; the label names it). Every figure is in microseconds.
//
//   ReadWholeFileOnce    the floor: open(), one read() of the whole file into a ready buffer, close().
//   ReadAllMaps          every map of the image in memory read through the game's tables: headers,
//                        connections, objects and wild tables.
//   OpenToReadyCore      what the open flow computes: readRomImage, recognizeRom, readRoster, every party of
//                        the game, and the species, move and item names with the item list's fixed tail.
//   LoadTrainerCore      loading one trainer: readAgain and readTrainer, the next trainer each time.
//   CheckBeforeSaveCore  what a save works out before its first write: readAgain and planTrainerWrite
//                        with one edited level, nothing written.
//   SaveTrainerCore      writeTrainer with one changed level, the fsync included.
//   DecodeAllPictures    the 190 species' and 47 trainer classes' pictures decoded from the image.
//   DrawLargestMap       the largest map (Route 17, 10 x 72 blocks) with its objects, from a fresh drawing
//                        (argument 0, cold: its tiles, blocks and frames decoded first) or a kept one (1, warm).
//   DrawAllMaps          the bare picture and the picture with objects of every map, in memory, from a fresh
//                        drawing.
//   SaveRepackingBankCore  every party one member stronger in one save: the trainer bank laid out anew, fsync
//                        included
//   SaveMovingListCore   writeBankChange growing a party past its list's place, so that the list moves into
//                        the free space at the end of the trainer bank, the fsync included.
//   UndoSaveCore         undoSave of the newest of 50 recorded saves: the history read, the file checked, the
//                        history written pending, the ROM written, the history settled, each fsynced; meant to
//                        stay within a frame (16 ms). Argument 0: saves of 12 bytes; 1: saves of 3,000 bytes,
//                        as many bank repacks would leave (a history of 600 KB).
//   ReadAllSpeciesCore   readSpeciesData on the image in memory: every base stats record, evolutions and
//                        learnset, move, the TM/HM list and the type names.
//   ComputeAllOpponentsCore  the moves, PP and stats of every opponent of the game, from the species, parties,
//                        special moves and maps read once: every member of every party, every wild slot and every
//                        Pokémon standing on a map; meant to stay within 1 ms.
//   SaveRepackingSpeciesBankCore  writeSpeciesEdits with one more learnset move for every species: the trainer
//                        bank laid out anew with every party and list, checked, written with its fsync.
//   OpenToReadyWindow    Form1::openRomFile, the command line's way in, until the roster and every list
//                        are filled.
//   LoadTrainerWindow    selecting another row of the roster: the trainer read and the form filled.
//   SaveTrainerWindow    File > Save ROM with one edited level: the write, the success box answered with
//                        OK, the roster read again and the first trainer reloaded as the window does.
//   OpenMapsWindow       Extras > Maps... until the window shows its first map with its lists; meant to stay
//                        within 10 ms.
//   OpenPokemonWindow    Extras > Pokémon... until the window shows the first species with its lists and the
//                        moves; meant to stay within 10 ms.
//   WriteWholeGuide      the guide of the whole game written to a folder, pages and pictures (GuideBench.cpp);
//                        meant to stay within 2 s.
//   DifficultyPreviewCore  planDifficulty with +N% levels, at least 4 members, evolving, +10% wild and standing
//                        on the tables read once: every party, wild slot and standing Pokémon planned and the
//                        preview's figures; meant to stay within a frame (16 ms).
//   DifficultyWritesCore  the same change planned through the bank's, the maps' and the battles' planners, each
//                        checked, nothing written: what Apply and `tavrik harder` work out before the save.
//   DifficultyPreviewWindow  the Difficulty dialog's levels slider moved one step: the plan, the preview's text and
//                        the chart drawn anew; meant to stay within a frame (16 ms).
//   MakeBpsPatch, ApplyBpsPatch  a BPS patch of a saved Red image made and applied in memory (PatchBench.cpp);
//                        meant to stay within 20 ms each.
//
// The core figures are meant to stay close to the floor: OpenToReadyCore within 3x of ReadWholeFileOnce,
// LoadTrainerCore and ReadAllMaps within 2x, ReadAllSpeciesCore within 1x. SaveRepackingSpeciesBankCore is meant to
// stay within 16 ms. DrawLargestMap is meant to stay within 2 ms, DrawAllMaps within
// 100 ms.
//
//   tavrik_bench [--benchmark_filter=REGEX] [--benchmark_repetitions=N]

#include "app/Form1.h"
#include "app/RomSession.h"
#include "battles/Opponents.h"
#include "catalogues/NameCatalogues.h"
#include "demo/SyntheticRom.h"
#include "difficulty/Form7.h"
#include "history/CommitSave.h"
#include "history/UndoRedo.h"
#include "maps/Form5.h"
#include "maps/MapDrawing.h"
#include "maps/MapLooks.h"
#include "maps/MapTable.h"
#include "pictures/PictureLocator.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"
#include "species/Form6.h"
#include "species/SpeciesEdit.h"
#include "trainers/PartyWrite.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

// A folder of its own under the system's temporary folder, removed with everything in it.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrik-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~ScratchFolder()
    {
        if (!m_path.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// One synthetic image per benchmark run, written to a folder of its own.
struct ImageFile
{
    explicit ImageFile(GameVersion version) : path((folder.path() / "bench.gb").string())
    {
        SyntheticRom(version).writeTo(path);
    }

    ScratchFolder folder;
    std::string path;
};

GameVersion versionOf(const benchmark::State& state)
{
    return static_cast<GameVersion>(state.range(0));
}

const VersionProfile& profileIn(const benchmark::State& state)
{
    return profileOf(versionOf(state));
}

RomTarget target(const std::string& path, const VersionProfile& profile)
{
    return {path, &profile, requiredRomSize(profile)};
}

void setVersionLabel(benchmark::State& state)
{
    state.SetLabel(std::string(profileIn(state).code));
}

// The first of the Elite Four: the longest party of the roster.
constexpr int SavedTrainer = GymLeaderCount;

// The loaded values with member 1's level changed, always to a valid level.
TrainerRecord withOtherLevel(const TrainerRecord& record)
{
    TrainerRecord edited = record;
    if (edited.party && !edited.party->empty()) {
        PartyMember& first = edited.party->front();
        first.level = static_cast<std::uint8_t>(first.level == 50 ? 51 : 50);
    }
    return edited;
}

// The floor: one open, one read of the whole file into a buffer made beforehand, one close.
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
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(buffer.size()));
}
BENCHMARK(ReadWholeFileOnce)->Unit(benchmark::kMicrosecond);

void ReadAllMaps(benchmark::State& state)
{
    const SyntheticRom rom(versionOf(state));
    for (auto _ : state) {
        const MapTable table = readMaps(rom.bytes(), profileIn(state));
        if (table.rows.empty()) {
            state.SkipWithError("no maps");
            break;
        }
        benchmark::DoNotOptimize(table.rows.data());
    }
    setVersionLabel(state);
}
BENCHMARK(ReadAllMaps)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Everything the open flow computes before the window fills its lists.
void OpenToReadyCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    for (auto _ : state) {
        const auto bytes = readRomImage(image.path);
        if (!bytes) {
            state.SkipWithError("cannot read the image");
            break;
        }
        const Recognition recognition = recognizeRom(*bytes);
        if (recognition.profile == nullptr) {
            state.SkipWithError("not recognised");
            break;
        }
        const VersionProfile& profile = *recognition.profile;
        const PartyTable parties = readPartyTable(*bytes, profile);
        const auto roster = readRoster(*bytes, profile, parties);
        const auto species = speciesNames(*bytes, profile);
        const auto moves = moveNames(*bytes, profile);
        const auto items = itemNames(*bytes, profile);
        const auto placeholders = itemPlaceholders(items.size());
        const auto machines = machineNames();
        if (roster.size() != RosterSize || species.empty() || moves.empty() || items.empty()) {
            state.SkipWithError("a list came back short");
            break;
        }
        benchmark::DoNotOptimize(placeholders.data());
        benchmark::DoNotOptimize(machines.data());
    }
    setVersionLabel(state);
}
BENCHMARK(OpenToReadyCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// One trainer loaded as the window loads it, the next one of the roster each iteration.
void LoadTrainerCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const VersionProfile& profile = profileIn(state);
    int rosterIndex = 0;
    for (auto _ : state) {
        rosterIndex = (rosterIndex + 1) % RosterSize;
        const auto bytes = target(image.path, profile).readAgain();
        if (!bytes) {
            state.SkipWithError("cannot read the image again");
            break;
        }
        const LoadedTrainer loaded = readTrainer(*bytes, profile, rosterIndex);
        benchmark::DoNotOptimize(&loaded);
    }
    setVersionLabel(state);
}
BENCHMARK(LoadTrainerCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// A save's checks and plan for one edited level, without writing.
void CheckBeforeSaveCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const VersionProfile& profile = profileIn(state);
    const auto first = target(image.path, profile).readAgain();
    if (!first) {
        state.SkipWithError("cannot read the image");
        return;
    }
    const LoadedTrainer loaded = readTrainer(*first, profile, SavedTrainer);
    const TrainerRecord edited = withOtherLevel(loaded.record);
    if (edited == loaded.record) {
        state.SkipWithError("the trainer has no party to edit");
        return;
    }
    for (auto _ : state) {
        const auto bytes = target(image.path, profile).readAgain();
        if (!bytes) {
            state.SkipWithError("cannot read the image again");
            break;
        }
        const auto write = planTrainerWrite(*bytes, profile, SavedTrainer, loaded, edited);
        if (!write || write->plan.empty()) {
            state.SkipWithError("nothing planned");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(CheckBeforeSaveCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The whole save of one changed level, flushed to disk; each iteration changes it back or forth.
void SaveTrainerCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const VersionProfile& profile = profileIn(state);
    const auto first = target(image.path, profile).readAgain();
    if (!first) {
        state.SkipWithError("cannot read the image");
        return;
    }
    LoadedTrainer loaded = readTrainer(*first, profile, SavedTrainer);
    for (auto _ : state) {
        const TrainerRecord edited = withOtherLevel(loaded.record);
        if (!writeTrainer(target(image.path, profile), SavedTrainer, loaded, edited, "the save of a level").ok()) {
            state.SkipWithError("the save failed");
            break;
        }
        loaded.record = edited;
    }
    setVersionLabel(state);
}
BENCHMARK(SaveTrainerCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Every Pokémon and trainer picture of the image decoded, as `tavrik pictures` and the windows (lazily)
// decode them.
void DecodeAllPictures(benchmark::State& state)
{
    const SyntheticRom rom(versionOf(state));
    for (auto _ : state) {
        std::size_t pixels = 0;
        for (int species = 1; species <= PictureSpeciesCount; ++species) {
            pixels += speciesPicture(rom.bytes(), versionOf(state), species).picture.shades.size();
        }
        for (int classNumber = 1; classNumber <= PortraitClassCount; ++classNumber) {
            pixels += trainerPicture(rom.bytes(), versionOf(state), classNumber).picture.shades.size();
        }
        benchmark::DoNotOptimize(pixels);
    }
    setVersionLabel(state);
}
BENCHMARK(DecodeAllPictures)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The synthetic image's maps as the drawing sees them.
struct DrawnImage
{
    explicit DrawnImage(GameVersion version)
        : image(SyntheticRom(version).bytes()), maps(mapsToDraw(image, profileOf(version)))
    {}

    Bytes image;
    std::vector<MapToDraw> maps;
};

void DrawLargestMap(benchmark::State& state)
{
    const DrawnImage drawn(GameVersion::Red);
    const auto largest = std::max_element(drawn.maps.begin(), drawn.maps.end(), [](const auto& a, const auto& b) {
        return a.look.width * a.look.height < b.look.width * b.look.height;
    });
    const bool warm = state.range(0) == 1;
    MapDrawing kept(drawn.image, GameVersion::Red);
    for (auto _ : state) {
        MapDrawing fresh(drawn.image, GameVersion::Red);
        const MapPicture picture = (warm ? kept : fresh).withPeople(largest->look, largest->people);
        if (!picture.sound()) {
            state.SkipWithError("the largest map was not drawn");
            break;
        }
        benchmark::DoNotOptimize(picture.shades.data());
    }
    state.SetLabel(largest->name + (warm ? ", warm" : ", cold"));
}
BENCHMARK(DrawLargestMap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void DrawAllMaps(benchmark::State& state)
{
    const DrawnImage drawn(versionOf(state));
    for (auto _ : state) {
        MapDrawing drawing(drawn.image, versionOf(state));
        std::size_t pixels = 0;
        for (const MapToDraw& map : drawn.maps) {
            pixels += drawing.bare(map.look).shades.size();
            pixels += drawing.withPeople(map.look, map.people).shades.size();
        }
        benchmark::DoNotOptimize(pixels);
    }
    setVersionLabel(state);
}
BENCHMARK(DrawAllMaps)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// A save that moves a list: the first gym leader's party grows past its place into the free space at the
// end of the trainer bank, the fsync included. Each iteration starts again from the image as built.
void SaveMovingListCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const VersionProfile& profile = profileIn(state);
    const SyntheticRom built(versionOf(state));
    const PartyTable table = readPartyTable(built.bytes(), profile);
    const int rocky = trainerClass(0).number;
    std::vector<PartyMember> members = table.party(rocky, 1)->members;
    members.push_back({members.back().level, 1});
    const LoadedBank loaded{*table.listOf(rocky), table.entry(rocky).money};
    for (auto _ : state) {
        state.PauseTiming();
        built.writeTo(image.path);
        state.ResumeTiming();
        const auto moved =
            writeBankChange(target(image.path, profile), loaded, {{PartyChange{rocky, 1, members}}, {}}, "a party");
        if (!moved || moved->relocations.empty()) {
            state.SkipWithError("the list was not moved");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(SaveMovingListCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// A save that lays the whole trainer bank out anew: every party one member stronger, read, planned, checked and
// written with its fsync, as the import of such a file does. Each iteration starts again from the image as built.
void SaveRepackingBankCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const VersionProfile& profile = profileIn(state);
    const SyntheticRom built(versionOf(state));
    const PartyTable table = readPartyTable(built.bytes(), profile);
    BankChange change;
    for (const PartyList& list : table.lists) {
        for (std::size_t k = 0; k < list.parties.size(); ++k) {
            std::vector<PartyMember> members = list.parties[k].members;
            if (members.size() < MaxPartySize) {
                members.push_back({members.back().level, 1});
                change.parties.push_back({list.classes.front(), static_cast<int>(k) + 1, members});
            }
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        built.writeTo(image.path);
        state.ResumeTiming();
        const auto bytes = target(image.path, profile).readAgain();
        const auto write = planBankChange(*bytes, profile, change);
        if (!write || !write->repack || !commitSave(image.path, *bytes, write->plan, "a repack")) {
            state.SkipWithError("the bank was not laid out anew");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(SaveRepackingBankCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The undo of the newest of 50 saves, each iteration's redo (which puts the save back) not timed.
void UndoSaveCore(benchmark::State& state)
{
    const ImageFile image(GameVersion::Red);
    Bytes bytes = *readRomImage(image.path);
    const std::size_t half = state.range(0) == 0 ? 6 : 1500;
    for (int save = 1; save <= static_cast<int>(HistoryLimit); ++save) {
        const auto value = static_cast<std::uint8_t>(save);
        const WritePlan plan = {{0x38000, Bytes(half, value)}, {0x3A000, Bytes(half, value)}};
        if (!commitSave(image.path, bytes, plan, "save " + std::to_string(save))) {
            state.SkipWithError("a save failed");
            return;
        }
        applyWritePlan(bytes, plan);
    }
    for (auto _ : state) {
        const auto undone = undoSave(image.path);
        state.PauseTiming();
        if (!undone || !redoSave(image.path)) {
            state.SkipWithError("the undo or the redo failed");
            break;
        }
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(2 * half) + " bytes a save");
}
BENCHMARK(UndoSaveCore)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void ReadAllSpeciesCore(benchmark::State& state)
{
    const SyntheticRom rom(versionOf(state));
    for (auto _ : state) {
        const SpeciesData data = readSpeciesData(rom.bytes(), profileIn(state));
        if (data.evosMoves.lists.empty() || data.moves.values.empty()) {
            state.SkipWithError("no species");
            break;
        }
        benchmark::DoNotOptimize(data.records.data());
    }
    setVersionLabel(state);
}
BENCHMARK(ReadAllSpeciesCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void ComputeAllOpponentsCore(benchmark::State& state)
{
    const SyntheticRom rom(versionOf(state));
    const VersionProfile& profile = profileIn(state);
    const SpeciesData data = readSpeciesData(rom.bytes(), profile);
    const SpecialMoves special = readSpecialMoves(rom.bytes(), profile);
    const PartyTable parties = readPartyTable(rom.bytes(), profile);
    const MapTable maps = readMaps(rom.bytes(), profile);
    std::size_t battlers = 0;
    for (auto _ : state) {
        const Opponents opponents = computeOpponents(data, special, parties, maps);
        battlers = opponents.standing.size();
        for (const PartyBattlers& party : opponents.parties) {
            battlers += party.members.size();
        }
        for (const auto& table : opponents.wild) {
            battlers += table.size();
        }
        benchmark::DoNotOptimize(opponents.parties.data());
    }
    state.SetLabel(std::string(profile.code) + ", " + std::to_string(battlers) + " battlers");
}
BENCHMARK(ComputeAllOpponentsCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// A species save that lays the trainer bank out anew: one more learnset move for every species, about 300 bytes
// more than the lists' place and the free space hold one by one, read again, planned, checked and written with its
// fsync, as the window's save does. Each iteration starts again from the image as built.
void SaveRepackingSpeciesBankCore(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const VersionProfile& profile = profileIn(state);
    const SyntheticRom built(versionOf(state));
    const SpeciesData data = readSpeciesData(built.bytes(), profile);
    SpeciesEdits edits;
    for (const EvosMovesList& list : data.evosMoves.lists) {
        EvosMoves grown = list.content;
        grown.learnset.push_back({100, 1});
        edits.evosMoves[list.species.front()] = grown;
    }
    for (auto _ : state) {
        state.PauseTiming();
        built.writeTo(image.path);
        state.ResumeTiming();
        const auto save = writeSpeciesEdits(target(image.path, profile), data, edits, "every learnset");
        if (!save || !save->repack) {
            state.SkipWithError("the bank was not laid out anew");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(SaveRepackingSpeciesBankCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Answers every message box as soon as it is up, with its default button (OK for the success box), and
// keeps what each said.
class ModalAnswerer
{
public:
    ModalAnswerer()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    const QStringList& boxTexts() const { return m_boxTexts; }

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        m_boxTexts << box->text();
        if (QPushButton* answer = box->defaultButton()) {
            answer->click();
        } else {
            box->accept();
        }
    }

    QTimer m_timer;
    QStringList m_boxTexts;
};

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

QListWidget* roster(Form1& window)
{
    return child<QListWidget>(&window, "trainerlst");
}

bool openedAll(Form1& window)
{
    return window.session().loaded() && roster(window)->count() == RosterSize;
}

// Opening the image the way the command line does, until every list is filled.
void OpenToReadyWindow(benchmark::State& state)
{
    const ImageFile image(versionOf(state));
    const QString path = QString::fromStdString(image.path);
    Form1 window;
    window.show();
    ModalAnswerer answerer;
    for (auto _ : state) {
        window.openRomFile(path);
        if (!openedAll(window)) {
            state.SkipWithError("the window did not open the ROM");
            break;
        }
    }
    if (!answerer.boxTexts().isEmpty()) {
        state.SkipWithError("a message box came up while opening");
    }
    setVersionLabel(state);
}
BENCHMARK(OpenToReadyWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The main window with the image opened, for the steps that follow.
struct OpenedEditor
{
    explicit OpenedEditor(GameVersion version) : image(version)
    {
        window.show();
        window.openRomFile(QString::fromStdString(image.path));
        ready = openedAll(window);
    }

    ImageFile image;
    Form1 window;
    ModalAnswerer answerer;
    bool ready = false;
};

// Clicking a trainer in the roster; each iteration selects the next row, so each one is a real load.
void LoadTrainerWindow(benchmark::State& state)
{
    OpenedEditor editor(versionOf(state));
    if (!editor.ready) {
        state.SkipWithError("the window did not open the ROM");
        return;
    }
    QListWidget* list = roster(editor.window);
    int row = list->currentRow();
    for (auto _ : state) {
        row = (row + 1) % RosterSize;
        list->setCurrentRow(row);
    }
    if (list->currentRow() != row || !editor.answerer.boxTexts().isEmpty()) {
        state.SkipWithError("the roster did not follow, or a message box came up while loading");
    }
    setVersionLabel(state);
}
BENCHMARK(LoadTrainerWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// File > Save ROM after editing member 1's level, the success box answered with OK. A save leaves the
// first trainer selected; picking the trainer and editing it happen outside the timing.
void SaveTrainerWindow(benchmark::State& state)
{
    OpenedEditor editor(versionOf(state));
    if (!editor.ready) {
        state.SkipWithError("the window did not open the ROM");
        return;
    }
    Form1& window = editor.window;
    const QStringList& boxTexts = editor.answerer.boxTexts();
    auto* save = child<QAction>(&window, "mnuSave");
    for (auto _ : state) {
        state.PauseTiming();
        roster(window)->setCurrentRow(SavedTrainer);
        QLineEdit* level = window.levelBox(1);
        level->setText(level->text() == QStringLiteral("50") ? QStringLiteral("51") : QStringLiteral("50"));
        const bool edited = window.hasUnsavedChanges();
        const qsizetype boxesBefore = boxTexts.size();
        state.ResumeTiming();
        save->trigger();
        if (!edited || boxTexts.size() != boxesBefore + 1 ||
            !boxTexts.back().contains(QStringLiteral("saved successfully"))) {
            state.SkipWithError("no edit, or no success box after Save ROM");
            break;
        }
    }
    setVersionLabel(state);
}
BENCHMARK(SaveTrainerWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Extras > Maps... on the opened image: the file read again, the maps and parties read, the list filled and the
// first map drawn with its trainers and wild Pokémon. Closing the window happens outside the timing.
void OpenMapsWindow(benchmark::State& state)
{
    OpenedEditor editor(versionOf(state));
    if (!editor.ready) {
        state.SkipWithError("the window did not open the ROM");
        return;
    }
    auto* maps = child<QAction>(&editor.window, "mnuMaps");
    for (auto _ : state) {
        maps->trigger();
        Form5* window = editor.window.mapsWindow();
        state.PauseTiming();
        if (window == nullptr || window->selectedMap() < 0 || !window->close()) {
            state.SkipWithError("the Maps window did not open on a map, or did not close");
            break;
        }
        // What the event loop does between two openings: the window deleted, its posted events handled.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    setVersionLabel(state);
}
BENCHMARK(OpenMapsWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

DifficultyOptions previewOptions(int step)
{
    DifficultyOptions options;
    options.trainers = {true, 10 + step % 2};
    options.minParty = 4;
    options.evolve = true;
    options.wildPercent = 10;
    options.standingPercent = 10;
    return options;
}

void DifficultyPreviewCore(benchmark::State& state)
{
    const SyntheticRom rom(versionOf(state));
    const DifficultyRom tables = readDifficultyRom(rom.bytes(), profileIn(state), false);
    int step = 0;
    for (auto _ : state) {
        const DifficultyPlan plan = planDifficulty(tables, previewOptions(++step));
        benchmark::DoNotOptimize(plan.preview.parties);
    }
    setVersionLabel(state);
}
BENCHMARK(DifficultyPreviewCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void DifficultyWritesCore(benchmark::State& state)
{
    const SyntheticRom rom(versionOf(state));
    const DifficultyRom tables = readDifficultyRom(rom.bytes(), profileIn(state), false);
    int step = 0;
    for (auto _ : state) {
        const auto write = planDifficultyWrites(tables, planDifficulty(tables, previewOptions(++step)));
        if (!write) {
            state.SkipWithError("the change was refused");
            break;
        }
        benchmark::DoNotOptimize(write->plan.data());
    }
    setVersionLabel(state);
}
BENCHMARK(DifficultyWritesCore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void DifficultyPreviewWindow(benchmark::State& state)
{
    OpenedEditor editor(versionOf(state));
    if (!editor.ready) {
        state.SkipWithError("the window did not open the ROM");
        return;
    }
    child<QAction>(&editor.window, "mnuDifficulty")->trigger();
    Form7* dialog = editor.window.difficultyWindow();
    auto* levels = dialog == nullptr ? nullptr : child<QSlider>(dialog, "sldLevels");
    if (levels == nullptr) {
        state.SkipWithError("the Difficulty dialog did not open");
        return;
    }
    child<QSpinBox>(dialog, "spnMinParty")->setValue(4);
    child<QSpinBox>(dialog, "spnWild")->setValue(10);
    int step = 0;
    for (auto _ : state) {
        levels->setValue(10 + ++step % 2);
        QCoreApplication::sendPostedEvents();
    }
    setVersionLabel(state);
}
BENCHMARK(DifficultyPreviewWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Extras > Pokémon... on the opened image: the file read again, the species, moves, maps and parties read, the list
// and the Moves tab filled and the first species shown. Closing the window happens outside the timing.
void OpenPokemonWindow(benchmark::State& state)
{
    OpenedEditor editor(versionOf(state));
    if (!editor.ready) {
        state.SkipWithError("the window did not open the ROM");
        return;
    }
    auto* pokemon = child<QAction>(&editor.window, "mnuPokemon");
    for (auto _ : state) {
        pokemon->trigger();
        Form6* window = editor.window.pokemonWindow();
        state.PauseTiming();
        if (window == nullptr || window->selectedNumber() != 1 || !window->close()) {
            state.SkipWithError("the Pokémon window did not open on a species, or did not close");
            break;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    setVersionLabel(state);
}
BENCHMARK(OpenPokemonWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

QtMessageHandler qtHandler = nullptr;

// The headless platform says these for every window it shows; everything else Qt says is kept.
void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QStringLiteral("does not support propagateSizeHints")) &&
        !message.contains(QStringLiteral("does not support raise()")) && qtHandler != nullptr) {
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
    // The saves' histories and the windows' settings go to a folder of the run's own, not the user's.
    const ScratchFolder settings;
    ::setenv("XDG_CONFIG_HOME", settings.path().c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
