#include "app/HistoryCommand.h"

#include "app/CommandLine.h"
#include "history/UndoRedo.h"
#include "rom/DisplayText.h"

#include <ctime>
#include <ostream>

namespace {

std::string localTime(std::int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local = {};
    char text[32] = "";
    if (::localtime_r(&time, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    }
    return text;
}

int exitCodeOf(const Failure& failure)
{
    if (failure.number == FailureNumber::HistoryUnreadable) {
        return ExitCode::Unreadable;
    }
    // Tavrik's own refusals come before any byte is written; anything else is the file refusing a write.
    return failure.number >= FailureNumber::RomChanged ? ExitCode::Refused : ExitCode::WriteFailed;
}

} // namespace

bool isHistoryCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty() &&
           (arguments.front() == "undo" || arguments.front() == "redo" || arguments.front() == "history");
}

int historyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const std::string& command = arguments.front();
    if (arguments.size() != 2) {
        err << "tavrik: " << command << " takes one ROM\n\n" << CommandsHelp;
        return ExitCode::Unreadable;
    }
    const std::string& rom = arguments[1];
    if (const auto image = readRomImage(rom); !image) {
        err << "Error: " << image.failure().number << ": " << image.failure().description << "\n";
        return ExitCode::Unreadable;
    }
    if (command == "history") {
        const auto history = readHistory(rom);
        if (!history) {
            err << history.failure().description << "\n";
            return ExitCode::Unreadable;
        }
        out << historyListing(*history, rom);
        return 0;
    }
    const auto step = command == "undo" ? undoSave(rom) : redoSave(rom);
    if (!step) {
        const int code = exitCodeOf(step.failure());
        err << (code == ExitCode::WriteFailed ? "Error: " + std::to_string(step.failure().number) + ": " : "")
            << step.failure().description << "\n";
        return code;
    }
    out << step->sentence() << "\n";
    return 0;
}

std::string historyListing(const SaveHistory& history, const std::string& romPath)
{
    const auto& entries = history.entries();
    if (entries.empty()) {
        return "No save of " + romPath + " is in its history.\n";
    }
    std::string text = "Saves of " + romPath + ", newest first:\n";
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        text += "  " + localTime(entry->time) + "  " + entry->label + ": " + groupedNumber(entry->bytes()) +
                (entry->bytes() == 1 ? " byte" : " bytes");
        text += entry->pending != Pending::None ? " (not settled: the ROM could not be checked)"
                : entry->undone                 ? " (undone)"
                : entry->mixed                  ? " (written in part)"
                                                : "";
        text += "\n";
    }
    const HistoryEntry* undo = history.nextUndo();
    const HistoryEntry* redo = history.nextRedo();
    text += undo != nullptr ? "Next undo: " + undo->label + "." : std::string("Nothing to undo.");
    text += redo != nullptr ? " Next redo: " + redo->label + ".\n" : std::string(" Nothing to redo.\n");
    return text;
}
