#pragma once

#include "util/Error.h"

// The string table of the program's messages, in both languages (UTF-8). The desktop program's
// language pack carries the same ids; the core and the command line read them from here.
enum EStringId : int {
    IDS_OUT_OF_RANGE = 61446,
    IDS_DATA_FORMAT = 61447,
    IDS_COMMUNICATION_ERROR = 61449,
    IDS_DATA_CLEARED = 61450,
    IDS_OPEN_PORT_FAILED = 61451,
    IDS_PROGRAM_INTERRUPT = 61452,
    IDS_BAND_OVER_RANGE = 61453,
    IDS_STEP_VALUE = 61454,
    IDS_CAUTION = 61456,
};

// The text of a string id in the language asked for. Unknown ids give the empty text.
const char* LoadString(int id, bool chinese);
// The message of a string id as an error, in both languages, with its id.
CError MessageError(int id);
