#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <tessaro/runtime/ascii.hpp>
#include <tessaro/runtime/ordered_dictionary.hpp>

namespace tessaro {

// A keyed collection whose keys compare ignoring ASCII letter case ("Press" and "PRESS" are one
// key), as automation collections do; each key keeps the spelling it was added with. Lookups are
// O(1) on average. Letters outside ASCII compare exactly.
template <typename V>
class CaseInsensitiveCollection {
public:
    // Raises key already exists (457) when a key equal ignoring case exists; nothing changes.
    // Returns the added item, which stays where it is until it is removed.
    V& Add(const std::string& key, V item) {
        return items_.Add(Fold(key), Slot{key, std::move(item)}).Value;
    }

    // Raises invalid procedure call (5) for a missing key.
    V& Item(const std::string& key) { return items_.Item(Fold(key)).Value; }

    // Raises invalid procedure call (5) for a missing key.
    const V& Item(const std::string& key) const { return items_.Item(Fold(key)).Value; }

    // Returns nullptr for a missing key.
    V* Find(const std::string& key) {
        Slot* slot = items_.Find(Fold(key));
        return slot == nullptr ? nullptr : &slot->Value;
    }

    // Returns nullptr for a missing key.
    const V* Find(const std::string& key) const {
        const Slot* slot = items_.Find(Fold(key));
        return slot == nullptr ? nullptr : &slot->Value;
    }

    // Returns true for any spelling of an existing key.
    bool Exists(const std::string& key) const { return items_.Exists(Fold(key)); }

    // Raises invalid procedure call (5) for a missing key; any spelling removes the item.
    void Remove(const std::string& key) { items_.Remove(Fold(key)); }

    // Counts items; 0 after Clear.
    int32_t Count() const { return items_.Count(); }

    // Leaves an empty collection that accepts the same keys again.
    void Clear() { items_.RemoveAll(); }

    // Returns the keys as they were added, in insertion order.
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        keys.reserve(static_cast<std::size_t>(items_.Count()));
        for (const auto& entry : items_) {
            keys.push_back(entry.second.Key);
        }
        return keys;
    }

private:
    struct Slot {
        std::string Key;
        V Value;
    };

    static std::string Fold(const std::string& key) { return AsciiLowered(key); }

    OrderedDictionary<Slot> items_;
};

}  // namespace tessaro
