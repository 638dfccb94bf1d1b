#include "xml/XmlDocument.h"

#include <algorithm>
#include <optional>

#include "framework/UniqueHandle.h"
#include "xml/Bstr.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlPrologue.h"

using Microsoft::WRL::ComPtr;

namespace {

// The DOMDocument class itself: msxml2.h maps CLSID_DOMDocument to another class.
constexpr CLSID kDomDocumentClass = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// The whole file, or nothing when it cannot be read; the parser then meets it by path
// and fails or succeeds as it always did.
std::optional<std::string> ReadFileBytes(const std::string& path) {
    const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

void LoadSource(IXMLDOMDocument* document, VARIANT& source) {
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT status = document->load(source, &loaded);
    ::VariantClear(&source);
    CheckXmlCall(status, document, IID_IXMLDOMDocument);
}

void LoadFromPath(IXMLDOMDocument* document, const std::string& path) {
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = Bstr::FromAnsi(path).Release();
    LoadSource(document, source);
}

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
    LoadSource(document, source);
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

XmlDocument::~XmlDocument() = default;

XmlElement XmlDocument::Load(std::string path) {
    ComPtr<IXMLDOMDocument> created;
    try {
        created = CreateDomDocument();
        const std::optional<std::string> bytes = ReadFileBytes(path);
        const XmlPrologue prologue = bytes ? XmlPrologue::Read(*bytes) : XmlPrologue{};
        const std::optional<unsigned> codePage = prologue.ChineseCodePage();
        if (prologue.declaresEntities) {
            // Refused unparsed: nothing bounds what entity expansion may cost.
        } else if (bytes && codePage) {
            const std::optional<std::string> utf8 = prologue.ReencodeAsUtf8(*bytes, *codePage);
            if (utf8) LoadFromMemory(created.Get(), *utf8);
        } else {
            LoadFromPath(created.Get(), path);
        }
    } catch (const XmlAccessError&) {
        // A document that did not load simply has no document element.
    }
    document = created;
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
