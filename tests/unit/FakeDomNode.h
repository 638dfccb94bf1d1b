#pragma once
// DOM stand-ins that make chosen calls fail, for the error paths that real files
// cannot reach: a root whose child list fails partway, and an element without an
// attribute map.
#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <atomic>
#include <string>

#include "support/TestData.h"
#include "xml/Bstr.h"
#include "xml/PlatformDom.h"
#include "xml/XmlFile.h"

// Reference counting, interface queries and the dispatch methods nothing calls.
template <class Interface>
class FakeComObject : public Interface {
public:
    explicit FakeComObject(REFIID iid) : iid(iid) {}
    virtual ~FakeComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID asked, void** out) override {
        if (asked == IID_IUnknown || asked == IID_IDispatch || asked == iid) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

private:
    const IID iid;
    std::atomic<ULONG> references{1};
};

// The root node of a test data file as the DOM gives it, for the stand-ins to wrap.
inline Microsoft::WRL::ComPtr<IXMLDOMNode> LoadDomRoot(const std::string& relative) {
    const Microsoft::WRL::ComPtr<IXMLDOMDocument> document = CreateDomDocument();
    LoadDomBytes(document.Get(), ReadXmlFile(TestDataPath(relative)).value_or(""));
    Microsoft::WRL::ComPtr<IXMLDOMElement> element;
    document->get_documentElement(element.GetAddressOf());
    Microsoft::WRL::ComPtr<IXMLDOMNode> node;
    if (element) element->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(node.GetAddressOf()));
    return node;
}

// A node list that passes on a real one until it has given `elementsBeforeFailure`
// elements, then fails.
class FailingNodeList : public FakeComObject<IXMLDOMNodeList> {
public:
    FailingNodeList(Microsoft::WRL::ComPtr<IXMLDOMNodeList> real, int elementsBeforeFailure)
        : FakeComObject(IID_IXMLDOMNodeList), real(std::move(real)), remaining(elementsBeforeFailure) {}
    HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** item) override { return real->get_item(index, item); }
    HRESULT STDMETHODCALLTYPE get_length(LONG* length) override { return real->get_length(length); }
    HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode** next) override {
        *next = nullptr;
        Microsoft::WRL::ComPtr<IXMLDOMNode> node;
        const HRESULT status = real->nextNode(node.GetAddressOf());
        if (node) {
            DOMNodeType type = NODE_INVALID;
            node->get_nodeType(&type);
            if (type == NODE_ELEMENT && remaining-- <= 0) return E_FAIL;
        }
        *next = node.Detach();
        return status;
    }
    HRESULT STDMETHODCALLTYPE reset() override { return real->reset(); }
    HRESULT STDMETHODCALLTYPE get__newEnum(IUnknown** enumerator) override { return real->get__newEnum(enumerator); }

private:
    Microsoft::WRL::ComPtr<IXMLDOMNodeList> real;
    int remaining;
};

// An element node standing for a real one. Its children come through a FailingNodeList;
// with `noAttributeMap` it answers for its attributes with no map at all.
class FakeElementNode : public FakeComObject<IXMLDOMNode> {
public:
    FakeElementNode(Microsoft::WRL::ComPtr<IXMLDOMNode> real, int elementsBeforeFailure, bool noAttributeMap = false)
        : FakeComObject(IID_IXMLDOMNode),
          real(std::move(real)),
          elementsBeforeFailure(elementsBeforeFailure),
          noAttributeMap(noAttributeMap) {}

    HRESULT STDMETHODCALLTYPE get_nodeType(DOMNodeType* type) override { return real->get_nodeType(type); }
    HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* name) override { return real->get_nodeName(name); }
    HRESULT STDMETHODCALLTYPE get_ownerDocument(IXMLDOMDocument** document) override {
        return real->get_ownerDocument(document);
    }
    HRESULT STDMETHODCALLTYPE get_childNodes(IXMLDOMNodeList** children) override {
        Microsoft::WRL::ComPtr<IXMLDOMNodeList> list;
        const HRESULT status = real->get_childNodes(list.GetAddressOf());
        if (FAILED(status)) return status;
        *children = new FailingNodeList(list, elementsBeforeFailure);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_attributes(IXMLDOMNamedNodeMap** attributes) override {
        if (noAttributeMap) {
            *attributes = nullptr;
            return S_OK;
        }
        return real->get_attributes(attributes);
    }
    HRESULT STDMETHODCALLTYPE get_firstChild(IXMLDOMNode** child) override { return real->get_firstChild(child); }
    HRESULT STDMETHODCALLTYPE get_text(BSTR* text) override { return real->get_text(text); }

    // Nothing else is asked of an element by the layer.
    HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_parentNode(IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_lastChild(IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_previousSibling(IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_nextSibling(IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE insertBefore(IXMLDOMNode*, VARIANT, IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE replaceChild(IXMLDOMNode*, IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE removeChild(IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE appendChild(IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE hasChildNodes(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE cloneNode(VARIANT_BOOL, IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_nodeTypeString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_text(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_specified(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_definition(IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_nodeTypedValue(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_nodeTypedValue(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_dataType(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_dataType(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_xml(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE transformNode(IXMLDOMNode*, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE selectNodes(BSTR, IXMLDOMNodeList**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE selectSingleNode(BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_parsed(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_namespaceURI(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_prefix(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_baseName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE transformNodeToObject(IXMLDOMNode*, VARIANT) override { return E_NOTIMPL; }

private:
    Microsoft::WRL::ComPtr<IXMLDOMNode> real;
    int elementsBeforeFailure;
    bool noAttributeMap;
};
