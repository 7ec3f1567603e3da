// Two held records that would take one row of a table: the one given last is kept.
#pragma once

#include <list>
#include <set>

// Of the items sharing a key, keeps the last in its place and hands each earlier one to
// dropped before erasing it.
template <typename Item, typename KeyOf, typename Dropped>
void KeepLastOfEachKey(std::list<Item>& items, KeyOf keyOf, Dropped dropped)
{
    std::set<decltype(keyOf(items.front()))> seen;
    for (auto it = items.end(); it != items.begin();) {
        --it;
        if (seen.insert(keyOf(*it)).second) continue;
        dropped(*it);
        it = items.erase(it);
    }
}
