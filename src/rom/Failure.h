#pragma once

// A failure of the byte-level layer travels as a value: a number and a sentence the window can show
// in a box titled "Error: <number>". Nothing in the core throws.

#include <optional>
#include <string>
#include <utility>
#include <variant>

struct Failure
{
    int number = 0;
    std::string description;
};

// The numbers follow the classic BASIC runtime errors the program's users know from older editors.
namespace FailureNumber {
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int InputPastEnd = 62;
constexpr int BadRecordNumber = 63;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
// Refusals of our own, beyond the runtime's range.
constexpr int RomChanged = 1001;
constexpr int NameSplitsTable = 1002;
constexpr int NotLoaded = 1003;
constexpr int NotInPlace = 1004;
constexpr int WouldMoveData = 1005;
constexpr int PartyNotStorable = 1006;
constexpr int NoRoomInBank = 1007;
constexpr int BadPatch = 1008;
constexpr int PatchForAnotherRom = 1009;
constexpr int CannotPatch = 1010;
constexpr int NothingToUndo = 1011;
constexpr int NothingToRedo = 1012;
constexpr int HistoryUnreadable = 1013;
constexpr int HistoryUnwritable = 1014;
constexpr int ListNotStorable = 1015;
constexpr int ValueNotStorable = 1016;
} // namespace FailureNumber

// A save refused before any byte was written: the reason, then "Nothing was written."
inline Failure refusal(int number, const std::string& reason)
{
    return {number, reason + " Nothing was written."};
}

// Either a value or the failure that prevented it.
template <typename T> class Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Failure failure) : m_state(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<T>(m_state); }
    T& value() { return std::get<T>(m_state); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    const Failure& failure() const { return std::get<Failure>(m_state); }

private:
    std::variant<T, Failure> m_state;
};

// The outcome of a write: no failure means every byte reached the file.
using WriteStatus = std::optional<Failure>;
