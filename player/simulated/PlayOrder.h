#pragma once

#include <QRandomGenerator>

#include <vector>

// The order in which a playlist's positions are played. Without shuffle it is the playlist
// order; with shuffle the starting position comes first and the rest follow in a random
// order. Both wrap around at the ends, so the player keeps going like iTunes with "repeat
// all" on (the demo should never fall silent).
class PlayOrder
{
public:
    // A new order over count positions (0-based) that starts at start.
    void reset(int count, int start, bool shuffle, QRandomGenerator& random);
    void clear() { m_order.clear(); }

    bool isEmpty() const { return m_order.empty(); }
    // The current position; -1 when the order is empty.
    int current() const { return m_order.empty() ? -1 : m_order[m_index]; }
    // Step to the next or previous position and return it; -1 when empty.
    int next();
    int previous();

private:
    std::vector<int> m_order;
    std::size_t m_index = 0;
};
