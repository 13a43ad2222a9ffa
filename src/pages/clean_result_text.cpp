#include "pages/clean_result_text.h"

#include <map>
#include <string_view>

#include "clean/clean_log.h"
#include "pages/drive_space.h"
#include "paths/path_text.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace pages {

std::string ResultLine(const clean::CleanResult& result) {
    if (result.logRefused) {
        return text::FormatTemplate(text::LookupText("_fnNoLogLine"),
                                    {paths::WithoutTrailingBackslash(clean::LogRoot())});
    }
    const clean::CleanCounts counts = clean::CountResult(result);
    if (result.preview) {
        return text::FormatTemplate(text::LookupText("_fnPreviewLine"),
                                    {counts.planned.files, FormatSize(counts.planned.bytes)});
    }
    const uint64_t notCleaned = counts.NotCleaned().files;
    if (notCleaned == 0) {
        return text::FormatTemplate(text::LookupText("_fnCleanedLine"),
                                    {counts.cleaned.files, FormatSize(counts.cleaned.bytes)});
    }
    return text::FormatTemplate(text::LookupText("_fnCleanedNotAllLine"),
                                {counts.cleaned.files, FormatSize(counts.cleaned.bytes), notCleaned});
}

std::vector<NotCleanedRow> NotCleanedRows(const clean::CleanResult& result) {
    std::vector<NotCleanedRow> rows;
    // Each lookup reads the language file: once per reason, not per file.
    std::map<std::string_view, std::string> reasons;
    for (size_t i : clean::NotCleanedFiles(result)) {
        const clean::CleanItem& item = result.files[i];
        const char* key = clean::TextOf(result, i).reasonKey;
        std::string reason;
        if (key) {
            auto [known, added] = reasons.try_emplace(key);
            if (added) known->second = text::LookupText(key);
            reason = known->second;
        }
        rows.push_back({item.path, item.listed ? FormatSize(item.listed->size) : std::string(), std::move(reason)});
    }
    return rows;
}

}  // namespace pages
