#include "shell/app.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace App {
namespace {

struct State {
    QString programFile;
    bool terminated = false;
    std::function<void()> terminateAction;
};

State &state() {
    static State s;
    return s;
}

} // namespace

QString Title() {
    return QStringLiteral("Kelvaro");
}

QString ProgramFile() {
    if (!state().programFile.isEmpty())
        return state().programFile;
    return QCoreApplication::applicationFilePath();
}

void SetProgramFile(const QString &path) {
    state().programFile = path;
}

QString ProgramDir() {
    const QString file = ProgramFile();
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : file.left(slash + 1);
}

void Terminate() {
    state().terminated = true;
    if (state().terminateAction)
        state().terminateAction();
    else
        QCoreApplication::exit(0);
}

bool Terminated() {
    return state().terminated;
}

void SetTerminateAction(std::function<void()> action) {
    state().terminateAction = std::move(action);
}

void ResetTerminated() {
    state().terminated = false;
}

} // namespace App
