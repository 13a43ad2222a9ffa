#include "config/config_document.h"

#include <shlwapi.h>

#include <atomic>
#include <climits>

#include "config/document_layout.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/file_identity.h"
#include "platform/fresh_file.h"
#include "platform/guarded_folder.h"
#include "platform/held_file.h"
#include "platform/file_query.h"

namespace config {

using platform::Bstr;
using platform::ComPtr;
using platform::ToNarrow;
using platform::ToWide;
using platform::Variant;

// {2933BF90-7B36-11D2-B20E-00C04F983E60}
const CLSID kDomDocumentClassId = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

namespace {

constexpr DWORD kServerContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

ComPtr<IXMLDOMDocument> CreateDocument() {
    ComPtr<IXMLDOMDocument> doc;
    ::CoCreateInstance(kDomDocumentClassId, nullptr, kServerContext, IID_IXMLDOMDocument, doc.PutVoid());
    return doc;
}

ComPtr<IXMLDOMElement> AsElement(const XmlNode& node) {
    return node.As<IXMLDOMElement>(IID_IXMLDOMElement);
}

}  // namespace

bool XmlParserAvailable() { return static_cast<bool>(CreateDocument()); }

bool ConfigDocument::Open(const std::string& filePath) {
    path_.clear();
    loadedId_.reset();
    doc_ = CreateDocument();
    if (!doc_) return false;
    doc_->put_async(VARIANT_FALSE);
    doc_->put_validateOnParse(VARIANT_FALSE);
    // A settings file must not make the parser fetch anything.
    doc_->put_resolveExternals(VARIANT_FALSE);
    // The parser is given the file's bytes, not its name: a name passed to
    // load() is taken as a URL, so a folder called "100%20" or "a#b" would
    // name another file or none.
    ComPtr<IStream> stream = platform::OpenReadStream(filePath);
    if (!stream) {
        doc_ = CreateDocument();
        return false;
    }
    Variant source;
    Variant::SetUnknown(source, stream.Get());
    VARIANT_BOOL ok = VARIANT_FALSE;
    if (FAILED(doc_->load(source.Get(), &ok)) || ok != VARIANT_TRUE) {
        doc_ = CreateDocument();
        return false;
    }
    path_ = filePath;
    // What was read, told by its identity: a save replaces this very file.
    platform::HeldFile read(filePath, FILE_READ_ATTRIBUTES | SYNCHRONIZE);
    loadedId_ = read.OpenState() == platform::HeldState::Plain ? platform::IdOf(read.Get()) : std::nullopt;
    return true;
}

XmlNode ConfigDocument::SelectSingleNode(std::string_view locationPath) const {
    XmlNode node;
    if (!IsLoaded()) return node;
    Bstr query(ToWide(locationPath).c_str());
    if (doc_->selectSingleNode(query.Get(), node.Put()) != S_OK) node.Reset();
    return node;
}

std::vector<XmlNode> ConfigDocument::SelectNodes(std::string_view locationPath) const {
    std::vector<XmlNode> nodes;
    if (!IsLoaded()) return nodes;
    Bstr query(ToWide(locationPath).c_str());
    ComPtr<IXMLDOMNodeList> list;
    if (FAILED(doc_->selectNodes(query.Get(), list.Put()))) return nodes;
    return ListedNodes(list.Get());
}

std::vector<XmlNode> ListedNodes(IXMLDOMNodeList* list) {
    std::vector<XmlNode> nodes;
    if (!list) return nodes;
    long length = 0;
    list->get_length(&length);
    for (long i = 0; i < length; ++i) {
        XmlNode node;
        if (list->get_item(i, node.Put()) == S_OK && node) nodes.push_back(std::move(node));
    }
    return nodes;
}

namespace {

std::optional<std::wstring> WideAttribute(const XmlNode& node, std::string_view name) {
    auto element = AsElement(node);
    if (!element) return std::nullopt;
    Bstr attributeName(ToWide(name).c_str());
    Variant value;
    if (element->getAttribute(attributeName.Get(), value.Put()) != S_OK || value.Get().vt != VT_BSTR) {
        return std::nullopt;
    }
    BSTR text = value.Get().bstrVal;
    return std::wstring(text, ::SysStringLen(text));
}

}  // namespace

std::optional<std::string> NodeAttribute(const XmlNode& node, std::string_view name) {
    std::optional<std::wstring> wide = WideAttribute(node, name);
    if (!wide) return std::nullopt;
    return ToNarrow(*wide);
}

std::optional<std::string> NodeAttributeExact(const XmlNode& node, std::string_view name, bool& exact) {
    std::optional<std::wstring> wide = WideAttribute(node, name);
    exact = true;
    if (!wide) return std::nullopt;
    std::string narrow;
    exact = platform::ToNarrowExact(*wide, narrow);
    return narrow;
}

std::optional<std::string> ConfigDocument::GetAttribute(std::string_view locationPath, std::string_view name) const {
    XmlNode node = SelectSingleNode(locationPath);
    if (!node) return std::nullopt;
    return NodeAttribute(node, name);
}

bool ConfigDocument::SetAttribute(std::string_view locationPath, std::string_view name, std::string_view value) {
    auto element = AsElement(SelectSingleNode(locationPath));
    if (!element) return false;
    Bstr attributeName(ToWide(name).c_str());
    Variant text;
    Variant::SetText(text, ToWide(value).c_str());
    return SUCCEEDED(element->setAttribute(attributeName.Get(), text.Get()));
}

bool ConfigDocument::SetAttribute(std::string_view locationPath, std::string_view name, int value) {
    return SetAttribute(locationPath, name, std::to_string(value));
}

bool ConfigDocument::AppendElement(const XmlNode& parent, std::string_view tag, std::string_view text,
                                   const std::map<std::wstring, std::wstring>& attributes) {
    if (!IsLoaded() || !parent) return false;
    ComPtr<IXMLDOMElement> element;
    Bstr tagName(ToWide(tag).c_str());
    if (FAILED(doc_->createElement(tagName.Get(), element.Put())) || !element) return false;
    if (!text.empty()) {
        Bstr content(ToWide(text).c_str());
        element->put_text(content.Get());
    }
    for (const auto& [name, value] : attributes) {
        Bstr attributeName(name.c_str());
        Variant attributeValue;
        Variant::SetText(attributeValue, value.c_str());
        element->setAttribute(attributeName.Get(), attributeValue.Get());
    }
    XmlNode appended;
    return SUCCEEDED(parent->appendChild(element.Get(), appended.Put()));
}

bool ConfigDocument::RemoveChild(const XmlNode& parent, const XmlNode& child) {
    if (!parent || !child) return false;
    XmlNode removed;
    return SUCCEEDED(parent->removeChild(child.Get(), removed.Put()));
}

namespace {
std::atomic<bool> g_settingsKept{false};
}  // namespace

void KeepSettingsUnchanged() { g_settingsKept = true; }

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

}  // namespace

