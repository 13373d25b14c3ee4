#pragma once

#include <string>
#include <vector>

#include "util/Error.h"

class CChannelTable;
class CMemoryImage;
struct CDocumentState;

// Rows of the channel grid on the clipboard: one line per row, tab-separated, the grid's texts
// of columns 1..11 (Rx Frequency .. Opt Signal) as shown, in the language shown, then the
// Channel Edit dialog's encode and decode numbers, so a row keeps them on its way through a
// spreadsheet. A field holding a tab, a quote or a line break is quoted as in a CSV.
inline constexpr int kRowTextFields = 13;

// The rows (grid rows, in the order given) with the table's texts; the numbers come from the
// image as the table would store it, so text typed since the last store is included.
std::string CopyRowsText(const CDocumentState& doc, const CChannelTable& table,
                         const std::vector<int>& rows, bool chinese);

// Pastes lines of such text into the image from grid row `first` on, one channel per line, as a
// CSV import of those channels would: every cell through the cell rules, texts of either
// language, an empty cell leaving its cell as it is except Rx (empty: no channel) and the name.
// A line may stop after any field. Paste reaches channels 1..128 only: the Fr record is not a
// channel to paste over. A refusal lists every refused cell ("row 5, column Rx Frequency: ...")
// and leaves the image as it was.
CResult<> PasteRowsText(const std::string& text, int first, CMemoryImage& image);

// Row operations on channels 1..128: whole 24-byte records move in the image together with
// the table's texts of their rows (text typed but not yet stored moves with its row). The Fr
// record, row 129, never moves. A row is empty when its Rx and Tx cells are.
bool IsEmptyRow(const CChannelTable& table, int row);
// An empty channel at `row`, the channels from there on one row down. False (nothing changes)
// when the row is outside 1..128 or channel 128 is not empty.
bool InsertEmptyRow(CMemoryImage& image, CChannelTable& table, int row);
// The rows removed, the channels below moving up; empty channels fill the end. Rows outside
// 1..128 are ignored.
void DeleteRows(CMemoryImage& image, CChannelTable& table, const std::vector<int>& rows);
// Each row one up (delta -1) or down (+1), the channels passed over taking their places. False
// (nothing changes) when a row would leave 1..128 or `rows` names no channel.
bool MoveRows(CMemoryImage& image, CChannelTable& table, const std::vector<int>& rows, int delta);
