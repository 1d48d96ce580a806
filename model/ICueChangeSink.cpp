#include "model/ICueChangeSink.h"

ICueChangeSink::~ICueChangeSink() = default;

void ICueChangeSink::ItemChanged(const CCueItem&) {}
