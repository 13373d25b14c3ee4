#pragma once

#include <array>
#include <string>

struct CDocumentState;
class CUserValues;

// Grid geometry: row 0 holds the headings, column 0 the row labels; grid row r (1..129) shows
// record r-1, row 129 being the Fr record.
inline constexpr int kGridRows = 130;
inline constexpr int kGridColumns = 13;
inline constexpr int kFrRow = 129;

enum EGridColumn : int {
    kColLabel = 0,
    kColRx = 1,
    kColTx = 2,
    kColRxTone = 3,
    kColTxTone = 4,
    kColName = 5,
    kColPower = 6,
    kColBandwidth = 7,
    kColScanAdd = 8,
    kColPttId = 9,
    kColBusyLock = 10,
    kColOptSignal = 11,
    kColMore = 12,
};

// The "More" cell of a channel: it opens the Channel Edit dialog.
inline constexpr const char* kMoreText = ">>";

// Heading of a column in the given language ("Chnnel Name" is the program's own spelling).
const char* ColumnHeading(int column, bool chinese);
// "1".."128", "Fr" for row 129.
std::string RowLabel(int row);

// The channel grid's working copy: 130 x 13 UTF-8 texts. The image follows the grid only at
// StoreGrid, the grid follows the image at FillGrid.
class CChannelTable {
public:
    // Headings in the language asked for and the row labels; every other cell empty.
    explicit CChannelTable(bool chinese);

    // Empty text outside the grid.
    const std::string& GetText(int row, int column) const;
    // Ignored outside the grid.
    void SetText(int row, int column, const std::string& text);

    void SetHeadings(bool chinese);

    // Every cell of rows 1..129 rewritten from the image in the language asked for, then the
    // band refresh (which may write the model and band bytes of a new document, and sets the
    // state's limits). Text typed since the last StoreGrid is discarded.
    void FillGrid(CDocumentState& doc, CUserValues* userValues, bool chinese);

    // The band limits, then columns 1..11 of every row into the records. Bytes 14 and 15, the
    // bits no editor owns, and the name bytes of a name cell still showing what they decode to
    // keep what the image held.
    void StoreGrid(CDocumentState& doc) const;

    bool operator==(const CChannelTable&) const = default;

private:
    std::array<std::array<std::string, kGridColumns>, kGridRows> m_cells;
};
