#pragma once
// Within one call of the export, the last parse of a directory file of one kind, so that
// the picker does not parse again what the dialog has just parsed. A file is recognised
// by its path and its bytes' size and digest, not by a time stamp: a file rewritten
// within the call is parsed anew. The bytes themselves are not kept, which would double
// the memory a large directory costs.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "directory/FileDigest.h"

template <typename Record>
class ReuseCache {
public:
    using Records = std::shared_ptr<std::vector<Record>>;

    // What tells one file's bytes from another's.
    struct Key {
        std::string path;
        std::size_t size;
        FileDigest digest;
    };

    // Reuse is off until Begin; End turns it off and releases what was kept.
    void Begin() { on = true; }
    void End() {
        on = false;
        kept.reset();
    }

    // The key of `bytes` read from `path` while reuse is on; none (and no digest work) otherwise.
    [[nodiscard]] std::optional<Key> KeyOf(const std::string& path, std::string_view bytes) const {
        if (!on) return std::nullopt;
        return Key{path, bytes.size(), Blake2s256(bytes)};
    }

    // The records of the parse kept under `key`, and in `complete` whether it read the
    // whole file; null when what is kept is another file's, or nothing.
    [[nodiscard]] Records Find(const Key& key, bool& complete) const {
        if (!kept || kept->key.path != key.path || kept->key.size != key.size || kept->key.digest != key.digest)
            return nullptr;
        complete = kept->complete;
        return kept->records;
    }

    // Lets go of the last parse, before a new one takes memory of its own.
    void Forget() { kept.reset(); }
    void Keep(Key key, bool complete, Records records) {
        kept = Parsed{std::move(key), complete, std::move(records)};
    }

private:
    // Always made whole; no default member initialisers, with which clang 14 silently
    // drops the instantiations of the reader's templates that use this one.
    struct Parsed {
        Key key;
        bool complete;
        Records records;
    };
    bool on = false;
    std::optional<Parsed> kept;
};
