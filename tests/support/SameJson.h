#pragma once

// Two documents are the same when every value has the same type, the same content and, in an object, the
// same keys in the same order. Json's == takes 0 and -0, or 5 and 5u, as equal; the import tells them apart.

#include "app/JsonNames.h"

inline bool sameJson(const Json& a, const Json& b)
{
    if (a.type() != b.type() || a.size() != b.size()) {
        return false;
    }
    if (a.is_object()) {
        const auto& left = a.get_ref<const Json::object_t&>();
        const auto& right = b.get_ref<const Json::object_t&>();
        for (auto l = left.begin(), r = right.begin(); l != left.end(); ++l, ++r) {
            if (l->first != r->first || !sameJson(l->second, r->second)) {
                return false;
            }
        }
        return true;
    }
    if (a.is_array()) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!sameJson(a[i], b[i])) {
                return false;
            }
        }
        return true;
    }
    return a == b;
}
