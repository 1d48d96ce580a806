// A document that knows the command ids of the window above it.
#include "platform/CDocument.h"
#include "res/CommandIds.h"
