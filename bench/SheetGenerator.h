#pragma once

#include "bench/SheetPlan.h"

// The sheets the benchmarks and the peer tests run on. All three are
// deterministic, so every run measures the same text.
class SheetGenerator
{
public:
    // One FILE of 99 tracks as a ripper writes it: REM lines, CATALOG, and
    // per track FLAGS, ISRC, INDEX 00 and INDEX 01 (about 800 lines, 68
    // minutes).
    static SheetPlan Realistic();
    // One FILE of 99 tracks, each with INDEX 00 to 98 and a REM line after
    // every index (about 20,000 lines); still inside what a CD can hold.
    static SheetPlan Stress();
    // 200 FILEs of 99 tracks, INDEX 01 each (about 40,000 lines): past what
    // a disc holds, so only our own engine reads it.
    static SheetPlan Scale();
};
