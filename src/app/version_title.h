#pragma once
// The wizard's title: product name and version from the version resource.
#include <string>

namespace app {

// One text of the file's version resource ("CompanyName", ...), in the first
// language of its translation table; empty when the file has none.
std::string VersionText(const std::string& filePath, const char* name);

// "<ProductName> <ProductVersion>" of the file's version resource, in the
// first language of its translation table; a missing resource or value
// reads as empty, so the title is then a single blank.
std::string ProductTitle(const std::string& filePath);

}  // namespace app
