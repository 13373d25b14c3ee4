#pragma once

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <vector>

#include "util/Prompt.h"

// Answers message boxes from a script (Ok when it runs out) and remembers what was asked.
class CScriptedPrompter : public CPrompter {
public:
    EPromptAnswer Ask(const CPrompt& prompt) override {
        m_asked.append(prompt);
        return m_answers.isEmpty() ? EPromptAnswer::Ok : m_answers.takeFirst();
    }
    // The string-table ids of the messages asked, 0 for texts built in code.
    QList<int> Ids() const {
        QList<int> ids;
        for (const CPrompt& prompt : m_asked) {
            ids << prompt.m_stringId;
        }
        return ids;
    }
    QList<CPrompt> m_asked;
    QList<EPromptAnswer> m_answers;
};

// Runs `open` and answers the modal dialogs it brings up, one handler per dialog in the order
// they appear; each handler gets the dialog once it is shown and active. A dialog still open
// after its handler is rejected, and so is one beyond the handlers (`unexpected` counts them).
// Gives the number of handlers run.
inline int OnModals(const std::function<void()>& open,
                    const std::vector<std::function<void(QWidget*)>>& handlers,
                    int* unexpected = nullptr) {
    std::size_t next = 0;
    QList<QPointer<QWidget>> handled;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        // A dialog made anew may take a destroyed one's address; its guard is null by then.
        const bool seen = std::any_of(handled.begin(), handled.end(),
                                      [dialog](const QPointer<QWidget>& p) { return p == dialog; });
        if (dialog == nullptr || !dialog->isVisible() || seen) {
            return;
        }
        handled.append(dialog);
        if (next < handlers.size()) {
            // Focus events, which open lists and commit cells, need an active window.
            QApplication::setActiveWindow(dialog);
            if (QTest::qWaitForWindowActive(dialog)) {
                handlers[next](dialog);
            }
            ++next;
        } else if (unexpected != nullptr) {
            ++*unexpected;
        }
        if (dialog->isVisible()) {
            QMetaObject::invokeMethod(dialog, "reject");
        }
    });
    timer.start();
    open();
    timer.stop();
    return static_cast<int>(next);
}

// Runs `body` on the modal TDialog that `open` brings up; false when none came up.
template <typename TDialog>
bool OnModal(const std::function<void()>& open, const std::function<void(TDialog*)>& body) {
    bool seen = false;
    OnModals(open, {[&](QWidget* dialog) {
                 if (auto* typed = qobject_cast<TDialog*>(dialog)) {
                     seen = true;
                     body(typed);
                 }
             }});
    return seen;
}
