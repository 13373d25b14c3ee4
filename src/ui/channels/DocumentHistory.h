#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class CProgramView;
class QUndoStack;
struct CDocumentSnapshot;

// One document's undo history and modified state. Every change to the document (a cell, a
// dialog, a paste, a row operation, an import, a read) is recorded as one step holding the
// state before and after: the image, the new-document flag, the bands and the grid's texts.
// Undo and redo put those back exactly. The document is modified when its state differs from
// the one it was opened or last saved with. One per view, a child of it.
class CDocumentHistory : public QObject {
    Q_OBJECT
public:
    explicit CDocumentHistory(CProgramView& view);
    ~CDocumentHistory() override;

    // The view's history, made on first use.
    static CDocumentHistory& Of(CProgramView& view);

    QUndoStack& Stack() const { return *m_pStack; }

    // Runs `change` and records what it changed as one step named `name` (the Edit menu shows
    // "Undo <name>"); records nothing when nothing changed. True when a step was recorded.
    bool Record(const QString& name, const std::function<void()>& change);

    // The state now differs from the one opened or last saved.
    bool IsModified() const;
    // The state now is the one in the file (after an open or a save).
    void SetSaved();
    // No state is the one in the file (a document recovered after a crash): every state is
    // modified until the next save.
    void SetUnsaved();
    // The user chose to drop the changes made so far: they are not asked about again, while
    // the document still shows them as unsaved. A later change is asked about.
    void SetDiscarded();
    // Unsaved changes the user has not dropped.
    bool NeedsSaving() const;

    // Largest number of steps kept.
    static constexpr int kUndoLimit = 200;

signals:
    // The modified state may have changed (after a step, an undo, a redo, an open or a save).
    void Changed();

private:
    friend class CDocumentStep;
    std::shared_ptr<const CDocumentSnapshot> Take() const;
    void Restore(const CDocumentSnapshot& snapshot);

    CProgramView& m_view;
    QUndoStack* m_pStack;
    std::shared_ptr<const CDocumentSnapshot> m_saved;
    std::shared_ptr<const CDocumentSnapshot> m_discarded;
    // A change made inside a recorded one (a cell committed by a dialog) is part of it.
    int m_nDepth = 0;
};
