#pragma once

#include <QDialog>

class QPushButton;

// The support information: who makes the program, its version, where its
// files lie, and the way to the user manual.
class TFormHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget *parent = nullptr);
    static QString ManualPath();
    void OpenManual();

    QPushButton *ManualButton = nullptr;
    QPushButton *CloseButton = nullptr;
};
