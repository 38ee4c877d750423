#include "shell/controls.h"

#include "shell/guard.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

QChar characterOf(const QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Backspace:
        return QChar(8);
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 ? text[0] : QChar();
}

} // namespace

QChar RunKeyPress(const KeyPressHandler &handler, QKeyEvent *event) {
    QChar key = characterOf(event);
    if (!handler || key.isNull())
        return key;
    bool completed = false;
    Guarded([&] {
        handler(key);
        completed = true;
    });
    return completed ? key : QChar();
}

void DeliverKeyPress(const KeyPressHandler &handler, QKeyEvent *event,
                     const std::function<void(QKeyEvent *)> &control) {
    const QChar original = characterOf(event);
    const QChar key = RunKeyPress(handler, event);
    // Enter has done its work in the handler; the control has no use for it.
    if (handler && original == QChar(13)) {
        event->accept();
    } else if (original.isNull() || key == original) {
        control(event);
    } else if (key.isNull()) {
        event->accept();
    } else {
        QKeyEvent replaced(event->type(), 0, event->modifiers(), QString(key));
        control(&replaced);
    }
}

TEdit::TEdit(const QString &name, QWidget *parent) : QLineEdit(parent) {
    setObjectName(name);
}

void TEdit::keyPressEvent(QKeyEvent *event) {
    DeliverKeyPress(OnKeyPress, event, [this](QKeyEvent *e) { QLineEdit::keyPressEvent(e); });
}

void TEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    if (OnEnter)
        Guarded(OnEnter);
}

void TEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (OnExit)
        Guarded(OnExit);
}

TComboBox::TComboBox(const QString &name, QWidget *parent) : QComboBox(parent) {
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void TComboBox::keyPressEvent(QKeyEvent *event) {
    DeliverKeyPress(OnKeyPress, event, [this](QKeyEvent *e) { QComboBox::keyPressEvent(e); });
}

TLookupButton::TLookupButton(const QString &name, TEdit *field)
    : QPushButton(QStringLiteral(">>>"), field->parentWidget()), m_field(field) {
    setObjectName(name);
    setFocusPolicy(Qt::ClickFocus); // reached by the mouse, not by Tab
    setAutoDefault(false);
    hide();
}

void TLookupButton::Place() {
    const QRect f = m_field->geometry();
    const int w = 28;
    setGeometry(f.right() - w + 1, f.top(), w, f.height());
    raise();
}

void TLookupButton::focusOutEvent(QFocusEvent *event) {
    QPushButton::focusOutEvent(event);
    hide();
}

void AttachLookupButton(TLookupButton *button) {
    TEdit *field = button->Field();
    field->OnEnter = [button] {
        button->Place();
        button->show();
    };
    field->OnExit = [button] {
        if (QApplication::focusWidget() != button)
            button->hide();
    };
}
