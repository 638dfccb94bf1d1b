#pragma once
// A forward cursor over the child elements of one element, optionally only those with
// one tag name. Its position is shared as the DOM's node list is: a copy shares it and
// restarts it.
#include <cstdint>
#include <memory>
#include <string>

#include "xml/XmlElement.h"
#include "xml/XmlTree.h"

class XmlElementCursor {
public:
    XmlElementCursor() = default;
    // Over the children of element `parent` of a loaded tree.
    XmlElementCursor(std::shared_ptr<const XmlTree> tree, std::uint32_t parent, std::string filter);
    XmlElementCursor(const XmlElementCursor& other);
    XmlElementCursor& operator=(const XmlElementCursor& other);
    XmlElementCursor(XmlElementCursor&&) = default;
    XmlElementCursor& operator=(XmlElementCursor&&) = default;

    // The next matching child element, or an empty one at the end (and after it).
    [[nodiscard]] XmlElement Next();

private:
    void Restart() const;

    std::shared_ptr<const XmlTree> tree;
    std::uint32_t parent = 0;
    std::shared_ptr<std::uint32_t> next;  // the child to look at next
    std::string filter;
};
