#pragma once

#include <exception>

// Runs one step of a sequence whose failures are skipped: a player that fails a call (or has
// gone) must not stop the steps after it.
template <typename Step> void ignoringErrors(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}
