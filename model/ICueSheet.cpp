#include "model/ICueSheet.h"

ICueSheet::~ICueSheet() = default;
