#include "app/HarderCommand.h"

#include "app/CommandLine.h"
#include "app/RomSession.h"

#include <charconv>
#include <ostream>

namespace {

int usage(std::ostream& err, const std::string& why)
{
    err << "tavrik: " << why << "\n\n" << CommandsHelp;
    return ExitCode::Unreadable;
}

// The options of the command line, or the word that is wrong.
struct HarderArguments
{
    std::vector<std::string> roms;
    DifficultyOptions options;
    bool dryRun = false;
    std::string wrong;
};

HarderArguments readArguments(const std::vector<std::string>& arguments)
{
    HarderArguments read;
    const auto percent = [&](const std::string& flag, const std::string& value, int& to) {
        const auto raise = readRaise(value);
        if (!raise || !raise->percent) {
            read.wrong = flag + " takes a share such as +10%, not " + value;
        } else {
            to = raise->amount;
        }
    };
    for (std::size_t k = 1; k < arguments.size() && read.wrong.empty(); ++k) {
        const std::string& word = arguments[k];
        const bool valued = word == "--levels" || word == "--wild" || word == "--standing" || word == "--min-party";
        if (valued && k + 1 >= arguments.size()) {
            read.wrong = word + " takes a value";
            break;
        }
        if (word == "--levels") {
            const auto raise = readRaise(arguments[++k]);
            read.options.trainers = raise.value_or(LevelRaise{});
            read.wrong = raise ? "" : "--levels takes +N% or +N levels, not " + arguments[k];
        } else if (word == "--wild") {
            percent(word, arguments[++k], read.options.wildPercent);
        } else if (word == "--standing") {
            percent(word, arguments[++k], read.options.standingPercent);
        } else if (word == "--min-party") {
            const std::string& value = arguments[++k];
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), read.options.minParty);
            if (error != std::errc() || end != value.data() + value.size() || read.options.minParty < 0 ||
                read.options.minParty > MaxPartySize) {
                read.wrong = "--min-party takes 0 to 6, not " + value;
            }
        } else if (word == "--evolve") {
            read.options.evolve = true;
        } else if (word == "--only-leaders") {
            read.options.scope = TrainerScope::LeadersOnly;
        } else if (word == "--all-but-leaders") {
            read.options.scope = TrainerScope::AllButLeaders;
        } else if (word == "--dry-run") {
            read.dryRun = true;
        } else if (word.starts_with("--")) {
            read.wrong = "harder has no option " + word;
        } else {
            read.roms.push_back(word);
        }
    }
    return read;
}

} // namespace

std::optional<LevelRaise> readRaise(const std::string& text)
{
    std::string_view digits = text;
    const bool percent = digits.ends_with('%');
    if (percent) {
        digits.remove_suffix(1);
    }
    if (digits.starts_with('+')) {
        digits.remove_prefix(1);
    }
    int amount = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), amount);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || amount < -100 ||
        amount > (percent ? 1000 : MaxLevel)) {
        return std::nullopt;
    }
    return LevelRaise{percent, amount};
}

int harderCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const HarderArguments read = readArguments(arguments);
    if (!read.wrong.empty()) {
        return usage(err, read.wrong);
    }
    if (read.roms.size() != 1) {
        return usage(err, "harder takes one ROM");
    }
    const std::string& path = read.roms.front();
    const auto rom = openRom(path, err);
    if (!rom) {
        return ExitCode::Unreadable;
    }
    const DifficultyRom tables = readDifficultyRom(rom->first, *rom->second, earlierDifficultyChange(path));
    const DifficultyPlan plan = planDifficulty(tables, read.options);
    const auto write = planDifficultyWrites(tables, plan);
    for (const std::string& line : write ? previewLines(plan.preview, write) : previewLines(plan.preview)) {
        out << line << "\n";
    }
    if (!write) {
        err << write.failure().description << "\n";
        return ExitCode::Refused;
    }
    std::size_t bytes = 0;
    for (const ByteWrite& run : write->plan) {
        bytes += run.bytes.size();
    }
    if (read.dryRun) {
        out << bytes << " bytes would be written; this was a dry run, nothing was written.\n";
        return 0;
    }
    const RomTarget target{path, rom->second, requiredRomSize(*rom->second)};
    const auto commit = writeDifficulty(target, tables, read.options);
    if (!commit) {
        err << commit.failure().description << "\n";
        return commit.failure().number >= FailureNumber::RomChanged ? ExitCode::Refused : ExitCode::WriteFailed;
    }
    out << bytes << " bytes written.\n";
    return 0;
}
