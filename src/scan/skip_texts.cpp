#include "scan/skip_texts.h"

#include <algorithm>

namespace scan {

SkipTexts::SkipTexts(const std::vector<std::string>& folders, const AnsiLowerCase& lower) {
    for (const std::string& folder : folders) {
        std::string lowered;
        lower.Append(lowered, folder);
        if (lowered.empty()) {
            matchesAll_ = true;
            continue;
        }
        longest_ = std::max(longest_, lowered.size());
        byFirstByte_[static_cast<unsigned char>(lowered[0])].push_back(std::move(lowered));
    }
}

bool SkipTexts::Occur(std::string_view path, size_t knownClean) const {
    if (matchesAll_) return true;
    if (longest_ == 0) return false;
    size_t from = knownClean >= longest_ ? knownClean - longest_ + 1 : 0;
    for (size_t at = from; at < path.size(); ++at) {
        for (const std::string& text : byFirstByte_[static_cast<unsigned char>(path[at])]) {
            if (path.compare(at, text.size(), text) == 0) return true;
        }
    }
    return false;
}

}  // namespace scan
