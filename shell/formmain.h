#pragma once

#include <QWidget>
#include <memory>

class QCheckBox;
class QPushButton;
class QTabWidget;
class TDemoDM;
class TEntryTab;
class TQueryTab;
class TMasterTab;
class TFormdl;
class TFormmmxg;
class TGlobal;
class TSlipPrinter;

// The main window: four tabs where all daily work happens.
class TFormmain : public QWidget {
    Q_OBJECT
public:
    explicit TFormmain(TGlobal &settings, QWidget *parent = nullptr);
    ~TFormmain() override;

    void SetDataModule(TDemoDM *dm);
    // The login and password dialogs live as long as the program.
    void SetDialogs(TFormdl *login, TFormmmxg *password);
    TFormmmxg *PasswordDialog() const { return m_password; }
    TDemoDM &DM() const;
    TGlobal &Settings() const { return m_settings; }

    // Handlers. Each may raise; the connections from user actions run them
    // through the event boundary.
    void FormCreate();
    void FormShow();
    void pg1Change();
    void cbdyClick();
    void BitBtn2Click();
    // Printing: preview, print, and the designer from either tab.
    void BitBtn26Click();
    void BitBtn21Click();
    void BitBtn27Click();
    void SpeedButton35Click();
    void SpeedButton27Click(); // support information
    void SpeedButton36Click(); // backup
    TSlipPrinter &Printer() const { return *m_printer; }

    // Makes a tab active as the program does: no change event.
    void SetActivePage(QWidget *page);
    // Sets the check box as the program does: its click handler runs when
    // the state changes.
    void SetCbdyChecked(bool checked);

    QTabWidget *pg1 = nullptr;
    TEntryTab *TabSheet1 = nullptr;
    TQueryTab *TabSheet2 = nullptr;
    TMasterTab *TabSheet3 = nullptr;
    QWidget *TabSheet4 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QCheckBox *cbdy = nullptr;
    QPushButton *SpeedButton35 = nullptr;
    QPushButton *SpeedButton27 = nullptr;
    QPushButton *SpeedButton36 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildWindow();

    TGlobal &m_settings;
    TDemoDM *m_dm = nullptr;
    TFormdl *m_login = nullptr;
    TFormmmxg *m_password = nullptr;
    bool m_shown = false;
    std::unique_ptr<TSlipPrinter> m_printer;
};