std::wstring DeclaredUtf8(std::wstring xml) {
    // The declaration, when there is one, opens the document.
    if (xml.compare(0, 5, L"<?xml") != 0 || xml.size() < 6 || !IsBlank(xml[5])) return xml;
    const size_t end = xml.find(L"?>");
    if (end == std::wstring::npos) return xml;
    const size_t name = xml.find(L"encoding", 5);
    if (name == std::wstring::npos || name > end) return xml;  // UTF-8 is what no encoding means
    size_t quote = name + 8;
    while (quote < end && (IsBlank(xml[quote]) || xml[quote] == L'=')) ++quote;
    if (quote >= end || (xml[quote] != L'"' && xml[quote] != L'\'')) return xml;
    const size_t close = xml.find(xml[quote], quote + 1);
    if (close == std::wstring::npos || close > end) return xml;
    const std::wstring_view value(xml.data() + quote + 1, close - quote - 1);
    if (::CompareStringOrdinal(value.data(), static_cast<int>(value.size()), L"utf-8", 5, TRUE) == CSTR_EQUAL) {
        return xml;
    }
    xml.replace(quote + 1, close - quote - 1, L"utf-8");
    return xml;
}

bool ConfigDocument::Save() {
    if (!IsLoaded() || g_settingsKept || !loadedId_) return false;
    // A read-only settings file stays as it is, also for an administrator,
    // whom some systems would let overwrite it.
    DWORD attributes = platform::AttributesOf(path_);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    LayOutForEditing(doc_.Get());
    // The document's text, written in UTF-8 whatever encoding the file was
    // read in, and declared so: a declaration that named another encoding
    // would make the next reader misread every character beyond ASCII.
    Bstr text;
    if (FAILED(doc_->get_xml(text.Put())) || !text.Get()) return false;
    const std::wstring xml = DeclaredUtf8(std::wstring(text.Get(), ::SysStringLen(text.Get())));
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, xml.data(), static_cast<int>(xml.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, xml.data(), static_cast<int>(xml.size()), bytes.data(), size, nullptr, nullptr);
    // Written whole beside the file and then put in its place, so that a
    // crash or a full disk in the middle of a save leaves the old file as it
    // was, and a reader never sees a half-written one. Only the file this
    // document was read from is replaced: one that took its place since (a
    // hand-edited copy, say) is not.
    const std::string folder = paths::FolderPart(path_);
    const platform::GuardedFolder held = platform::GuardedFolder::Open(folder, folder);
    return platform::ReplaceWholeFile(held, platform::EntryName(path_), bytes, *loadedId_) == ERROR_SUCCESS;
}

int ToInt32(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i++] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace config
