#include "model/CCueReader.h"
  #  include "document/CQuillDoc.h"
