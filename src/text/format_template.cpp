#include "text/format_template.h"

#include <cstdio>
#include <vector>

namespace text {

namespace {

// Widths and precisions beyond this are clamped: a template must not make
// the program build megabytes of blanks.
constexpr int kMaxFieldWidth = 1024;

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    char type = 0;
    size_t end = 0;  // index just past the conversion in the template
    bool valid = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int ReadNumber(std::string_view s, size_t& i) {
    long value = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (value <= kMaxFieldWidth) value = value * 10 + (s[i] - '0');
        ++i;
    }
    return static_cast<int>(value > kMaxFieldWidth ? kMaxFieldWidth : value);
}

// Parses the conversion whose "%" is at start.
Conversion Parse(std::string_view s, size_t start) {
    Conversion c;
    size_t i = start + 1;
    while (i < s.size() && std::string_view("-+ #0").find(s[i]) != std::string_view::npos) c.flags += s[i++];
    if (i < s.size() && IsDigit(s[i])) c.width = ReadNumber(s, i);
    if (i < s.size() && s[i] == '.') {
        ++i;
        c.precision = (i < s.size() && IsDigit(s[i])) ? ReadNumber(s, i) : 0;
    }
    // Length modifiers are accepted and ignored: the argument's own type decides.
    for (;;) {
        if (i < s.size() && std::string_view("hlLjzt").find(s[i]) != std::string_view::npos) {
            ++i;
        } else if (s.substr(i, 3) == "I64" || s.substr(i, 3) == "I32") {
            i += 3;
        } else {
            break;
        }
    }
    if (i >= s.size()) return c;
    c.type = s[i];
    c.end = i + 1;
    c.valid = std::string_view("diuoxXcs").find(c.type) != std::string_view::npos;
    return c;
}

std::string FormatFor(const Conversion& c, const char* length) {
    std::string format = "%" + c.flags;
    if (c.width >= 0) format += std::to_string(c.width);
    if (c.precision >= 0) {
        format += '.';
        format += std::to_string(c.precision);
    }
    format += length;
    format += c.type;
    return format;
}

template <typename T>
std::string Print(const std::string& format, T value) {
    int n = std::snprintf(nullptr, 0, format.c_str(), value);
    if (n <= 0) return {};
    std::vector<char> out(static_cast<size_t>(n) + 1);
    std::snprintf(out.data(), out.size(), format.c_str(), value);
    return std::string(out.data(), static_cast<size_t>(n));
}

std::string Apply(const Conversion& c, const FormatArg& arg) {
    if (c.type == 's') {
        std::string value(arg.Text());
        return Print(FormatFor(c, ""), value.c_str());
    }
    if (c.type == 'c') return Print(FormatFor(c, ""), static_cast<int>(static_cast<unsigned char>(arg.Number())));
    if (c.type == 'd' || c.type == 'i') return Print(FormatFor(c, "ll"), static_cast<long long>(arg.Number()));
    return Print(FormatFor(c, "ll"), static_cast<unsigned long long>(arg.Number()));
}

char KindOf(char type) {
    switch (type) {
        case 'd': case 'i': case 'u': return 'd';
        case 'o': case 'x': case 'X': return 'x';
        default: return type;
    }
}

}  // namespace

std::string PlaceholderKinds(std::string_view pattern) {
    std::string kinds;
    size_t i = 0;
    while ((i = pattern.find('%', i)) != std::string_view::npos) {
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            i += 2;
            continue;
        }
        Conversion c = Parse(pattern, i);
        if (!c.valid) {
            ++i;
            continue;
        }
        kinds += KindOf(c.type);
        i = c.end;
    }
    return kinds;
}

std::string FormatTemplate(std::string_view pattern, std::initializer_list<FormatArg> args) {
    std::string out;
    const FormatArg* next = args.begin();
    size_t i = 0;
    while (i < pattern.size()) {
        size_t percent = pattern.find('%', i);
        if (percent == std::string_view::npos) {
            out.append(pattern.substr(i));
            break;
        }
        out.append(pattern.substr(i, percent - i));
        if (percent + 1 < pattern.size() && pattern[percent + 1] == '%') {
            out += '%';
            i = percent + 2;
            continue;
        }
        Conversion c = Parse(pattern, percent);
        if (!c.valid) {
            // Not one we carry out: keep the "%" and go on with the text after it.
            out += '%';
            i = percent + 1;
            continue;
        }
        bool fits = next != args.end() && next->IsText() == (c.type == 's');
        if (fits) {
            out += Apply(c, *next++);
        } else {
            out.append(pattern.substr(percent, c.end - percent));
        }
        i = c.end;
    }
    return out;
}

}  // namespace text
