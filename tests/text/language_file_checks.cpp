#include "language_file_checks.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/scratch.h"
#include "support/text_lines.h"

namespace texttest {

std::map<std::string, std::string> LanguageFileEntries(const std::string& path) {
    std::vector<std::string> duplicates;
    auto entries = testsupport::LanguageEntries(testsupport::ReadFile(path), duplicates);
    EXPECT_TRUE(duplicates.empty()) << path << ": " << duplicates.front() << " twice";
    return entries;
}

void ExpectReadAsWritten(const std::string& value) {
    ASSERT_FALSE(value.empty());
    EXPECT_NE(value.front(), ' ');
    EXPECT_NE(value.back(), ' ');
    EXPECT_FALSE(value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front());
}

}  // namespace texttest
