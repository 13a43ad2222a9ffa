#include "schedule/xml_tree.h"

#include <cstdint>

namespace schedule {

namespace {

constexpr int kDeepestNesting = 32;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A numeric reference's character, or nothing for one that names none.
std::optional<uint32_t> CharacterCode(std::string_view digits) {
    const bool hex = !digits.empty() && (digits[0] == 'x' || digits[0] == 'X');
    if (hex) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t code = 0;
    for (char c : digits) {
        int digit = c >= '0' && c <= '9' ? c - '0'
                    : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                  : -1;
        if (digit < 0) return std::nullopt;
        code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    return code;
}

// Appends text with its references decoded; an unknown one stays as written.
void AppendDecoded(std::string& out, std::string_view text) {
    static constexpr struct {
        std::string_view name;
        char c;
    } kNamed[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (end == std::string_view::npos) {
            out += text[i++];
            continue;
        }
        std::string_view name = text.substr(i + 1, end - i - 1);
        bool known = false;
        if (!name.empty() && name[0] == '#') {
            if (auto code = CharacterCode(name.substr(1))) {
                AppendUtf8(out, *code);
                known = true;
            }
        } else {
            for (const auto& entity : kNamed) {
                if (entity.name == name) {
                    out += entity.c;
                    known = true;
                }
            }
        }
        if (known) {
            i = end + 1;
        } else {
            out += text[i++];
        }
    }
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<XmlElement> Document() {
        if (!SkipMisc()) return std::nullopt;
        XmlElement root;
        if (!At("<") || !Element(root, 0)) return std::nullopt;
        if (!SkipMisc() || pos_ != text_.size()) return std::nullopt;
        return root;
    }

private:
    bool At(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

    // Moves past the end marker; false when the text ends first.
    bool SkipPast(std::string_view end) {
        size_t found = text_.find(end, pos_);
        if (found == std::string_view::npos) return false;
        pos_ = found + end.size();
        return true;
    }

    // Blanks, comments, instructions and a document type before or after the root.
    bool SkipMisc() {
        while (pos_ < text_.size()) {
            if (IsBlank(text_[pos_])) {
                ++pos_;
            } else if (At("<?")) {
                if (!SkipPast("?>")) return false;
            } else if (At("<!--")) {
                if (!SkipPast("-->")) return false;
            } else if (At("<!")) {
                if (!SkipPast(">")) return false;
            } else {
                break;
            }
        }
        return true;
    }

    std::string_view Name() {
        size_t start = pos_;
        while (pos_ < text_.size() && !IsBlank(text_[pos_]) && text_[pos_] != '>' && text_[pos_] != '/' &&
               text_[pos_] != '=') {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }

    static std::string LocalName(std::string_view name) {
        size_t colon = name.find(':');
        return std::string(colon == std::string_view::npos ? name : name.substr(colon + 1));
    }

    // At "<": reads the element and everything in it.
    bool Element(XmlElement& element, int depth) {
        if (depth > kDeepestNesting) return false;
        ++pos_;
        std::string_view qualified = Name();
        if (qualified.empty()) return false;
        element.name = LocalName(qualified);
        // Attributes: names, "=", quoted values.
        for (;;) {
            while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
            if (pos_ >= text_.size()) return false;
            if (At("/>")) {
                pos_ += 2;
                return true;
            }
            if (At(">")) {
                ++pos_;
                break;
            }
            if (Name().empty() || !At("=")) return false;
            ++pos_;
            if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\'')) return false;
            const char quote = text_[pos_++];
            size_t end = text_.find(quote, pos_);
            if (end == std::string_view::npos) return false;
            pos_ = end + 1;
        }
        return Content(element, qualified, depth);
    }

    bool Content(XmlElement& element, std::string_view qualified, int depth) {
        while (pos_ < text_.size()) {
            size_t lt = text_.find('<', pos_);
            if (lt == std::string_view::npos) return false;
            AppendDecoded(element.text, text_.substr(pos_, lt - pos_));
            pos_ = lt;
            if (At("</")) {
                pos_ += 2;
                if (Name() != qualified) return false;
                while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
                if (!At(">")) return false;
                ++pos_;
                return true;
            }
            if (At("<![CDATA[")) {
                size_t start = pos_ + 9;
                if (!SkipPast("]]>")) return false;
                element.text.append(text_.substr(start, pos_ - 3 - start));
            } else if (At("<!--")) {
                if (!SkipPast("-->")) return false;
            } else if (At("<?")) {
                if (!SkipPast("?>")) return false;
            } else {
                element.children.emplace_back();
                if (!Element(element.children.back(), depth + 1)) return false;
            }
        }
        return false;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

const XmlElement* XmlElement::Child(std::string_view childName) const {
    for (const XmlElement& child : children) {
        if (child.name == childName) return &child;
    }
    return nullptr;
}

std::optional<std::string> XmlElement::TextAt(std::initializer_list<std::string_view> names) const {
    const XmlElement* at = this;
    for (std::string_view name : names) {
        at = at->Child(name);
        if (!at) return std::nullopt;
    }
    return at->text;
}

std::optional<XmlElement> ParseXml(std::string_view text) { return Reader(text).Document(); }

std::string EscapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c; break;
        }
    }
    return out;
}

}  // namespace schedule
