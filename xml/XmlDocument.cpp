#include "xml/XmlDocument.h"

#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlText.h"

using Microsoft::WRL::ComPtr;

namespace {

// The DOMDocument class (msxml2.h maps CLSID_DOMDocument to another class).
const CLSID kDomDocumentClass = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

std::string ReadWholeFile(const std::string& path, bool& opened) {
    std::string bytes;
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    opened = file.IsValid();
    if (!opened) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

bool Contains(const std::string& bytes, const std::string& pattern) { return bytes.find(pattern) != std::string::npos; }

std::string Utf16(const char* ascii, bool bigEndian) {
    std::string result;
    for (const char* p = ascii; *p != '\0'; ++p) {
        if (bigEndian) result += '\0';
        result += *p;
        if (!bigEndian) result += '\0';
    }
    return result;
}

// Documents with a DOCTYPE are refused: an internal subset can expand entities
// exponentially, and none of the host's files needs one.
bool DeclaresDocumentType(const std::string& bytes) {
    const char* marker = "<!DOCTYPE";
    return Contains(bytes, marker) || Contains(bytes, Utf16(marker, false)) || Contains(bytes, Utf16(marker, true));
}

// Where the encoding name of the XML declaration stands, if the file declares one of
// the names of code page 936 that Windows reads and this component does not.
bool FindGbEncodingName(const std::string& bytes, size_t& start, size_t& length) {
    if (bytes.compare(0, 5, "<?xml") != 0) return false;
    const size_t end = bytes.find("?>");
    if (end == std::string::npos) return false;
    const std::string declaration = bytes.substr(0, end);
    const size_t key = declaration.find("encoding");
    if (key == std::string::npos) return false;
    const size_t quote = declaration.find_first_of("\"'", key);
    if (quote == std::string::npos) return false;
    const size_t close = declaration.find(declaration[quote], quote + 1);
    if (close == std::string::npos) return false;
    std::string name = declaration.substr(quote + 1, close - quote - 1);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    static const char* const names[] = {"gb2312", "gb18030", "cp936", "euc-cn", "x-gbk", "windows-936"};
    for (const char* candidate : names) {
        if (name == candidate) {
            start = quote + 1;
            length = close - quote - 1;
            return true;
        }
    }
    return false;
}

// Loads code page 936 text declared under another of its names: the same bytes,
// declared "GBK", which the component reads. (GB2312 and code page 936 are subsets of
// GBK; the four-byte sequences of GB18030 have no code page 936 bytes anyway.)
void LoadRedeclared(IXMLDOMDocument* document, std::string bytes, size_t start, size_t length) {
    bytes.replace(start, length, "GBK");
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block == nullptr) throw XmlAccessError(E_OUTOFMEMORY);
    void* data = ::GlobalLock(block);
    if (data == nullptr) {
        ::GlobalFree(block);
        throw XmlAccessError(E_OUTOFMEMORY);
    }
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
    ::GlobalUnlock(block);
    ComPtr<IStream> stream;
    const HRESULT created = ::CreateStreamOnHGlobal(block, TRUE, &stream);
    if (FAILED(created)) {
        ::GlobalFree(block);
        throw XmlAccessError(created);
    }
    VARIANT source;
    ::VariantInit(&source);
    V_VT(&source) = VT_UNKNOWN;
    V_UNKNOWN(&source) = stream.Get();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    CheckXml(document->load(source, &loaded));
}

void LoadPath(IXMLDOMDocument* document, const std::string& path) {
    VARIANT source;
    ::VariantInit(&source);
    V_VT(&source) = VT_BSTR;
    V_BSTR(&source) = WidenText(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT status = document->load(source, &loaded);
    ::VariantClear(&source);
    CheckXml(status);
}

}  // namespace

ComPtr<IXMLDOMDocument> CreateDomDocument() {
    ComPtr<IXMLDOMDocument> document;
    ComPtr<IUnknown> object;
    if (SUCCEEDED(::CoCreateInstance(kDomDocumentClass, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                     IID_IUnknown, reinterpret_cast<void**>(object.GetAddressOf()))) &&
        SUCCEEDED(::OleRun(object.Get()))) {
        object.As(&document);
    }
    if (document == nullptr) throw XmlAccessError(E_POINTER);
    CheckXml(document->put_async(VARIANT_FALSE));
    CheckXml(document->put_preserveWhiteSpace(VARIANT_TRUE));
    CheckXml(document->put_resolveExternals(VARIANT_FALSE));
    return document;
}

XmlElement XmlDocument::Load(const std::string& path) {
    ComPtr<IXMLDOMDocument> document;
    try {
        document = CreateDomDocument();
        bool opened = false;
        const std::string bytes = ReadWholeFile(path, opened);
        size_t start = 0;
        size_t length = 0;
        if (opened && DeclaresDocumentType(bytes)) {
            // refused: the document stays without a root
        } else if (opened && FindGbEncodingName(bytes, start, length)) {
            LoadRedeclared(document.Get(), bytes, start, length);
        } else {
            LoadPath(document.Get(), path);
        }
    } catch (const XmlAccessError&) {
        // A file that cannot be loaded simply gives no root.
    }
    document_ = document;
    if (document_ == nullptr) return {};

    ComPtr<IXMLDOMElement> root;
    CheckXml(document_->get_documentElement(&root));
    ComPtr<IXMLDOMNode> node;
    if (root != nullptr) {
        const HRESULT status = root.As(&node);
        if (status != E_NOINTERFACE) CheckXml(status);
    }
    return XmlElement(document_, node);
}
