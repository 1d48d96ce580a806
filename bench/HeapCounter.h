#pragma once

#include <cstddef>

// Counts what the program takes from the heap through operator new, while
// counting is switched on. The bench binary that links HeapCounter.cpp
// replaces the global operator new and delete.
class HeapCounter
{
public:
    struct Totals {
        std::size_t allocations = 0;
        std::size_t bytes = 0; // every byte allocated, freed or not
        std::size_t peak = 0;  // most bytes live at once
    };

    // Starts counting from zero.
    static void Start();
    // Stops counting and returns the totals since Start.
    static Totals Stop();
};
