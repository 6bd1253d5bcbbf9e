#include "PlayOrder.h"

#include <algorithm>
#include <numeric>

void PlayOrder::reset(int count, int start, bool shuffle, QRandomGenerator& random)
{
    m_order.resize(std::size_t(std::max(count, 0)));
    std::iota(m_order.begin(), m_order.end(), 0);
    m_index = 0;
    if (m_order.empty())
        return;
    start = std::clamp(start, 0, count - 1);
    if (!shuffle) {
        m_index = std::size_t(start);
        return;
    }
    std::swap(m_order[0], m_order[std::size_t(start)]);
    std::shuffle(m_order.begin() + 1, m_order.end(), random);
}

int PlayOrder::next()
{
    if (m_order.empty())
        return -1;
    m_index = (m_index + 1) % m_order.size();
    return m_order[m_index];
}

int PlayOrder::previous()
{
    if (m_order.empty())
        return -1;
    m_index = (m_index + m_order.size() - 1) % m_order.size();
    return m_order[m_index];
}
