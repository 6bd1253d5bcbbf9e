#pragma once

#include "TransferView.h"

// Holds a view busy for a scope, so every way out of a transfer, an exception included,
// leaves it idle.
class TransferBusy
{
public:
    explicit TransferBusy(TransferView& view)
        : m_view(view)
    {
        m_view.setBusy(true);
    }
    ~TransferBusy() { m_view.setBusy(false); }
    TransferBusy(const TransferBusy&) = delete;
    TransferBusy& operator=(const TransferBusy&) = delete;

private:
    TransferView& m_view;
};
