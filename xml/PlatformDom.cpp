#include "xml/PlatformDom.h"

#include <algorithm>
#include <new>
#include <optional>

#include "framework/UniqueHandle.h"
#include "xml/AnsiCodePage.h"
#include "xml/Bstr.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlPrologue.h"

using Microsoft::WRL::ComPtr;

const CLSID kDomDocumentClass = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

namespace {

void LoadFromMemory(IXMLDOMDocument* document, const std::string& bytes) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size()));
    if (!memory) throw XmlAccessError(E_OUTOFMEMORY);
    void* data = ::GlobalLock(memory.Get());
    if (data == nullptr) throw XmlAccessError(E_OUTOFMEMORY);
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
    ::GlobalUnlock(memory.Get());
    ComPtr<IStream> stream;
    CheckXmlCall(::CreateStreamOnHGlobal(memory.Get(), TRUE, stream.GetAddressOf()), nullptr, IID_IStream);
    (void)memory.Release();  // the stream owns it now
    ULARGE_INTEGER size{};
    size.QuadPart = bytes.size();
    CheckXmlCall(stream->SetSize(size), stream.Get(), IID_IStream);
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_UNKNOWN;
    source.punkVal = stream.Detach();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT status = document->load(source, &loaded);
    ::VariantClear(&source);
    CheckXmlCall(status, document, IID_IXMLDOMDocument);
}

// Makes a DOM element and what is in it into tree nodes: what the layer's operations
// would have asked of the DOM, asked once.
class DomConverter {
public:
    explicit DomConverter(XmlTree& tree) : tree(tree) {}

    void Element(IXMLDOMNode* element) {
        const std::uint32_t index = Named(element, true);
        Attributes(element);
        ComPtr<IXMLDOMNodeList> children;
        CheckXmlCall(element->get_childNodes(children.GetAddressOf()), element, IID_IXMLDOMNode);
        if (children) {
            CheckXmlCall(children->reset(), children.Get(), IID_IXMLDOMNodeList);
            for (;;) {
                ComPtr<IXMLDOMNode> child;
                CheckXmlCall(children->nextNode(child.GetAddressOf()), children.Get(), IID_IXMLDOMNodeList);
                if (!child) break;
                Child(child.Get());
            }
        }
        tree.Close(index);
    }

private:
    void Child(IXMLDOMNode* child) {
        DOMNodeType type = NODE_INVALID;
        CheckXmlCall(child->get_nodeType(&type), child, IID_IXMLDOMNode);
        switch (type) {
            case NODE_ELEMENT:
                Element(child);
                break;
            case NODE_TEXT:
            case NODE_CDATA_SECTION:
                AppendText(child);
                break;
            // Named children: a child asked for by their name finds them and no element.
            case NODE_ENTITY_REFERENCE:
                Named(child, false);
                AppendText(child);
                break;
            case NODE_PROCESSING_INSTRUCTION:
                Named(child, false);
                break;
            default:
                break;
        }
    }

    std::uint32_t Named(IXMLDOMNode* from, bool isElement) {
        Bstr name;
        CheckXmlCall(from->get_nodeName(name.Out()), from, IID_IXMLDOMNode);
        return tree.Add(tree.AddName(name.ToAnsi()), isElement);
    }

