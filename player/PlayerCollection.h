#pragma once

#include <memory>

// A player collection, counted from 1 like the player's own collections.
template <typename T> class PlayerCollection
{
public:
    virtual ~PlayerCollection() = default;

    virtual int Count() const = 0;
    // Throws PlayerError when index is outside 1..Count().
    virtual std::shared_ptr<T> Item(int index) const = 0;
};
