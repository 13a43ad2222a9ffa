// Language texts used as printf-style templates: only conversions that fit
// the arguments given are carried out, whatever the translator wrote.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "text/format_template.h"

namespace {

using text::FormatTemplate;

TEST(FormatTemplate, FillsTheConversionsTheProgramUses) {
    EXPECT_EQ(FormatTemplate("%d files found", {17}), "17 files found");
    EXPECT_EQ(FormatTemplate("%02d/%02d/%04d %02d:%02d:%02d", {12, 5, 2006, 10, 20, 30}), "12/05/2006 10:20:30");
    EXPECT_EQ(FormatTemplate("Move to folder %s", {"D:\\Old files\\"}), "Move to folder D:\\Old files\\");
    EXPECT_EQ(FormatTemplate("100%% of %u", {7u}), "100% of 7");
    EXPECT_EQ(FormatTemplate("[%-5d|%5d|%05d]", {42, 42, 42}), "[42   |   42|00042]");
    EXPECT_EQ(FormatTemplate("%x %X %o %c", {255, 255, 8, 65}), "ff FF 10 A");
    EXPECT_EQ(FormatTemplate("%.3s|%5s", {"abcdef", "ab"}), "abc|   ab");
    EXPECT_EQ(FormatTemplate("%lld %I64d %ld", {int64_t{-1}, int64_t{1} << 40, 3}), "-1 1099511627776 3");
    EXPECT_EQ(FormatTemplate("%ls", {"narrow"}), "narrow");
    EXPECT_EQ(FormatTemplate("no conversions", {1, "x"}), "no conversions");
}

TEST(FormatTemplate, HostileTemplatesAreCopiedNotCarriedOut) {
    struct Case {
        const char* pattern;
        const char* expected;
    };
    // Each is given one number and one text, in that order.
    const Case cases[] = {
        {"%s%s%n", "%s%s%n"},        // a text does not fit a number; %n is never carried out
        {"%d%d%d", "5%d%d"},         // one number, not three
        {"%*d", "%*d"},              // a width taken from the arguments
        {"%0*d|%.*s", "%0*d|%.*s"},  // the same for precision
        {"%", "%"},
        {"abc%", "abc%"},
        {"%5", "%5"},
        {"%p", "%p"},
        {"%n", "%n"},
        {"%f %e %g %a", "%f %e %g %a"},
        {"%hn", "%hn"},
        {"%q%d", "%q5"},
        {"%d %s", "5 x"},
        {"%s %d", "%s 5"},  // the text is the second argument; the first is a number
        {"%c", "\x05"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatTemplate(c.pattern, {5, "x"}), c.expected) << c.pattern;
}

TEST(FormatTemplate, HugeWidthsAndPrecisionsAreBounded) {
    std::string wide = FormatTemplate("%999999999d", {7});
    EXPECT_EQ(wide.size(), 1024u);
    EXPECT_EQ(wide.back(), '7');
    std::string precise = FormatTemplate("%.99999999999999999999d", {7});
    EXPECT_EQ(precise.size(), 1024u);
    std::string text(5000, 't');
    EXPECT_EQ(FormatTemplate("%.100000s", {text}).size(), 1024u);
    EXPECT_EQ(FormatTemplate("%s", {text}).size(), 5000u);
    // Many conversions without arguments stay as written, so the result
    // grows with the template only.
    std::string many;
    for (int i = 0; i < 1000; ++i) many += "%1000d";
    EXPECT_EQ(FormatTemplate(many, {}), many);
}

TEST(FormatTemplate, ArgumentTextsAreNotTemplates) {
    EXPECT_EQ(FormatTemplate("<%s>", {"%n%s%d"}), "<%n%s%d>");
    EXPECT_EQ(FormatTemplate("%s|%s", {"", "b"}), "|b");
}

}  // namespace
