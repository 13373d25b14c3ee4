#include "util/Text.h"

bool g_bChinese = false;
