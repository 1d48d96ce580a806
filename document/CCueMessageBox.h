#pragma once

#include "model/CCueMessage.h"

#include <cstddef>

struct CueReadResult;

// Shows the messages of a read through the prompts, one box per read.
class CCueMessageBox
{
public:
    // How many texts a box shows before it sends the user to its details.
    static constexpr std::size_t kShown = 10;

    // Shows the messages in one box, in line order: the one message's own
    // box when there is only one, else every text one per line (the first
    // ones in the box, all of them in its details). Nothing when empty.
    static void Show(CueMessages messages);
    // Shows the messages of a read, after those of `before` (which join
    // its box), then the error that stopped it in a box of its own.
    static void Show(const CueReadResult& result, CueMessages before = {});
};
