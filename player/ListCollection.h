#pragma once

#include "player/PlayerCollection.h"
#include "player/PlayerError.h"

#include <QString>

#include <memory>
#include <vector>

// A player collection over objects made up front, counted from 1: the small collections
// (playlists, windows, artwork) of any backend.
template <typename T> class ListCollection : public PlayerCollection<T>
{
public:
    explicit ListCollection(std::vector<std::shared_ptr<T>> items = {})
        : m_items(std::move(items))
    {
    }

    int Count() const override { return int(m_items.size()); }
    // Throws PlayerError when index is outside 1..Count().
    std::shared_ptr<T> Item(int index) const override
    {
        if (index < 1 || index > Count())
            throw PlayerError(QStringLiteral("Index %1 is outside the collection of %2.").arg(index).arg(Count()));
        return m_items[std::size_t(index - 1)];
    }

private:
    std::vector<std::shared_ptr<T>> m_items;
};
