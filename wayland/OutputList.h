// The outputs a compositor announced, in the order it announced them, each
// with its own figure's seed: the first gets the base seed and each later one
// the next number (wrapping after 4294967295), also when earlier ones have
// gone, so that a seed is never shown twice in one run.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

template <class Item> class OutputList {
public:
    struct Entry {
        std::uint32_t Name;  // the output's registry name
        std::uint32_t Seed;
        std::unique_ptr<Item> Held;
    };

    explicit OutputList(std::uint32_t baseSeed) : NextSeed(baseSeed) {}

    // Lists `item` under registry `name` with the next seed. Null (and no
    // seed used) when the name is listed already.
    Entry* Add(std::uint32_t name, std::unique_ptr<Item> item)
    {
        if (Find(name))
            return nullptr;
        Entries.push_back(Entry{name, NextSeed++, std::move(item)});
        return &Entries.back();
    }
    // Takes the output out of the list and hands its item back (null when
    // the name is not listed, as for a global that is no output).
    std::unique_ptr<Item> Remove(std::uint32_t name)
    {
        auto at = std::find_if(Entries.begin(), Entries.end(), [name](const Entry& e) { return e.Name == name; });
        if (at == Entries.end())
            return nullptr;
        std::unique_ptr<Item> item = std::move(at->Held);
        Entries.erase(at);
        return item;
    }
    Entry* Find(std::uint32_t name)
    {
        for (Entry& entry : Entries)
            if (entry.Name == name)
                return &entry;
        return nullptr;
    }
    // In announcement order.
    std::vector<Entry>& All() { return Entries; }

private:
    std::uint32_t NextSeed;
    std::vector<Entry> Entries;
};
