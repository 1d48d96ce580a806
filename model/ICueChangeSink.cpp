#include "model/ICueChangeSink.h"

ICueChangeSink::~ICueChangeSink() = default;
