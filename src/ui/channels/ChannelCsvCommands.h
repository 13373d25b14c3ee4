#pragma once

#include <QStringList>

#include "ui/app/TextListDlg.h"

class CMainFrame;
class CProgramView;

// The cells a refused import named, one a line, in a list the user can scroll, select and copy.
class CCsvErrorsDlg : public CTextListDlg {
    Q_OBJECT
public:
    CCsvErrorsDlg(const QString& file, const QStringList& items, QWidget* parent = nullptr);
};

// File > Import Channels: the open cell edit is committed, then a CSV chosen by the user is
// applied to the view's document as one undo step, or refused as a whole with its errors shown.
// The file type chosen picks the layout; rows of the common channel CSV that the radio cannot
// hold are listed in a question that offers to import the others without them.
// True when the channels were imported.
bool ImportChannels(CProgramView& view, QWidget* parent);
// File > Export Channels: the grid, committed and stored, written as CSV to a chosen file, in
// the layout of the file type chosen.
bool ExportChannels(CProgramView& view, QWidget* parent);

// Wires Import Channels and Export Channels into the main frame. Safe to call again.
void InstallChannelCsvCommands(CMainFrame& frame);
