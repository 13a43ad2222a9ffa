#pragma once
// The layout a settings document is saved with. The parser drops the blanks
// between elements when it loads a file, so a document saved as loaded
// would come out on one long line; people edit the file by hand, so every
// save lays it out again: one element per line, one tab per level.
#include <msxml2.h>

namespace config {

// Replaces the blank text between the elements of the document with line
// breaks and tabs. Elements that hold text of their own keep their content
// exactly as it is. Safe to call again on a document laid out before.
void LayOutForEditing(IXMLDOMDocument* doc);

}  // namespace config
