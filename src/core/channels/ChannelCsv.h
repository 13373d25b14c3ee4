#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "util/Error.h"

class CMemoryImage;

// The channels as CSV: UTF-8, comma-separated, RFC 4180 quoting, CR LF line ends, one header
// line then the 129 rows "1".."128", "Fr".
inline constexpr const char* kCsvColumns[] = {
    "Channel", "Rx Frequency", "Tx Frequency", "QT/DQT Dec", "QT/DQT Enc", "Name",   "Power",
    "W/N",     "Scan Add",     "PTT ID",       "Busy Lock",  "Opt Signal", "Encode", "Decode"};
inline constexpr int kCsvColumnCount = 14;

// RFC 4180 fields of a whole text: quoted fields may hold commas, quotes ("") and line breaks;
// lines end with CR LF or LF; a UTF-8 byte order mark is skipped; blank lines are skipped.
// Each record comes with the line it starts on. An unterminated quote or text after a
// closing quote is an error.
struct CCsvRecord {
    int m_line = 0;
    std::vector<std::string> m_fields;
};
// The separator may be another character (a tab for the clipboard's rows).
CResult<std::vector<CCsvRecord>> ParseCsv(const std::string& text, char separator = ',');
std::string CsvField(const std::string& field, char separator = ',');  // quoted when it needs to be

// The grid's English texts, plus the Channel Edit dialog's encode and decode texts.
std::string ExportChannelsCsv(const CMemoryImage& image);

// Applies a CSV to the image as a user would: for each listed row, the cells that differ from
// the grid go through the cell rules (Rx, then Tx, then the rest), then the signal and the
// numbers through the Channel Edit rules. Chinese value texts are accepted. An empty value
// leaves its cell as it is, except Rx (empty deletes the channel) and Name (empty clears it):
// no editor can make those cells empty on a channel. Rows not listed,
// and listed rows whose texts do not change, keep their bytes exactly. Stricter than typing:
// frequencies are plain decimals, a Tx outside 67..512 MHz is refused (the grid would store
// 67.00000), and a name changed by the file takes at most 7 GBK bytes, as the editor allows.
// A refusal lists every rejection in its items as "row N, column NAME: MESSAGE" (or "line N:
// MESSAGE" for the CSV's own structure); when there is any, the image is unchanged.
CResult<> ImportChannelsCsv(const std::string& csv, CMemoryImage& image);

// One channel's texts in the columns of kCsvColumns (none: the column is not listed), for
// ApplyChannelTexts.
struct CChannelTexts {
    int m_row = 0;  // grid row, 1..129
    std::vector<std::optional<std::string>> m_values;
};
struct CCellRefusal {
    int m_row = 0;
    int m_column = 0;  // of kCsvColumns
    std::string m_message;
    int m_messageId = 0;  // the cell rule's string id (IDS_OUT_OF_RANGE ...), else 0
};
// The cell-by-cell part of ImportChannelsCsv, for other layouts that map onto the grid's texts:
// every refused cell is returned, and the image changes only when there is none.
std::vector<CCellRefusal> ApplyChannelTexts(const std::vector<CChannelTexts>& rows,
                                            CMemoryImage& image);

// A CSV of 129 channels is a few kilobytes; a file near this size is not one.
inline constexpr std::size_t kMaxCsvSize = 1 << 20;

// The text of a channel CSV file, for ImportChannelsCsv. A file that cannot be read, is larger
// than kMaxCsvSize or is not UTF-8 text (a NUL byte, a byte sequence that is not UTF-8) is
// refused with a message naming it.
CResult<std::string> ReadChannelsCsvFile(const std::string& path);
// ExportChannelsCsv into a file, replaced atomically; "-" writes to standard output.
CResult<> WriteChannelsCsvFile(const CMemoryImage& image, const std::string& path);
