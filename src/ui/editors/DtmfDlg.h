#pragma once

#include <functional>

#include <QWidget>

#include "ui/app/HelpDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class CListGrid;
class CProgramDoc;

using CDtmfDocumentFinder = std::function<CProgramDoc*()>;

// A page of the DTMF dialog: it loads its fields from the image each time it is shown and
// stores them each time it is hidden (a tab switch, or the dialog closing).
class CDtmfPage : public QWidget {
    Q_OBJECT
public:
    CDtmfPage(CDtmfDocumentFinder findDocument, QWidget* parent);
    void LoadFromDocument();
    void StoreToDocument();

protected:
    virtual void Load(const CProgramDoc& doc) = 0;
    virtual void Store(CProgramDoc& doc) = 0;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CDtmfDocumentFinder m_findDocument;
};

class CDtmfEncodePage : public CDtmfPage {
    Q_OBJECT
public:
    CDtmfEncodePage(CDtmfDocumentFinder findDocument, QWidget* parent);
    // The edits in field order: speed, first digit delay, first digit time, "*" and "#" time.
    QLineEdit* Edit(int index) const { return m_pEdits[index]; }
    // Runs an arrow of edit `index`: +1 up, -1 down.
    void OnArrow(int index, int delta);

protected:
    void Load(const CProgramDoc& doc) override;
    void Store(CProgramDoc& doc) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Normalise(int index);

    QLineEdit* m_pEdits[4];
    QCheckBox* m_pSideTone;
};

class CDtmfDecodePage : public CDtmfPage {
    Q_OBJECT
public:
    CDtmfDecodePage(CDtmfDocumentFinder findDocument, QWidget* parent);
    QComboBox* GroupList() const { return m_pGroupList; }
    QComboBox* StunTypeList() const { return m_pStunTypeList; }

protected:
    void Load(const CProgramDoc& doc) override;
    void Store(CProgramDoc& doc) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The list takes the edit's place and the focus; closing it puts its entry into the edit.
    void OpenList(QLineEdit* edit, QComboBox* list);
    void CloseList(QLineEdit* edit, QComboBox* list);
    void EnableStun();

    QLineEdit* m_pIdCode;
    QLineEdit* m_pGroupCode;
    QLineEdit* m_pStunCode;
    QLineEdit* m_pStunType;
    QLabel* m_pStunCodeLabel;
    QLabel* m_pStunTypeLabel;
    QCheckBox* m_pStun;
    QComboBox* m_pGroupList;
    QComboBox* m_pStunTypeList;
};

class CDtmfCallListPage : public CDtmfPage {
    Q_OBJECT
public:
    CDtmfCallListPage(CDtmfDocumentFinder findDocument, QWidget* parent);
    CListGrid* Grid() const { return m_pGrid; }

protected:
    void Load(const CProgramDoc& doc) override;
    void Store(CProgramDoc& doc) override;

private:
    CListGrid* m_pGrid;
};

// DTMF: the Encode, Decode and CallList pages on a tab control. No OK or Cancel: each page is
// stored when it is hidden. The main frame keeps one; the pages are made anew at each opening.
class CDtmfDlg : public CHelpDialog {
    Q_OBJECT
public:
    CDtmfDlg(CDtmfDocumentFinder findDocument, QWidget* parent = nullptr);

    // OnInitDialog, then the modal run; nothing happens without a document.
    int DoModal();
    bool OnInitDialog();

    // Controls by their id, on every page: 1036 tabs, 1084..1088 encode, 1080..1083, 1103,
    // 1124 and 1136 decode, 1022 the call list grid, 1123 its editor.
    QWidget* Control(int id) const;
    QTabWidget* Tabs() const { return m_pTabs; }
    CDtmfEncodePage* EncodePage() const { return m_pEncode; }
    CDtmfDecodePage* DecodePage() const { return m_pDecode; }
    CDtmfCallListPage* CallListPage() const { return m_pCallList; }
    int HelpContext() const override;

private:
    CDtmfDocumentFinder m_findDocument;
    QTabWidget* m_pTabs;
    CDtmfEncodePage* m_pEncode = nullptr;
    CDtmfDecodePage* m_pDecode = nullptr;
    CDtmfCallListPage* m_pCallList = nullptr;
};
