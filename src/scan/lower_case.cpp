#include "scan/lower_case.h"

#include <windows.h>

namespace scan {

const AnsiLowerCase& AnsiLowerCase::Instance() {
    static const AnsiLowerCase instance;
    return instance;
}

AnsiLowerCase::AnsiLowerCase() {
    CPINFO info{};
    byTable_ = ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
    for (int c = 0; c < 256; ++c) {
        table_[c] = static_cast<char>(c);
        if (byTable_ && c != 0) ::CharLowerBuffA(&table_[c], 1);
    }
}

void AnsiLowerCase::Append(std::string& out, std::string_view text) const {
    size_t from = out.size();
    out.append(text);
    if (byTable_) {
        for (size_t i = from; i < out.size(); ++i) out[i] = table_[static_cast<unsigned char>(out[i])];
    } else if (out.size() > from) {
        ::CharLowerBuffA(out.data() + from, static_cast<DWORD>(out.size() - from));
    }
}

}  // namespace scan
