#include "shell/modal.h"

#include <QApplication>
#include <QDialog>
#include <QQueue>

namespace Modal {
namespace {

struct State {
    bool scripted = false;
    QQueue<Script> scripts;
};

State &state() {
    static State s;
    return s;
}

} // namespace

int Exec(QDialog &dialog) {
    State &s = state();
    if (!s.scripted)
        return dialog.exec();
    // As a real modal dialog: it takes the activation, and gives it back to
    // the window that had it when it closes.
    QWidget *previous = QApplication::activeWindow();
    dialog.setResult(0);
    dialog.show();
    dialog.activateWindow();
    QCoreApplication::processEvents();
    // A dialog that closed itself while being shown gets no script.
    if (dialog.isVisible() && !s.scripts.isEmpty()) {
        const Script script = s.scripts.dequeue();
        script(dialog);
    }
    const int result = dialog.result();
    if (dialog.isVisible())
        dialog.hide();
    if (previous && previous != &dialog) {
        previous->activateWindow();
        QCoreApplication::processEvents();
    }
    return result;
}

void SetScripted(bool on) {
    state().scripted = on;
    state().scripts.clear();
}

bool Scripted() {
    return state().scripted;
}

void Queue(Script script) {
    state().scripts.enqueue(std::move(script));
}

int Pending() {
    return static_cast<int>(state().scripts.size());
}

} // namespace Modal
