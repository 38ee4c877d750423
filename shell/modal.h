#pragma once

#include <functional>

class QDialog;

// The one door for modal dialogs, so tests can work a real dialog without a
// person at the keyboard.
namespace Modal {

// Shows the dialog modally and returns its result code.
int Exec(QDialog &dialog);

// Test seam: while scripted, Exec shows the dialog without a modal loop and
// hands it to the next queued script, which works its controls (a click on
// a button that closes the dialog sets the result). A dialog that is still
// open afterwards is closed with result 0, as is one for which no script
// was queued.
using Script = std::function<void(QDialog &dialog)>;
void SetScripted(bool on);
bool Scripted();
void Queue(Script script);
int Pending();

} // namespace Modal
