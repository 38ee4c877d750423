#include "shell/modal.h"

#include <QCoreApplication>
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
    dialog.setResult(0);
    dialog.show();
    QCoreApplication::processEvents();
    // A dialog that closed itself while being shown gets no script.
    if (dialog.isVisible() && !s.scripts.isEmpty()) {
        const Script script = s.scripts.dequeue();
        script(dialog);
    }
    const int result = dialog.result();
    if (dialog.isVisible())
        dialog.hide();
    return result;
}

void SetScripted(bool on) {
    state().scripted = on;
    state().scripts.clear();
}

bool Scripted() { return state().scripted; }

void Queue(Script script) { state().scripts.enqueue(std::move(script)); }

int Pending() { return static_cast<int>(state().scripts.size()); }

} // namespace Modal
