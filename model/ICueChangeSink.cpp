#include "model/ICueChangeSink.h"

ICueChangeSink::~ICueChangeSink() = default;

void ICueChangeSink::ItemChanging(const CCueItem&) {}
