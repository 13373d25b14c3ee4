#pragma once

#include <QMdiSubWindow>
#include <memory>

class CProgramDoc;
class CProgramView;

// The one document window: it owns its document and shows the channel grid. Closing it only
// hides it; the document lives on until the window is destroyed (File New) or the program ends.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(std::unique_ptr<CProgramDoc> doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CProgramDoc& GetDocument() const { return *m_pDoc; }
    CProgramView* View() const { return m_pView; }
    // The file's name, or "Channel Information" for a document never saved.
    QString DocumentName() const;
    // The title: the document's name with a mark while it has unsaved changes.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CProgramDoc> m_pDoc;
    CProgramView* m_pView;
};
