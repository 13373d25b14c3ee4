#include "settings/Language.h"

bool g_bChinese = false;
