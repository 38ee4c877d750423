#include "shell/filedialogs.h"

#include <QFileDialog>
#include <QQueue>

namespace FileDialogs {
namespace {

struct Answer {
    QString fileName;
    QString filter;
};

struct State {
    bool scripted = false;
    QQueue<Answer> answers;
};

State &state() {
    static State s;
    return s;
}

QString scripted(const QString &filter, QString *selectedFilter) {
    const Answer a = state().answers.isEmpty() ? Answer{} : state().answers.dequeue();
    if (selectedFilter)
        *selectedFilter = a.filter.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0) : a.filter;
    return a.fileName;
}

} // namespace

QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &filter, QString *selectedFilter,
                        const QString &directory) {
    if (state().scripted)
        return scripted(filter, selectedFilter);
    // The program asks its own question before overwriting where it must.
    return QFileDialog::getSaveFileName(parent, caption, directory, filter, selectedFilter,
                                        QFileDialog::DontConfirmOverwrite);
}

QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &filter, const QString &directory) {
    if (state().scripted)
        return scripted(filter, nullptr);
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

void SetScripted(bool on) {
    state().scripted = on;
    state().answers.clear();
}

void QueueAnswer(const QString &fileName, const QString &filter) {
    state().answers.enqueue({fileName, filter});
}

} // namespace FileDialogs
