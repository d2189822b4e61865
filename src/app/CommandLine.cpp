#include "app/CommandLine.h"

#include "app/BattleJson.h"
#include "app/HarderCommand.h"
#include "app/HistoryCommand.h"
#include "app/PatchCommands.h"
#include "app/RomSession.h"
#include "history/CommitSave.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

namespace {

int usage(std::ostream& err, const std::string& why)
{
    err << "tavrik: " << why << "\n\n" << CommandsHelp;
    return ExitCode::Unreadable;
}

int exportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> roms;
    std::string output;
    for (std::size_t k = 1; k < arguments.size(); ++k) {
        if (arguments[k] == "-o" && k + 1 < arguments.size()) {
            output = arguments[++k];
        } else {
            roms.push_back(arguments[k]);
        }
    }
    if (roms.size() != 1) {
        return usage(err, "export takes one ROM");
    }
    const auto rom = openRom(roms.front(), err);
    if (!rom) {
        return ExitCode::Unreadable;
    }
    const std::string text = exportBattles(rom->first, *rom->second);
    if (output.empty()) {
        out << text;
        return out ? 0 : ExitCode::WriteFailed;
    }
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush()) {
        err << "tavrik: cannot write " << output << "\n";
        return ExitCode::WriteFailed;
    }
    return 0;
}

// Writes every step's runs as one save of image, recorded in the ROM's history as label; how many steps were
// written whole (all of them when only the flush failed).
std::size_t writeSteps(const std::string& path,
                       const Bytes& image,
                       const ImportPlan& plan,
                       const std::string& label,
                       std::optional<Failure>& failure)
{
    WritePlan runs;
    for (const ImportStep& step : plan.steps) {
        runs.insert(runs.end(), step.plan.begin(), step.plan.end());
    }
    std::size_t runsWritten = 0;
    const auto commit = commitSave(path, image, runs, label, {}, &runsWritten);
    if (commit) {
        return plan.steps.size();
    }
    failure = commit.failure();
    std::size_t steps = 0;
    for (std::size_t counted = 0; steps < plan.steps.size(); ++steps) {
        counted += plan.steps[steps].plan.size();
        if (counted > runsWritten) {
            break;
        }
    }
    return steps;
}

// The whole of a file, or nothing when it cannot be read (a folder, say). A regular file is read at once into
// a string of its size; anything else (a shell's <(...)) as its text comes.
std::optional<std::string> readText(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    std::ifstream input(path, std::ios::binary);
    if (error || std::filesystem::is_directory(status) || !input) {
        return std::nullopt;
    }
    if (std::filesystem::is_regular_file(status)) {
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        std::string text(error ? 0 : size, '\0');
        if (error || !input.read(text.data(), static_cast<std::streamsize>(text.size()))) {
            return std::nullopt;
        }
        return text;
    }
    std::stringstream text;
    text << input.rdbuf();
    if (!input) {
        return std::nullopt;
    }
    return std::move(text).str();
}

int importCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto [files, dryRun] = splitArguments(arguments, "--dry-run");
    if (files.size() != 2) {
        return usage(err, "import takes a ROM and a JSON file");
    }
    const auto rom = openRom(files[0], err);
    if (!rom) {
        return ExitCode::Unreadable;
    }
    const std::optional<std::string> text = readText(files[1]);
    if (!text) {
        err << "tavrik: cannot read " << files[1] << "\n";
        return ExitCode::Refused;
    }
    const ImportPlan plan = planImport(rom->first, *rom->second, *text);
    for (const std::string& error : plan.errors) {
        err << error << "\n";
    }
    if (!plan.errors.empty()) {
        err << "Nothing was written.\n";
        return ExitCode::Refused;
    }
    if (plan.steps.empty()) {
        out << "Nothing to change.\n";
        return 0;
    }
    std::size_t bytes = 0;
    for (const ImportStep& step : plan.steps) {
        for (const std::string& line : step.lines) {
            out << line << "\n";
        }
        for (const ByteWrite& run : step.plan) {
            bytes += run.bytes.size();
        }
    }
    if (dryRun) {
        out << bytes << " bytes would be written; this was a dry run, nothing was written.\n";
        return 0;
    }
    // The file once more, as the windows read it before they write: it must still be what was planned on.
    const RomTarget target{files[0], rom->second, requiredRomSize(*rom->second)};
    const auto again = target.readAgain();
    if (!again || *again != rom->first) {
        err << (again ? "The ROM changed while the file was checked." : again.failure().description)
            << " Nothing was written.\n";
        return again ? ExitCode::Refused : ExitCode::Unreadable;
    }
    std::optional<Failure> failure;
    const std::string label = "the import of " + std::filesystem::path(files[1]).filename().string();
    const std::size_t written = writeSteps(files[0], *again, plan, label, failure);
    if (failure && failure->number == FailureNumber::HistoryUnwritable) {
        err << failure->description << "\n";
        return ExitCode::Refused;
    }
    if (failure) {
        err << "Error: " << failure->number << ": " << failure->description << "\n";
        const auto list = [&err, &plan](std::size_t from, std::size_t to) {
            for (std::size_t step = from; step < to; ++step) {
                for (const std::string& line : plan.steps[step].lines) {
                    err << "  " << line << "\n";
                }
            }
        };
        err << "Written" << (written == 0 ? ": nothing" : ":") << "\n";
        list(0, written);
        if (written < plan.steps.size()) {
            err << "Not written (the first of these may be written in part):\n";
            list(written, plan.steps.size());
        }
        return ExitCode::WriteFailed;
    }
    out << bytes << " bytes written.\n";
    return 0;
}

} // namespace

std::optional<std::pair<Bytes, const VersionProfile*>> openRom(const std::string& path, std::ostream& err)
{
    auto image = readRomImage(path);
    if (!image) {
        err << "Error: " << image.failure().number << ": " << image.failure().description << "\n";
        return std::nullopt;
    }
    const Recognition recognition = recognizeRom(*image);
    if (recognition.profile == nullptr) {
        err << "Unsupported ROM!\n" << recognition.reason << "\n";
        return std::nullopt;
    }
    return std::pair{std::move(image.value()), recognition.profile};
}

std::pair<std::vector<std::string>, bool> splitArguments(const std::vector<std::string>& arguments,
                                                         std::string_view flag)
{
    std::pair<std::vector<std::string>, bool> split{{}, false};
    for (std::size_t k = 1; k < arguments.size(); ++k) {
        if (arguments[k] == flag) {
            split.second = true;
        } else {
            split.first.push_back(arguments[k]);
        }
    }
    return split;
}

namespace {

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

constexpr std::pair<std::string_view, Command> Commands[] = {
    {"export", exportCommand},
    {"import", importCommand},
    {"patch", patchCommand},
    {"apply", applyCommand},
    {"checksum", checksumCommand},
    {"undo", historyCommand},
    {"redo", historyCommand},
    {"history", historyCommand},
    {"harder", harderCommand},
};

} // namespace

bool isCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && std::any_of(std::begin(Commands), std::end(Commands), [&](const auto& command) {
        return command.first == arguments.front();
    });
}

int runCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    for (const auto& [name, command] : Commands) {
        if (name == arguments.front()) {
            return command(arguments, out, err);
        }
    }
    return usage(err, "no command " + arguments.front());
}
