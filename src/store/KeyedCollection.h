#pragma once
// An ordered list of (key, record) entries that owns its records. Keys are
// not unique and are not kept in step with the record; callers compute them.

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Whole-text comparison ignoring letter case under the user's locale.
bool KeysEqualNoCase(std::string_view a, std::string_view b);
// True when every byte is below 128.
bool IsAsciiText(std::string_view text);

template <typename TRecord>
class TKeyedCollection {
public:
    TKeyedCollection() = default;
    TKeyedCollection(const TKeyedCollection&) = delete;
    TKeyedCollection& operator=(const TKeyedCollection&) = delete;
    virtual ~TKeyedCollection() = default;

    int Count() const { return static_cast<int>(FEntries.size()); }

    TRecord& RecordAt(int index)
    {
        CheckIndex(index);
        return *FEntries[static_cast<size_t>(index)].second;
    }
    const TRecord& RecordAt(int index) const
    {
        CheckIndex(index);
        return *FEntries[static_cast<size_t>(index)].second;
    }

    const std::string& KeyAt(int index) const
    {
        CheckIndex(index);
        return FEntries[static_cast<size_t>(index)].first;
    }

    // Index of the first entry whose key equals `text` without regard to case; -1 if none.
    int FindKey(const std::string& text) const
    {
        for (size_t i = 0; i < FEntries.size(); ++i)
            if (KeysEqualNoCase(FEntries[i].first, text))
                return static_cast<int>(i);
        return -1;
    }

    int Append(std::string key, std::unique_ptr<TRecord> record)
    {
        if (!record)
            throw std::invalid_argument("Append: no record");
        FEntries.emplace_back(std::move(key), std::move(record));
        return Count() - 1;
    }

    void SetRecord(int index, TRecord record)
    {
        CheckIndex(index);
        *FEntries[static_cast<size_t>(index)].second = std::move(record);
    }

    void SetKey(int index, std::string key)
    {
        CheckIndex(index);
        FEntries[static_cast<size_t>(index)].first = std::move(key);
    }

    void RemoveAt(int index)
    {
        CheckIndex(index);
        FEntries.erase(FEntries.begin() + index);
    }

    void Clear() { FEntries.clear(); }
    // Room for `count` entries in all, so a large load does not regrow the list.
    void Reserve(int count) { FEntries.reserve(static_cast<size_t>(std::max(count, 0))); }

private:
    void CheckIndex(int index) const
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }

    std::vector<std::pair<std::string, std::unique_ptr<TRecord>>> FEntries;
};
