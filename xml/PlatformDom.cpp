#include "xml/PlatformDom.h"

#include <algorithm>
#include <new>
#include <optional>

#include "framework/UniqueHandle.h"
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
    if (prologue.declaresEntities) return;
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
    return XmlElement(document, root);
}
