#include "ui/channels/DocumentHistory.h"

#include <QUndoStack>

#include "channels/ChannelTable.h"
#include "image/DocumentState.h"
#include "image/ProgramDoc.h"
#include "ui/channels/ProgramView.h"

struct CDocumentSnapshot {
    CDocumentState m_state;
    CChannelTable m_table;
    bool operator==(const CDocumentSnapshot&) const = default;
};

// One recorded change: the states before and after it.
class CDocumentStep : public QUndoCommand {
public:
    CDocumentStep(CDocumentHistory& history, const QString& name,
                  std::shared_ptr<const CDocumentSnapshot> before,
                  std::shared_ptr<const CDocumentSnapshot> after)
        : QUndoCommand(name),
          m_history(history),
          m_before(std::move(before)),
          m_after(std::move(after)) {}

    void undo() override { m_history.Restore(*m_before); }
    void redo() override {
        // The change itself has happened when the step is pushed.
        if (m_bDone) {
            m_history.Restore(*m_after);
        }
        m_bDone = true;
    }

private:
    CDocumentHistory& m_history;
    std::shared_ptr<const CDocumentSnapshot> m_before;
    std::shared_ptr<const CDocumentSnapshot> m_after;
    bool m_bDone = false;
};

CDocumentHistory::CDocumentHistory(CProgramView& view)
    : QObject(&view), m_view(view), m_pStack(new QUndoStack(this)) {
    m_pStack->setUndoLimit(kUndoLimit);
    m_saved = Take();
    connect(m_pStack, &QUndoStack::indexChanged, this, &CDocumentHistory::Changed);
}

CDocumentHistory::~CDocumentHistory() {
    // Emptying the stack on the way out must not reach windows that are going too.
    m_pStack->blockSignals(true);
}

CDocumentHistory& CDocumentHistory::Of(CProgramView& view) {
    if (auto* history = view.findChild<CDocumentHistory*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *history;
    }
    return *new CDocumentHistory(view);
}

std::shared_ptr<const CDocumentSnapshot> CDocumentHistory::Take() const {
    return std::make_shared<const CDocumentSnapshot>(CDocumentSnapshot{
        static_cast<const CDocumentState&>(m_view.GetDocument()), m_view.Table()});
}

void CDocumentHistory::Restore(const CDocumentSnapshot& snapshot) {
    static_cast<CDocumentState&>(m_view.GetDocument()) = snapshot.m_state;
    m_view.SetTable(snapshot.m_table);
}

bool CDocumentHistory::Record(const QString& name, const std::function<void()>& change) {
    if (m_nDepth > 0) {
        change();
        return false;
    }
    auto before = Take();
    ++m_nDepth;
    change();
    --m_nDepth;
    auto after = Take();
    if (*after == *before) {
        return false;
    }
    m_pStack->push(new CDocumentStep(*this, name, std::move(before), std::move(after)));
    return true;
}

bool CDocumentHistory::IsModified() const {
    return !m_saved || !(*Take() == *m_saved);
}

void CDocumentHistory::SetUnsaved() {
    m_saved.reset();
    m_discarded.reset();
    emit Changed();
}

void CDocumentHistory::SetSaved() {
    m_saved = Take();
    m_discarded.reset();
    emit Changed();
}

void CDocumentHistory::SetDiscarded() {
    m_discarded = Take();
}

bool CDocumentHistory::NeedsSaving() const {
    if (!IsModified()) {
        return false;
    }
    return !m_discarded || !(*Take() == *m_discarded);
}
