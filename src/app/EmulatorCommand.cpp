#include "app/EmulatorCommand.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::string_view RomPlaceholder = "%f";

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

} // namespace

std::vector<std::string> commandWords(std::string_view command, std::string& problem)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t k = 0; k < command.size(); ++k) {
        const char c = command[k];
        if (quote != 0 && c == quote) {
            quote = 0;
        } else if (quote == '\'' || (quote == '"' && c != '\\')) {
            word += c;
        } else if (c == '\\' && k + 1 < command.size()) {
            word += command[++k];
            inWord = true;
        } else if (quote == 0 && (c == '\'' || c == '"')) {
            quote = c;
            inWord = true;
        } else if (quote == 0 && blank(c)) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
            }
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote != 0) {
        problem = std::string("a ") + quote + " quote is not closed";
        return {};
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    if (words.empty()) {
        problem = "no emulator is set";
    }
    return words;
}

std::string findProgram(const std::string& program, std::string_view path, std::string& problem)
{
    namespace fs = std::filesystem;
    const auto runnable = [](const fs::path& file) {
        std::error_code error;
        return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
    };
    if (program.find('/') != std::string::npos) {
        std::error_code error;
        if (!fs::exists(program, error)) {
            problem = "there is no such file";
        } else if (fs::is_directory(program, error)) {
            problem = "it is a folder";
        } else if (!runnable(program)) {
            problem = "the file is not executable";
        }
        return problem.empty() ? program : std::string();
    }
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const fs::path file = fs::path(path.substr(start, end - start)) / program;
        if (end > start && runnable(file)) {
            return file.string();
        }
        start = end + 1;
    }
    problem = "no program of that name is on the PATH";
    return {};
}

EmulatorLaunch emulatorLaunch(std::string_view command, const std::string& rom, std::string_view path)
{
    EmulatorLaunch launch;
    std::vector<std::string> words = commandWords(command, launch.problem);
    if (words.empty()) {
        return launch;
    }
    launch.program = findProgram(words.front(), path, launch.problem);
    if (launch.program.empty()) {
        return launch;
    }
    bool placed = false;
    for (auto word = words.begin() + 1; word != words.end(); ++word) {
        for (std::size_t at = word->find(RomPlaceholder); at != std::string::npos;
             at = word->find(RomPlaceholder, at + rom.size())) {
            word->replace(at, RomPlaceholder.size(), rom);
            placed = true;
        }
        launch.arguments.push_back(std::move(*word));
    }
    if (!placed) {
        launch.arguments.push_back(rom);
    }
    return launch;
}

std::string firstKnownEmulator(std::string_view path)
{
    for (const std::string_view name : KnownEmulators) {
        std::string problem;
        if (!findProgram(std::string(name), path, problem).empty()) {
            return std::string(name);
        }
    }
    return {};
}

std::string commandOf(const std::string& program)
{
    if (program.find_first_of(" \t\n'\"\\") == std::string::npos) {
        return program;
    }
    std::string quoted = "'";
    for (const char c : program) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}
