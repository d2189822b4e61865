#include "app/JsonCheck.h"

#include <algorithm>

bool checkObject(const Json& value,
                 const std::string& path,
                 std::initializer_list<std::string_view> keys,
                 std::vector<std::string>& errors)
{
    if (!value.is_object()) {
        errors.push_back(path + ": an object was expected");
        return false;
    }
    for (const auto& [key, unused] : value.items()) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            errors.push_back(path + "." + key + ": there is no such key");
        }
    }
    return true;
}

std::optional<int>
checkInteger(const Json& value, const std::string& path, int low, int high, std::vector<std::string>& errors)
{
    if (!value.is_number_integer() || value.get<long long>() < low || value.get<long long>() > high) {
        errors.push_back(path + ": a whole number of " + std::to_string(low) + "-" + std::to_string(high) +
                         " was expected");
        return std::nullopt;
    }
    return static_cast<int>(value.get<long long>());
}

std::optional<SpeciesLevel> soundSpeciesLevel(const Json& value, const NameList& species, int maxLevel)
{
    if (!value.is_object() || value.size() != 2 || !value.contains("species") || !value.contains("level")) {
        return std::nullopt;
    }
    const Json& level = value["level"];
    if (!level.is_number_integer() || level.get<long long>() < 1 || level.get<long long>() > maxLevel) {
        return std::nullopt;
    }
    std::string unused;
    const auto byte = species.read(value["species"], unused);
    if (!byte || *byte == 0) {
        return std::nullopt;
    }
    return SpeciesLevel{*byte, static_cast<int>(level.get<long long>())};
}
