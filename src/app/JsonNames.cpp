#include "app/JsonNames.h"

#include "catalogues/NameCatalogues.h"

namespace {

// Entries that stand for no species or item, whatever the ROM holds there.
bool placeholder(const std::string& name)
{
    return name.empty() || name == "MISSINGNO." || name == "?????";
}

} // namespace

NameList::NameList(const char* what, std::vector<std::string> names, int firstByte, bool firstHolds)
    : m_what(what), m_names(std::move(names)), m_firstByte(firstByte), m_firstHolds(firstHolds)
{
    for (std::size_t position = 0; position < m_names.size(); ++position) {
        const auto [entry, added] = m_entries.try_emplace(m_names[position], 0, static_cast<int>(position));
        ++entry->second.first;
    }
}

Json NameList::write(int byte) const
{
    const int position = byte - m_firstByte;
    if (position >= 0 && position < static_cast<int>(m_names.size())) {
        const std::string& name = m_names[static_cast<std::size_t>(position)];
        const auto [count, first] = m_entries.find(name)->second;
        if (!placeholder(name) && (count == 1 || (m_firstHolds && first == position))) {
            return name;
        }
    }
    return byte;
}

std::optional<int> NameList::read(const Json& value, std::string& error) const
{
    if (value.is_number_integer()) {
        const auto byte = value.get<long long>();
        if (byte >= 0 && byte <= 255) {
            return static_cast<int>(byte);
        }
        error = "the byte " + std::to_string(byte) + " is not one of 0-255";
        return std::nullopt;
    }
    if (!value.is_string()) {
        error = std::string("a ") + m_what + " is a name or a byte";
        return std::nullopt;
    }
    const auto& name = value.get_ref<const std::string&>();
    const auto found = m_entries.find(name);
    if (found == m_entries.end()) {
        error = std::string("this ROM has no ") + m_what + " named \"" + name + "\"";
        return std::nullopt;
    }
    const auto [count, position] = found->second;
    if (count > 1 && !m_firstHolds) {
        error = "the name \"" + name + "\" stands for " + std::to_string(count) + " " + m_what +
                " bytes in this ROM: give the byte as a number";
        return std::nullopt;
    }
    return position + m_firstByte;
}

std::string NameList::show(int byte) const
{
    const Json written = write(byte);
    return written.is_string() ? written.get<std::string>() : "#" + std::to_string(byte);
}

RomLists romLists(const Bytes& image, const VersionProfile& profile)
{
    std::vector<std::string> items = itemNames(image, profile);
    for (const auto& more : {itemPlaceholders(items.size()), machineNames()}) {
        items.insert(items.end(), more.begin(), more.end());
    }
    return {NameList("species", speciesNames(image, profile), 0),
            NameList("move", moveNames(image, profile), 1),
            NameList("item", std::move(items), 1)};
}

Json speciesAndLevel(const NameList& list, int species, int level)
{
    Json object = Json::object();
    auto& fields = object.get_ref<Json::object_t&>();
    fields.reserve(2);
    fields.emplace_back("species", list.write(species));
    fields.emplace_back("level", level);
    return object;
}

Json wholeNumbers(std::initializer_list<std::pair<const char*, int>> fields)
{
    Json object = Json::object();
    auto& members = object.get_ref<Json::object_t&>();
    members.reserve(fields.size());
    for (const auto& [key, value] : fields) {
        members.emplace_back(key, value);
    }
    return object;
}

std::string arrow(const std::string& was, const std::string& is)
{
    return was + " → " + is;
}

std::vector<std::string> speciesLevelLines(
    const std::string& who, const NameList& species, int wasSpecies, int wasLevel, int isSpecies, int isLevel)
{
    std::vector<std::string> lines;
    if (wasSpecies != isSpecies) {
        lines.push_back(who + " species " + arrow(species.show(wasSpecies), species.show(isSpecies)));
    }
    if (wasLevel != isLevel) {
        lines.push_back(who + " level " + arrow(std::to_string(wasLevel), std::to_string(isLevel)));
    }
    return lines;
}
