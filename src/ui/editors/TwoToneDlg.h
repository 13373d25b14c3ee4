#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "ui/app/HelpDialog.h"

class QCheckBox;
class QLineEdit;
class QTabWidget;
struct CField;
class CMemoryImage;
class CProgramDoc;
class CSpinButton;
class CListGrid;

using CTwoToneDocFinder = std::function<CProgramDoc*()>;

// A page of the 2-Tone dialog: it loads from the image each time it is shown and stores both
// copies each time it is hidden, so switching tabs and closing both keep what was typed. A
// page never shown neither loads nor stores.
class CTwoTonePage : public QWidget {
    Q_OBJECT
public:
    CTwoTonePage(CTwoToneDocFinder findDocument, QWidget* parent);

    // The control with the "controlId" property `id` on this page.
    QWidget* Control(int id) const;
    // Stores when the page has been loaded; the dialog calls it as it goes away.
    void Commit();

protected:
    // One edit with its arrows, and the field of the table behind them.
    struct CTimedEdit {
        const CField* m_field = nullptr;
        QLineEdit* m_edit = nullptr;
        CSpinButton* m_spin = nullptr;
    };
    // Adds a labelled edit with arrows at `row` of the page's grid layout.
    CTimedEdit& AddEdit(class QGridLayout* layout, int row, const CField* field,
                        const QString& label, int editId, int arrowId);
    // Lets the numeric keys reach `edit` only.
    void FilterKeys(QWidget* edit);

    virtual void Load(const CMemoryImage& image);
    virtual void Store(CMemoryImage& image);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::vector<CTimedEdit> m_edits;

private:
    CProgramDoc* Document() const;

    CTwoToneDocFinder m_findDocument;
    bool m_bLoaded = false;
};

// The "Encode" tab: the common timing, the short beep and the 32 tone pairs.
class CTwoToneEncodePage : public CTwoTonePage {
    Q_OBJECT
public:
    CTwoToneEncodePage(CTwoToneDocFinder findDocument, QWidget* parent);
    CListGrid* Grid() const { return m_pGrid; }

protected:
    void Load(const CMemoryImage& image) override;
    void Store(CMemoryImage& image) override;

private:
    // The field of the list cell (row 1..32, column 1 or 2).
    static const CField* ToneField(int row, int column);

    QCheckBox* m_pShortBeep;
    CListGrid* m_pGrid;
};

// One decode code "2-Tone1".."2-Tone8".
class CTwoToneDecodePage : public CTwoTonePage {
    Q_OBJECT
public:
    CTwoToneDecodePage(CTwoToneDocFinder findDocument, int slot, QWidget* parent);
    int Slot() const { return m_nSlot; }

private:
    int m_nSlot;
};

// The "Decode" tab: a tab per decode code.
class CTwoToneDecodeSheet : public QWidget {
    Q_OBJECT
public:
    CTwoToneDecodeSheet(const CTwoToneDocFinder& findDocument, QWidget* parent);
    QTabWidget* Tabs() const { return m_pTabs; }
    CTwoToneDecodePage* Page(int slot) const { return m_pages.at(slot - 1); }

private:
    QTabWidget* m_pTabs;
    std::array<CTwoToneDecodePage*, 8> m_pages{};
};

// 2-Tone: encode list and timing, eight decode codes. No OK or Cancel: each page stores when it
// is hidden, closing stores the visible ones. Kept by the main frame, shown modally.
class CTwoToneDlg : public CHelpDialog {
    Q_OBJECT
public:
    explicit CTwoToneDlg(CTwoToneDocFinder findDocument, QWidget* parent = nullptr);

    // OnInitDialog, then the modal run; nothing happens without a document.
    int DoModal();
    // Selects the first tab of both tab controls; false without a document.
    bool OnInitDialog();

    QTabWidget* Tabs() const { return m_pTabs; }
    CTwoToneEncodePage* EncodePage() const { return m_pEncode; }
    CTwoToneDecodeSheet* DecodeSheet() const { return m_pDecode; }
    int HelpContext() const override;

private:
    CTwoToneDocFinder m_findDocument;
    QTabWidget* m_pTabs;
    CTwoToneEncodePage* m_pEncode;
    CTwoToneDecodeSheet* m_pDecode;
};
