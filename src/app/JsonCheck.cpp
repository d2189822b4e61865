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