    // The attributes that a lookup by name without namespace finds, with the values it gives.
    void Attributes(IXMLDOMNode* element) {
        ComPtr<IXMLDOMNamedNodeMap> map;
        CheckXmlCall(element->get_attributes(map.GetAddressOf()), element, IID_IXMLDOMNode);
        if (!map) RaiseNullReference();
        LONG length = 0;
        CheckXmlCall(map->get_length(&length), map.Get(), IID_IXMLDOMNamedNodeMap);
        const Bstr noNamespace(::SysAllocStringLen(nullptr, 0));
        if (noNamespace.Get() == nullptr) throw XmlAccessError(E_OUTOFMEMORY);
        for (LONG i = 0; i < length; ++i) {
            // Wine's DOM counts namespace declarations among the items and fails to give
            // them; no lookup by name without namespace finds those anyway.
            ComPtr<IXMLDOMNode> attribute;
            if (FAILED(map->get_item(i, attribute.GetAddressOf())) || !attribute) continue;
            Bstr name;
            CheckXmlCall(attribute->get_nodeName(name.Out()), attribute.Get(), IID_IXMLDOMNode);
            ComPtr<IXMLDOMNode> found;
            CheckXmlCall(map->getQualifiedItem(name.Get(), noNamespace.Get(), found.GetAddressOf()), map.Get(),
                         IID_IXMLDOMNamedNodeMap);
            const std::string ansiName = name.ToAnsi();
            if (!found || !SurvivesCodePage(std::wstring_view(name.Get(), ::SysStringLen(name.Get())), ansiName))
                continue;
            Bstr value;
            CheckXmlCall(found->get_text(value.Out()), found.Get(), IID_IXMLDOMNode);
            XmlTree::Attribute kept;
            kept.name = tree.AddName(ansiName);
            kept.value = static_cast<std::uint32_t>(tree.strings.size());
            tree.strings += value.ToAnsi();
            kept.valueLength = static_cast<std::uint32_t>(tree.strings.size() - kept.value);
            tree.attributes.push_back(kept);
        }
    }

    void AppendText(IXMLDOMNode* node) {
        Bstr text;
        CheckXmlCall(node->get_text(text.Out()), node, IID_IXMLDOMNode);
        tree.content += text.ToAnsi();
    }

    XmlTree& tree;
};

}  // namespace

ComPtr<IXMLDOMDocument> CreateDomDocument() {
    ComPtr<IXMLDOMDocument> document;
    ComPtr<IUnknown> object;
    if (SUCCEEDED(::CoCreateInstance(kDomDocumentClass, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                     reinterpret_cast<void**>(object.GetAddressOf()))) &&
        SUCCEEDED(::OleRun(object.Get()))) {
        object->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(document.GetAddressOf()));
    }
    if (!document) RaiseNullReference();
    CheckXmlCall(document->put_async(VARIANT_FALSE), document.Get(), IID_IXMLDOMDocument);
    CheckXmlCall(document->put_preserveWhiteSpace(VARIANT_TRUE), document.Get(), IID_IXMLDOMDocument);
    CheckXmlCall(document->put_resolveExternals(VARIANT_FALSE), document.Get(), IID_IXMLDOMDocument);
    return document;
}

void LoadDomBytes(IXMLDOMDocument* document, const std::string& bytes) {
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    // Refused unparsed: nothing bounds what entity expansion may cost.
    if (prologue.Refused()) return;
    if (const std::optional<unsigned> codePage = prologue.ChineseCodePage()) {
        const std::optional<std::string> utf8 = prologue.ReencodeAsUtf8(bytes, *codePage);
        if (utf8) LoadFromMemory(document, *utf8);
        return;
    }
    LoadFromMemory(document, bytes);
}

ComPtr<IXMLDOMDocument> LoadDom(const std::string& bytes) {
    ComPtr<IXMLDOMDocument> created;
    try {
        created = CreateDomDocument();
        LoadDomBytes(created.Get(), bytes);
    } catch (const XmlAccessError&) {
        // A document that did not load simply has no document element.
    } catch (const std::bad_alloc&) {
    }
    return created;
}

XmlElement DomRoot(const ComPtr<IXMLDOMDocument>& document) {
    if (!document) return {};
    ComPtr<IXMLDOMElement> rootElement;
    CheckXmlCall(document->get_documentElement(rootElement.GetAddressOf()), document.Get(), IID_IXMLDOMDocument);
    ComPtr<IXMLDOMNode> root;
    if (rootElement) {
        const HRESULT status = rootElement->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(root.GetAddressOf()));
        if (status != E_NOINTERFACE) CheckXmlCall(status, rootElement.Get(), IID_IUnknown);
    }
    return ElementFromDom(root);
}

XmlElement ElementFromDom(const ComPtr<IXMLDOMNode>& node) {
    if (!node) return {};
    DOMNodeType type = NODE_INVALID;
    CheckXmlCall(node->get_nodeType(&type), node.Get(), IID_IXMLDOMNode);
    if (type != NODE_ELEMENT) return {};
    auto tree = std::make_shared<XmlTree>();
    DomConverter(*tree).Element(node.Get());
    return XmlElement(std::move(tree), 0);
}
