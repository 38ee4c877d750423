#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

// Controls whose key presses go to a handler first, as the forms expect.
// A handler receives the character typed (Enter is 13, backspace 8) and may
// set it to null to drop the key. It runs through the event boundary: a stop
// or an error drops the key as well.
using KeyPressHandler = std::function<void(QChar &key)>;

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    TEdit(const QString &name, QWidget *parent);

    KeyPressHandler OnKeyPress;
    std::function<void()> OnEnter; // focus gained
    std::function<void()> OnExit;  // focus lost

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

class TComboBox : public QComboBox {
    Q_OBJECT
public:
    TComboBox(const QString &name, QWidget *parent);

    KeyPressHandler OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// The small ">>>" button at the right end of a field: visible only while
// the field (or the button itself) has the focus.
class TLookupButton : public QPushButton {
    Q_OBJECT
public:
    TLookupButton(const QString &name, TEdit *field);
    TEdit *Field() const { return m_field; }
    // Places the button over the right end of its field.
    void Place();

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    TEdit *m_field;
};

// Shows the button while its field (or the button) has the focus.
void AttachLookupButton(TLookupButton *button);

// Runs a key through a handler; returns the character to use (null: dropped).
QChar RunKeyPress(const KeyPressHandler &handler, QKeyEvent *event);
// Runs a key through a handler, then hands what is left of it to the control.
void DeliverKeyPress(const KeyPressHandler &handler, QKeyEvent *event, const std::function<void(QKeyEvent *)> &control);
