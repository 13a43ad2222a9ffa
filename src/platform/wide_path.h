#pragma once
// The one place where a path of the program, in its narrow code page,
// becomes the wide path the file system's functions take. Every file-system
// call of the platform layer that takes a path converts it here, once.
#include <string>
#include <string_view>

namespace platform {

std::wstring WidePath(std::string_view path);

}  // namespace platform
