#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TComboBox;
class TDemoDM;
class TEdit;
class TGlobal;
class TLookupButton;

// The entry tab "单据录入": one sales slip, typed from the keyboard. The
// slip exists only as these fields; saving writes them to app_djb.
class TEntryTab : public QWidget {
    Q_OBJECT
public:
    explicit TEntryTab(TGlobal &settings, QWidget *parent = nullptr);

    void SetDataModule(TDemoDM *dm) { m_dm = dm; }
    TDemoDM &DM() const;

    // The slip fields Edit1 to Edit36.
    TEdit *Edit(int n) const { return m_edits.at(static_cast<size_t>(n)); }
    QString Text(int n) const;
    // Writes a field as the program does: when the text changes, the field's
    // change handler runs at once, inside this call, and may raise.
    void SetText(int n, const QString &text);
    // A field's change: prices and quantities recompute the amounts, the
    // total refreshes its capitals.
    void FieldChanged(int n);

    // The start-up steps of the tab, after the database is open: empty
    // fields, today's date, the biller and salesperson lists, the next
    // number, the default biller.
    void StartUp();
    void ResetEntryForm();
    QString NextSlipNumber();
    static QChar NumericKeyFilter(QChar key);
    void BitBtn13Click(); // the amount recomputation
    void Edit31Change();  // the capitals of the total
    void BitBtn4Click();  // new slip
    void BitBtn5Click();  // save
    // The four checks before a save or a print; a failed one stops.
    void CheckSlip();
    // The customer look-up with the text of Edit1, and the product look-ups
    // of lines 1 to 6; a product that is not found stops the action.
    void BitBtn6Click();
    void BitBtn7Click() { ProductLookup(1); }
    void BitBtn8Click() { ProductLookup(2); }
    void BitBtn9Click() { ProductLookup(3); }
    void BitBtn10Click() { ProductLookup(4); }
    void BitBtn11Click() { ProductLookup(5); }
    void BitBtn12Click() { ProductLookup(6); }
    void ProductLookup(int line);
    // The date picker for the slip date.
    void BitBtn14Click();
    // Enter and the digit filter of a field.
    void EditKeyPress(int n, QChar &key);
    void ComboKeyPress(QComboBox *box, QChar &key);

    // Printing a saved slip when the setting asks for it; set once printing
    // is part of the program.
    std::function<void()> PrintOnSave;

    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QRadioButton *rbb1 = nullptr;
    QRadioButton *rbb2 = nullptr;
    QRadioButton *rbb3 = nullptr;
    QRadioButton *rbb4 = nullptr;
    TComboBox *ComboBox1 = nullptr;
    TComboBox *ComboBox2 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn5 = nullptr;
    QPushButton *BitBtn4 = nullptr;
    QPushButton *BitBtn27 = nullptr;
    TLookupButton *BitBtn6 = nullptr;
    std::array<TLookupButton *, 6> ProductButtons{}; // BitBtn7 to BitBtn12
    TLookupButton *BitBtn14 = nullptr;
    QLabel *Hint = nullptr;

    // Where the right-hand button column stands (the exit button joins it).
    static QRect ButtonSlot(int index);

private:
    void BuildControls();
    TEdit *MakeEdit(int n, QWidget *parent, const QRect &geometry);
    QWidget *EnterTarget(int n) const;
    void MoveFocus(QWidget *target);
    void FillEmployeeList(TComboBox *box, const QString &type);
    // The reset's two halves: empty fields and today's date; the number and the biller.
    void EmptySlip();
    void NumberAndBiller();
    double ZeroFilledNumber(int n);

    TGlobal &m_settings;
    TDemoDM *m_dm = nullptr;
    std::array<TEdit *, 37> m_edits{};
};
