#pragma once

#include <QString>
#include <functional>

// What the program knows about itself: its title, its file and folder, and
// how it ends.
namespace App {

QString Title(); // "Kelvaro"

// The program file's full path. Tests point it into a temporary folder.
QString ProgramFile();
void SetProgramFile(const QString &path);
// The program's folder, ending in a separator.
QString ProgramDir();

// Ends the program: the event loop stops and the settings are written on the
// way out. Tests replace the action to observe it.
void Terminate();
bool Terminated();
void SetTerminateAction(std::function<void()> action);
void ResetTerminated();

} // namespace App
