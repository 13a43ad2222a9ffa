#pragma once
// A settings document loaded through the system's XML DOM component. Every
// reader and writer opens the file afresh; nothing is cached between uses.
// All operations are silent on failure: a document that did not load reads
// as empty and writes nothing.
#include <msxml2.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com.h"
#include "platform/file_identity.h"

namespace config {

using XmlNode = platform::ComPtr<IXMLDOMNode>;

// The DOM document class the program requires (version-independent).
extern const CLSID kDomDocumentClassId;

// Whether the system's XML DOM document can be created at all.
bool XmlParserAvailable();

// From now on no settings document is saved in this process, whoever asks:
// for a run that must leave the settings exactly as they are (a preview).
void KeepSettingsUnchanged();

class ConfigDocument {
public:
    ConfigDocument() = default;
    ConfigDocument(const ConfigDocument&) = delete;
    ConfigDocument& operator=(const ConfigDocument&) = delete;

    // Loads the file into a fresh document; on failure the document stays
    // empty and not loaded.
    bool Open(const std::string& filePath);
    bool IsLoaded() const { return !path_.empty(); }

    XmlNode SelectSingleNode(std::string_view locationPath) const;
    std::vector<XmlNode> SelectNodes(std::string_view locationPath) const;

    std::optional<std::string> GetAttribute(std::string_view locationPath, std::string_view name) const;
    // Sets the attribute of the first matching element; never creates elements.
    bool SetAttribute(std::string_view locationPath, std::string_view name, std::string_view value);
    bool SetAttribute(std::string_view locationPath, std::string_view name, int value);

    // Appends <tag> as the parent's last child; attributes are set in
    // ascending order of their names.
    bool AppendElement(const XmlNode& parent, std::string_view tag, std::string_view text,
                       const std::map<std::wstring, std::wstring>& attributes);
    bool RemoveChild(const XmlNode& parent, const XmlNode& child);

    // Writes the whole document in place of the file it was read from, in
    // UTF-8; false when it could not (the file is then as it was).
    bool Save();

private:
    platform::ComPtr<IXMLDOMDocument> doc_;
    std::string path_;
    std::optional<platform::FileId> loadedId_;
};

// The document's text with its declaration naming UTF-8, the encoding a
// save writes in: a declaration that names another encoding has it
// replaced; one that names none, or no declaration, already means UTF-8.
std::wstring DeclaredUtf8(std::wstring xml);

// The nodes of a node list, in its order; empty for no list.
std::vector<XmlNode> ListedNodes(IXMLDOMNodeList* list);

// An attribute of a node; absent when the node lacks it.
std::optional<std::string> NodeAttribute(const XmlNode& node, std::string_view name);
// The same, with exact set to false when the text has a character the narrow
// code page has no exact form for (a path with such a text names another
// file, or none).
std::optional<std::string> NodeAttributeExact(const XmlNode& node, std::string_view name, bool& exact);

// The platform's lenient string-to-integer reading: optional blanks and sign,
// then digits up to the first other character; no digits read as 0.
int ToInt32(std::string_view text);

}  // namespace config
