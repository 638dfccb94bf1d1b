#include "framework/OwnerDataList.h"

#include "framework/Text.h"

namespace {

template <class Find>
RowSearch SearchShape(const Find& find) {
    RowSearch search;
    // Typing sends LVFI_PARTIAL alone; a host's exact search LVFI_STRING.
    search.answerable = (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && find.lvfi.psz != nullptr;
    search.partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    search.wrap = (find.lvfi.flags & LVFI_WRAP) != 0;
    search.start = find.iStart;
    return search;
}

}  // namespace

RowSearch ReadRowSearch(const NMLVFINDITEMA& find) {
    RowSearch search = SearchShape(find);
    if (search.answerable) search.sought = find.lvfi.psz;
    return search;
}

RowSearch ReadRowSearch(const NMLVFINDITEMW& find) {
    RowSearch search = SearchShape(find);
    if (!search.answerable) return search;
    const int size = ::WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        search.answerable = false;
        return search;
    }
    search.sought.resize(static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1, &search.sought[0], size, nullptr, nullptr);
    search.sought.resize(static_cast<size_t>(size) - 1);
    return search;
}

int FindRowByPrefix(const std::function<std::string_view(int)>& textOf, int rows, const std::string& sought,
                    bool partial, int start, bool wrap) {
    const auto matches = [&](int row) {
        const std::string_view text = textOf(row);
        if (!partial) return text::EqualIgnoringCase(std::string(text), sought);
        return text.size() >= sought.size() && text::EqualIgnoringCase(std::string(text.substr(0, sought.size())), sought);
    };
    const int first = start >= 0 && start < rows ? start : 0;
    for (int row = first; row < rows; ++row)
        if (matches(row)) return row;
    if (wrap)
        for (int row = 0; row < first; ++row)
            if (matches(row)) return row;
    return -1;
}
