#include "shell/messages.h"

#include "shell/app.h"

#include <QApplication>
#include <QMessageBox>
#include <QQueue>

namespace Msg {
namespace {

struct Script {
    bool on = false;
    QQueue<Answer> answers;
    QList<Shown> shown;
};

Script &script() {
    static Script s;
    return s;
}

Answer defaultAnswer(Buttons buttons) {
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Answer Box(const QString &title, const QString &text, Icon icon, Buttons buttons) {
    Script &s = script();
    if (s.on) {
        s.shown.append({title, text, icon, buttons});
        return s.answers.isEmpty() ? defaultAnswer(buttons) : s.answers.dequeue();
    }
    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, QApplication::activeWindow());
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // Escape on a Yes/No box means no.
        return buttons == Buttons::YesNo ? Answer::No : buttons == Buttons::OkCancel ? Answer::Cancel : Answer::Ok;
    }
}

void ShowMessage(const QString &text) {
    Box(App::Title(), text, Icon::None, Buttons::Ok);
}

bool Ask(const QString &text) {
    return Box(QStringLiteral("询问"), text, Icon::Question, Buttons::YesNo) == Answer::Yes;
}

QString ErrorText(const QString &text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ShowError(const QString &text) {
    Box(App::Title(), ErrorText(text), Icon::Error, Buttons::Ok);
}

void SetScripted(bool on) {
    script().on = on;
    script().answers.clear();
    script().shown.clear();
}

bool Scripted() {
    return script().on;
}

void QueueAnswer(Answer answer) {
    script().answers.enqueue(answer);
}

QList<Shown> TakeShown() {
    QList<Shown> out;
    out.swap(script().shown);
    return out;
}

} // namespace Msg
