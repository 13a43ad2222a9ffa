#include "platform/wide_path.h"

#include "platform/codepage.h"

namespace platform {

std::wstring WidePath(std::string_view path) { return ToWide(path); }

}  // namespace platform
