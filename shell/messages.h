#pragma once

#include <QList>
#include <QString>

class QWidget;

// The one door for message boxes. Handlers never call QMessageBox directly,
// so tests can answer the boxes and read what was shown.
namespace Msg {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Plain box: title Kelvaro, the text, OK, no icon.
void ShowMessage(const QString &text);
// Question box: title "询问", question icon, Yes and No. True for Yes.
bool Ask(const QString &text);
// General error box: title Kelvaro, error icon, OK; a "." is added when the
// text's last character sorts after ".".
void ShowError(const QString &text);
QString ErrorText(const QString &text);
// Any other box (the backup dialog's "提示" notices, for example).
Answer Box(const QString &title, const QString &text, Icon icon, Buttons buttons);

// Test seam: while scripted, no box is shown; each box is recorded and takes
// the next queued answer (Ok for OK boxes, Yes for Yes/No, Ok for OK/Cancel
// when the queue is empty).
struct Shown {
    QString title;
    QString text;
    Icon icon;
    Buttons buttons;
};
void SetScripted(bool on);
bool Scripted();
void QueueAnswer(Answer answer);
QList<Shown> TakeShown();

} // namespace Msg
