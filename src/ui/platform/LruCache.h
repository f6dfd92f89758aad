#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <unordered_map>
#include <utility>

namespace quirel {

// At most capacity values by key; when one more is needed, the value used least recently goes.
template <typename Key, typename Value, typename Hash = std::hash<Key>> class LruCache {
public:
    explicit LruCache(std::size_t capacity)
        : m_capacity(capacity)
    {
    }

    // The value of key, made by make() when it is not held. The reference stays valid until the
    // value is dropped by a later Get of another key.
    template <typename Make> Value& Get(const Key& key, Make&& make)
    {
        if (const auto found = m_index.find(key); found != m_index.end()) {
            m_order.splice(m_order.begin(), m_order, found->second);
            return found->second->second;
        }
        m_order.emplace_front(key, make());
        m_index.emplace(key, m_order.begin());
        if (m_order.size() > m_capacity) {
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        return m_order.front().second;
    }

    std::size_t Size() const { return m_order.size(); }

private:
    using Entries = std::list<std::pair<Key, Value>>;
    std::size_t m_capacity;
    Entries m_order; // most recently used first
    std::unordered_map<Key, typename Entries::iterator, Hash> m_index;
};

} // namespace quirel
