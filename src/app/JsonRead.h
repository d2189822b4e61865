#pragma once

// Reading a document to import. readJson gives exactly what nlohmann's own parser gives for the same text: the
// same values, types, key order and, for text that is not JSON, the same exception. Most of an import's
// time went into that parser, so the common shape of a document (objects, arrays, strings, whole numbers,
// true, false, null) is read by a quicker reader first; anything it does not take on (fractions, exponents,
// surrogate escapes, a byte order mark, deep nesting, large objects, any error) goes to nlohmann's parser.

#include "app/JsonNames.h"

#include <optional>
#include <string_view>

// Throws as Json::parse does: parse_error for text that is not JSON, out_of_range for a number past a double.
Json readJson(std::string_view text);

// The quick reader alone: empty where it leaves the text to nlohmann's parser. Whenever it gives a value,
// Json::parse gives the same one.
std::optional<Json> readJsonQuickly(std::string_view text);
