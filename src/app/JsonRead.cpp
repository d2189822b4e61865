#include "app/JsonRead.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

class QuickReader
{
public:
    explicit QuickReader(std::string_view text) : m_at(text.data()), m_end(text.data() + text.size()) {}

    bool document(Json& out)
    {
        skipSpace();
        if (!value(out, 0)) {
            return false;
        }
        skipSpace();
        return m_at == m_end;
    }

private:
    // Deeper documents, and objects with more keys (whose duplicate keys a linear search would find too
    // slowly), are nlohmann's. A document to import has a handful of levels and keys.
    static constexpr int MaxDepth = 64;
    static constexpr std::size_t MaxKeys = 32;
    // 18 digits always fit in 64 bits; longer numbers become floats or overflow in nlohmann's parser.
    static constexpr int MaxDigits = 18;

    void skipSpace()
    {
        while (m_at != m_end && (*m_at == ' ' || *m_at == '\n' || *m_at == '\r' || *m_at == '\t')) {
            ++m_at;
        }
    }

    bool take(char expected)
    {
        skipSpace();
        if (m_at == m_end || *m_at != expected) {
            return false;
        }
        ++m_at;
        return true;
    }

    bool value(Json& out, int depth)
    {
        if (m_at == m_end) {
            return false;
        }
        switch (*m_at) {
        case '{':
            return depth < MaxDepth && object(out, depth + 1);
        case '[':
            return depth < MaxDepth && array(out, depth + 1);
        case '"': {
            std::string text;
            if (!string(text)) {
                return false;
            }
            out = std::move(text);
            return true;
        }
        case 't':
            return literal("true", out, Json(true));
        case 'f':
            return literal("false", out, Json(false));
        case 'n':
            return literal("null", out, Json(nullptr));
        default:
            return number(out);
        }
    }

    bool literal(std::string_view word, Json& out, Json meaning)
    {
        if (static_cast<std::size_t>(m_end - m_at) < word.size() || std::string_view(m_at, word.size()) != word) {
            return false;
        }
        m_at += word.size();
        out = std::move(meaning);
        return true;
    }

    // Members and elements gather in a list kept for their depth, so that the object or array is made once at
    // its final size: a vector of (const key, value) pairs that grows copies every value it holds.
    bool object(Json& out, int depth)
    {
        ++m_at;
        auto& members = m_members[static_cast<std::size_t>(depth)];
        members.clear();
        skipSpace();
        if (m_at == m_end || *m_at != '}') {
            do {
                std::string key;
                skipSpace();
                if (m_at == m_end || *m_at != '"' || !string(key) || !take(':') || members.size() == MaxKeys) {
                    return false;
                }
                skipSpace();
                // A key given twice keeps its first place and takes its last value, as nlohmann's parser does.
                Json* slot = nullptr;
                for (auto& member : members) {
                    if (member.first == key) {
                        slot = &member.second;
                    }
                }
                if (slot == nullptr) {
                    slot = &members.emplace_back(std::move(key), Json()).second;
                }
                if (!value(*slot, depth)) {
                    return false;
                }
            } while (take(','));
            if (!take('}')) {
                return false;
            }
        } else {
            ++m_at;
        }
        out = Json::object();
        Json::object_t& made = *out.get_ptr<Json::object_t*>();
        made.reserve(members.size());
        for (auto& [key, value] : members) {
            made.emplace_back(std::move(key), std::move(value));
        }
        return true;
    }

    bool array(Json& out, int depth)
    {
        ++m_at;
        auto& elements = m_elements[static_cast<std::size_t>(depth)];
        elements.clear();
        skipSpace();
        if (m_at == m_end || *m_at != ']') {
            do {
                skipSpace();
                if (!value(elements.emplace_back(), depth)) {
                    return false;
                }
            } while (take(','));
            if (!take(']')) {
                return false;
            }
        } else {
            ++m_at;
        }
        out = Json::array_t(std::make_move_iterator(elements.begin()), std::make_move_iterator(elements.end()));
        return true;
    }

    // Whole numbers only, as nlohmann types them: unsigned without a sign, signed with one ("-0" too).
    bool number(Json& out)
    {
        const bool negative = *m_at == '-';
        if (negative) {
            ++m_at;
        }
        const char* const digits = m_at;
        std::uint64_t magnitude = 0;
        while (m_at != m_end && *m_at >= '0' && *m_at <= '9') {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(*m_at - '0');
            ++m_at;
        }
        const auto count = m_at - digits;
        if (count == 0 || count > MaxDigits || (*digits == '0' && count > 1)) {
            return false;
        }
        if (m_at != m_end && (*m_at == '.' || *m_at == 'e' || *m_at == 'E')) {
            return false;
        }
        if (negative) {
            out = Json::number_integer_t(-static_cast<std::int64_t>(magnitude));
        } else {
            out = Json::number_unsigned_t(magnitude);
        }
        return true;
    }

    bool string(std::string& out)
    {
        ++m_at;
        while (m_at != m_end) {
            const char* const run = m_at;
            while (m_at != m_end && plain(*m_at)) {
                ++m_at;
            }
            out.append(run, m_at);
            if (m_at == m_end) {
                return false;
            }
            const auto byte = static_cast<unsigned char>(*m_at);
            if (byte == '"') {
                ++m_at;
                return true;
            }
            if (byte == '\\') {
                if (!escape(out)) {
                    return false;
                }
            } else if (byte < 0x20 || !utf8(out)) {
                return false;
            }
        }
        return false;
    }

    static bool plain(char c)
    {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\';
    }

    bool escape(std::string& out)
    {
        if (m_end - m_at < 2) {
            return false;
        }
        const char kind = m_at[1];
        m_at += 2;
        switch (kind) {
        case '"':
        case '\\':
        case '/':
            out += kind;
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            return codePoint(out);
        default:
            return false;
        }
    }

    // \uXXXX outside the surrogates, written as UTF-8; surrogate pairs are left to nlohmann.
    bool codePoint(std::string& out)
    {
        if (m_end - m_at < 4) {
            return false;
        }
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = *m_at++;
            unsigned digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                digit = static_cast<unsigned>(c - 'A' + 10);
            } else {
                return false;
            }
            code = code * 16 + digit;
        }
        if (code >= 0xD800 && code <= 0xDFFF) {
            return false;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        return true;
    }

    // One well-formed UTF-8 sequence (no overlong forms, no surrogates, nothing past U+10FFFF), copied.
    bool utf8(std::string& out)
    {
        const auto lead = static_cast<unsigned char>(*m_at);
        int continuation = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuation = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuation = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuation = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (m_end - m_at <= continuation) {
            return false;
        }
        for (int i = 1; i <= continuation; ++i) {
            const auto next = static_cast<unsigned char>(m_at[i]);
            if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
                return false;
            }
        }
        out.append(m_at, m_at + continuation + 1);
        m_at += continuation + 1;
        return true;
    }

    const char* m_at;
    const char* m_end;
    std::array<std::vector<std::pair<std::string, Json>>, MaxDepth + 1> m_members;
    std::array<std::vector<Json>, MaxDepth + 1> m_elements;
};

} // namespace

std::optional<Json> readJsonQuickly(std::string_view text)
{
    Json document;
    QuickReader reader(text);
    if (!reader.document(document)) {
        return std::nullopt;
    }
    return document;
}

Json readJson(std::string_view text)
{
    if (std::optional<Json> document = readJsonQuickly(text)) {
        return std::move(*document);
    }
    return Json::parse(text);
}
