#pragma once
// A small reader and writer for the XML of a task definition: the service
// hands back its copy of a task as text, and the fields read from it are
// plain elements. Attributes, comments and instructions are passed over;
// namespace prefixes are dropped from element names.
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace schedule {

struct XmlElement {
    std::string name;  // the local name
    std::string text;  // the element's own text, character references decoded
    std::vector<XmlElement> children;

    // The first child of that name, or null.
    const XmlElement* Child(std::string_view childName) const;
    // The text of the element below along the names, or nothing.
    std::optional<std::string> TextAt(std::initializer_list<std::string_view> names) const;
};

// The root element of a document; nothing when the text is not a
// well-formed element tree (or nests deeper than any task definition).
std::optional<XmlElement> ParseXml(std::string_view text);

// Text with the characters that end or start markup written as references.
std::string EscapeXml(std::string_view text);

}  // namespace schedule
