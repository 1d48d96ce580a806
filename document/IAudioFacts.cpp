#include "document/IAudioFacts.h"

IAudioFacts::~IAudioFacts() = default;
