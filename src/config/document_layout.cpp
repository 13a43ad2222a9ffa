#include "config/document_layout.h"

#include <string>
#include <vector>

#include "config/config_document.h"
#include "platform/com.h"

namespace config {

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

std::vector<XmlNode> ChildrenOf(IXMLDOMNode* node) {
    ComPtr<IXMLDOMNodeList> list;
    if (FAILED(node->get_childNodes(list.Put()))) return {};
    return ListedNodes(list.Get());
}

DOMNodeType TypeOf(IXMLDOMNode* node) {
    DOMNodeType type = NODE_INVALID;
    node->get_nodeType(&type);
    return type;
}

bool IsText(IXMLDOMNode* node) {
    DOMNodeType type = TypeOf(node);
    return type == NODE_TEXT || type == NODE_CDATA_SECTION;
}

bool IsBlank(IXMLDOMNode* node) {
    if (TypeOf(node) != NODE_TEXT) return false;
    Variant value;
    if (FAILED(node->get_nodeValue(value.Put())) || value.Get().vt != VT_BSTR) return false;
    const std::wstring_view text(value.Get().bstrVal, ::SysStringLen(value.Get().bstrVal));
    return text.find_first_not_of(L" \t\r\n") == std::wstring_view::npos;
}

// A line feed alone: some parsers write a carriage return as a character
// reference, and every editor of current systems reads bare line feeds.
bool InsertBreak(IXMLDOMDocument* doc, IXMLDOMNode* parent, IXMLDOMNode* before, int depth) {
    const std::wstring text = L"\n" + std::wstring(static_cast<size_t>(depth), L'\t');
    Bstr content(text.c_str());
    ComPtr<IXMLDOMText> node;
    if (FAILED(doc->createTextNode(content.Get(), node.Put())) || !node) return false;
    Variant where;
    if (before) Variant::SetUnknown(where, before);
    XmlNode inserted;
    return SUCCEEDED(parent->insertBefore(node.Get(), where.Get(), inserted.Put()));
}

void LayOut(IXMLDOMDocument* doc, IXMLDOMNode* element, int depth) {
    std::vector<XmlNode> children = ChildrenOf(element);
    // Text of the element's own is content: its blanks are not ours.
    for (const XmlNode& child : children) {
        if (IsText(child.Get()) && !IsBlank(child.Get())) return;
    }
    std::vector<XmlNode> kept;
    for (XmlNode& child : children) {
        if (IsBlank(child.Get())) {
            XmlNode removed;
            element->removeChild(child.Get(), removed.Put());
        } else {
            kept.push_back(std::move(child));
        }
    }
    if (kept.empty()) return;
    for (const XmlNode& child : kept) {
        InsertBreak(doc, element, child.Get(), depth + 1);
        if (TypeOf(child.Get()) == NODE_ELEMENT) LayOut(doc, child.Get(), depth + 1);
    }
    InsertBreak(doc, element, nullptr, depth);
}

}  // namespace

void LayOutForEditing(IXMLDOMDocument* doc) {
    if (!doc) return;
    ComPtr<IXMLDOMElement> root;
    if (doc->get_documentElement(root.Put()) != S_OK || !root) return;
    XmlNode rootNode = root.As<IXMLDOMNode>(IID_IXMLDOMNode);
    if (rootNode) LayOut(doc, rootNode.Get(), 0);
}

}  // namespace config
