#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {

// A string-keyed map that remembers insertion order, as the automation dictionary does. Keys
// compare exactly (case-sensitive); every operation except copying is O(1) on average.
template <typename V>
class OrderedDictionary {
public:
    using Entry = std::pair<const std::string, V>;
    using iterator = typename std::list<Entry>::iterator;
    using const_iterator = typename std::list<Entry>::const_iterator;

    OrderedDictionary() = default;

    // The copy owns its own index: nothing in it refers to the original.
    OrderedDictionary(const OrderedDictionary& other) {
        for (const Entry& entry : other.entries_) {
            Add(entry.first, entry.second);
        }
    }

    // Leaves `other` empty.
    OrderedDictionary(OrderedDictionary&& other) noexcept { Swap(other); }

    // Takes a copy or a moved-from value, so a failing copy leaves this dictionary unchanged.
    OrderedDictionary& operator=(OrderedDictionary other) noexcept {
        Swap(other);
        return *this;
    }

    ~OrderedDictionary() = default;

    // Entries and index swap together; list nodes never move, so the index stays valid.
    void Swap(OrderedDictionary& other) noexcept {
        entries_.swap(other.entries_);
        index_.swap(other.index_);
    }

    // Returns false for a key that differs only in letter case.
    bool Exists(const std::string& key) const { return index_.find(key) != index_.end(); }

    // Raises invalid procedure call (5) for a missing key and never adds one.
    V& Item(const std::string& key) { return ItemOrRaise(key)->second; }

    // Raises invalid procedure call (5) for a missing key.
    const V& Item(const std::string& key) const { return ItemOrRaise(key)->second; }

    // Returns nullptr for a missing key; the pointer stays valid until that entry is removed.
    V* Find(const std::string& key) {
        const auto found = index_.find(key);
        return found == index_.end() ? nullptr : &found->second->second;
    }

    // Returns nullptr for a missing key.
    const V* Find(const std::string& key) const {
        const auto found = index_.find(key);
        return found == index_.end() ? nullptr : &found->second->second;
    }

    // Raises key already exists (457) for an existing key and leaves the dictionary unchanged.
    // Returns the added value, which stays where it is until it is removed.
    V& Add(std::string key, V value) {
        if (Exists(key)) {
            RaiseRuntimeError(RuntimeError::KeyAlreadyExists);
        }
        entries_.emplace_back(std::move(key), std::move(value));
        const auto added = std::prev(entries_.end());
        try {
            index_.emplace(std::string_view(added->first), added);
        } catch (...) {
            entries_.pop_back();
            throw;
        }
        return added->second;
    }

    // Adds the key just before the entry `before` instead of last, so that an entry taken out can
    // go back to its place. Raises key already exists (457) for an existing key and invalid
    // procedure call (5) for a missing `before`, in both cases leaving the dictionary unchanged.
    V& AddBefore(const std::string& before, std::string key, V value) {
        const auto place = index_.find(before);
        if (place == index_.end()) {
            RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
        }
        if (Exists(key)) {
            RaiseRuntimeError(RuntimeError::KeyAlreadyExists);
        }
        const auto added = entries_.emplace(place->second, std::move(key), std::move(value));
        try {
            index_.emplace(std::string_view(added->first), added);
        } catch (...) {
            entries_.erase(added);
            throw;
        }
        return added->second;
    }

    // Raises invalid procedure call (5) for a missing key; adding the key again puts it last.
    void Remove(const std::string& key) {
        const auto found = index_.find(key);
        if (found == index_.end()) {
            RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
        }
        const auto entry = found->second;
        // The index key views the entry's string, so it goes first.
        index_.erase(found);
        entries_.erase(entry);
    }

    // Leaves an empty dictionary that accepts the same keys again.
    void RemoveAll() {
        index_.clear();
        entries_.clear();
    }

    // Counts entries, not capacity; 0 after RemoveAll.
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

    // Returns the keys in insertion order; empty for an empty dictionary.
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        keys.reserve(entries_.size());
        for (const Entry& entry : entries_) {
            keys.push_back(entry.first);
        }
        return keys;
    }

    // Iterates in insertion order; adding keeps iterators valid, removing invalidates only the
    // removed entry's.
    iterator begin() { return entries_.begin(); }
    iterator end() { return entries_.end(); }
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }

private:
    iterator ItemOrRaise(const std::string& key) const {
        const auto found = index_.find(key);
        if (found == index_.end()) {
            RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
        }
        return found->second;
    }

    std::list<Entry> entries_;
    // Keys view the strings stored in `entries_`, so each key is stored once.
    std::unordered_map<std::string_view, iterator> index_;
};

}  // namespace tessaro
