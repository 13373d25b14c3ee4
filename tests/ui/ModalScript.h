#pragma once

#include <QApplication>
#include <QList>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
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
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        // Dialogs on the stack may reuse an address: a property marks the ones seen.
        if (dialog == nullptr || !dialog->isVisible() ||
            dialog->property("handledByTest").toBool()) {
            return;
        }
        dialog->setProperty("handledByTest", true);
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
