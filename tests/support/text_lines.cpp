#include "support/text_lines.h"

namespace testsupport {

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::vector<std::vector<std::string>> TabRowsOf(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : LinesOf(text)) {
        std::vector<std::string>& row = rows.emplace_back();
        for (size_t start = 0;;) {
            size_t tab = line.find('\t', start);
            row.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
    }
    return rows;
}

std::map<std::string, std::string> LanguageEntries(const std::string& text, std::vector<std::string>& duplicates) {
    std::map<std::string, std::string> entries;
    bool inSection = false;
    for (const std::string& line : LinesOf(text)) {
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            inSection = line == "[String]";
            continue;
        }
        size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos) continue;
        if (!entries.emplace(line.substr(0, equals), line.substr(equals + 1)).second) {
            duplicates.push_back(line.substr(0, equals));
        }
    }
    return entries;
}

}  // namespace testsupport
