#pragma once

// The checks every section of an import makes of its values, each error added with its JSON path.

#include "app/JsonNames.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Whether value is an object; each key not among keys is an error of its own.
bool checkObject(const Json& value,
                 const std::string& path,
                 std::initializer_list<std::string_view> keys,
                 std::vector<std::string>& errors);
// A whole number of low..high, or none after an error.
std::optional<int>
checkInteger(const Json& value, const std::string& path, int low, int high, std::vector<std::string>& errors);
