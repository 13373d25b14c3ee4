#pragma once

#include <QStringList>

#include "ui/app/TextListDlg.h"

class CMainFrame;
class CProgramView;

// The differences between the document and another image, one a line, to scroll and copy.
class CCompareDlg : public CTextListDlg {
    Q_OBJECT
public:
    CCompareDlg(const QString& other, const QStringList& lines, QWidget* parent = nullptr);
};

class CMemoryImage;

// `document` (as on screen) against `other`, named `name` in the list's heading; `same` (or a
// message about two documents) instead when they hold the same.
void ShowComparison(const CMemoryImage& document, const CMemoryImage& other, const QString& name,
                    QWidget* parent, const QString& same = {});

// Tools > Compare with File: the grid is committed and stored, so what is compared is what is
// on screen, then a chosen .dat is compared with the document. True when a comparison was shown.
bool CompareWithFile(CProgramView& view, QWidget* parent);

// Tools > Compare with Radio: the progress window for a read into a copy of the document,
// compared when it ends. The document is not changed.
void CompareWithRadio(CProgramView& view);

// Wires the Tools commands into the main frame. Safe to call again.
void InstallCompareCommands(CMainFrame& frame);
