#pragma once
// Formats a user-editable template (a language text such as "%d files found")
// with arguments the caller supplies. Only printf conversions that fit the
// next argument are carried out: %d %i %u %o %x %X %c for numbers, %s for
// texts, with flags, width and precision. Any other conversion (%n, %p, %f,
// a "*" width, a conversion without a matching argument) is copied to the
// result as written, so a hostile or mistaken template can never read or
// write memory it was not given.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace text {

class FormatArg {
public:
    FormatArg(int value) : isText_(false), number_(value) {}
    FormatArg(unsigned value) : isText_(false), number_(value) {}
    FormatArg(long value) : isText_(false), number_(value) {}
    FormatArg(unsigned long value) : isText_(false), number_(static_cast<int64_t>(value)) {}
    FormatArg(int64_t value) : isText_(false), number_(value) {}
    FormatArg(uint64_t value) : isText_(false), number_(static_cast<int64_t>(value)) {}
    FormatArg(std::string_view value) : isText_(true), text_(value) {}
    FormatArg(const char* value) : isText_(true), text_(value ? value : "") {}
    FormatArg(const std::string& value) : isText_(true), text_(value) {}

    bool IsText() const { return isText_; }
    int64_t Number() const { return number_; }
    std::string_view Text() const { return text_; }

private:
    bool isText_;
    int64_t number_ = 0;
    std::string_view text_;
};

std::string FormatTemplate(std::string_view pattern, std::initializer_list<FormatArg> args);

// The conversions FormatTemplate would fill, in order, one letter each by the
// kind of argument and how it shows: 'd' (%d %i %u), 'x' (%o %x %X), 'c' and
// 's'. "%%" and conversions it copies as written do not count. Two templates
// with the same letters take the same arguments and show them alike.
std::string PlaceholderKinds(std::string_view pattern);

}  // namespace text
