#pragma once

// The language flag and the English/Chinese text pairs live with the file helpers, which need
// them too.
#include "util/Text.h"
