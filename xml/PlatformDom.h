#pragma once
// The platform's DOM component: what the layer's own reader leaves to it (a DOCTYPE, an
// encoding it does not decode), and the reference that reader is held to. What it loads
// is made into the layer's one tree form at once, so that no walk calls into it.
#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <string>

#include "xml/XmlElement.h"

// The DOMDocument class itself: msxml2.h maps CLSID_DOMDocument to another class, and
// libuuid lacks this one.
extern const CLSID kDomDocumentClass;

// A new empty DOM document that loads synchronously, keeps white space and fetches
// nothing external. Raises the null-reference error when the component cannot be
// created, and an XML access error when a setting fails.
[[nodiscard]] Microsoft::WRL::ComPtr<IXMLDOMDocument> CreateDomDocument();

// Parses a file's bytes into `document`, from memory: the DOM would take a '%' in a
// path for an escape. Adds two rules to the component's own: a DOCTYPE that declares
// entities (or a text whose DOCTYPE cannot be looked for) is refused unparsed, and a declared name of the 936 family is decoded by its
// code page (see XmlPrologue). Raises an XML access error when a call fails.
void LoadDomBytes(IXMLDOMDocument* document, const std::string& bytes);

// A new document loaded from the bytes, errors discarded; empty when the component
// cannot be created.
[[nodiscard]] Microsoft::WRL::ComPtr<IXMLDOMDocument> LoadDom(const std::string& bytes);

// The root element of `document`, made into a tree; empty without a document or a
// document element. Raises an XML access error when a call into the DOM fails, the
// null-reference error for an element without an attribute map, and may raise
// std::bad_alloc.
[[nodiscard]] XmlElement DomRoot(const Microsoft::WRL::ComPtr<IXMLDOMDocument>& document);

// The element `node` and everything in it as a tree of its own, as DomRoot makes it;
// empty unless `node` is an element.
[[nodiscard]] XmlElement ElementFromDom(const Microsoft::WRL::ComPtr<IXMLDOMNode>& node);
