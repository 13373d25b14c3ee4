#pragma once

#include <string>
#include <vector>

#include "channels/ChannelCsv.h"
#include "util/Error.h"

class CMemoryImage;

// The common channel CSV: the layout many programming tools share to move channels between
// radios. Location 1..128 is channel 1..128; the Fr record has no place in it.
inline constexpr const char* kCommonCsvColumns[] = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// A number of watts at or above this reads as High, below it as Low: a handheld's low power is
// about one watt and its high power four or five.
inline constexpr double kHighPowerWatts = 2.0;

// Every non-empty channel 1..128, one row each, CR LF line ends. Power is written as "High" or
// "Low"; what the layout has no column for (PTT ID, busy lock, optional signal) is not written.
std::string ExportCommonCsv(const CMemoryImage& image);
// ExportCommonCsv into a file, replaced atomically; "-" writes to standard output.
CResult<> WriteCommonCsvFile(const CMemoryImage& image, const std::string& path);

// What an import would do. Rows the radio cannot hold are refused whole, each as
// "line N, Location L: REASON"; names longer than the editor takes are cut, each cut noted.
struct CCommonCsvPlan {
    std::vector<CChannelTexts> m_rows;  // the rows that can be applied
    std::vector<std::string> m_refused;
    std::vector<std::string> m_notices;
};

// Reads the file's rows against the image (which is not changed). Columns are found by name in
// any order, unknown ones ignored; a missing required column, a duplicate column or a broken
// CSV is an error. Channels the file does not list are not part of the plan.
CResult<CCommonCsvPlan> PlanCommonCsvImport(const std::string& csv, const CMemoryImage& image);

// Applies a plan's rows to the image, the cells through the grid's own rules. With refused rows
// and no skipInvalid nothing changes and the error lists them; with skipInvalid the others are
// applied. Columns the layout lacks keep their values; a new channel takes the grid's defaults.
CResult<> ApplyCommonCsvPlan(const CCommonCsvPlan& plan, CMemoryImage& image, bool skipInvalid);
