#pragma once
// The namespace prefixes in scope while the reader walks a document, as the platform's
// namespace-aware parser keeps them: found by a map, not by a scan of every binding, so
// that a start tag of many declarations and prefixed attributes costs time in
// proportion to their number.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "xml/XmlCharacters.h"

template <typename Unit>
class NamespaceScope {
public:
    using View = std::basic_string_view<Unit>;

    // The prefix of a qualified name as the platform's parser splits it: before the
    // first colon, when a name-start character other than a colon follows it. Names it
    // cannot split keep no prefix and are taken whole.
    static View PrefixOf(View name) {
        const std::size_t colon = name.find(':');
        if (colon == 0 || colon == View::npos || colon + 1 >= name.size()) return {};
        int units = 1;
        const char32_t next = TextForm<Unit>::Peek(name.data() + colon + 1, name.data() + name.size(), units);
        if (next == ':' || !(next >= 0xD800 || next == 0 || IsNameStart(next))) return {};
        return name.substr(0, colon);
    }

    // The URI bound to `prefix` (in the code page), or null.
    [[nodiscard]] const std::string* Find(View prefix) const {
        if (IsLiteral(prefix, "xml")) return &xmlUri;
        const auto found = inScope.find(prefix);
        return found == inScope.end() ? nullptr : &bindings[found->second - 1].uri;
    }

    void Bind(View prefix, std::string uri) {
        std::size_t& latest = inScope[prefix];
        bindings.push_back(Binding{prefix, std::move(uri), latest});
        latest = bindings.size();
    }

    [[nodiscard]] std::size_t Size() const { return bindings.size(); }

    // Drops the bindings from `count` on, bringing back those they hid.
    void DropTo(std::size_t count) {
        while (bindings.size() > count) {
            const Binding& binding = bindings.back();
            if (binding.hidden == 0) {
                inScope.erase(binding.prefix);
            } else {
                inScope[binding.prefix] = binding.hidden;
            }
            bindings.pop_back();
        }
    }

    // The attributes in a namespace of one start tag, from BeginTag on: false when one of
    // the same local name in the same namespace came before.
    void BeginTag() { qualified.clear(); }
    [[nodiscard]] bool AddQualified(View local, const std::string& uri) { return qualified.emplace(local, uri).second; }

private:
    // A prefix with its URI, and the binding of the same prefix it hides (one more than
    // its index; 0 for none).
    struct Binding {
        View prefix;
        std::string uri;
        std::size_t hidden;
    };
    using Qualified = std::pair<View, std::string_view>;
    struct QualifiedHash {
        std::size_t operator()(const Qualified& name) const {
            return std::hash<View>()(name.first) * 31 + std::hash<std::string_view>()(name.second);
        }
    };

    std::vector<Binding> bindings;
    std::unordered_map<View, std::size_t> inScope;  // the binding of each prefix, one more than its index
    std::unordered_set<Qualified, QualifiedHash> qualified;
    const std::string xmlUri = "http://www.w3.org/XML/1998/namespace";
};
