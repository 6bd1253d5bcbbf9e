#pragma once

// Runs one step of a sequence whose failures are skipped: the rest of the sequence runs
// whatever this step throws.
template <typename Step>
void ignoringErrors(Step&& step)
{
    try {
        step();
    } catch (...) {
    }
}
