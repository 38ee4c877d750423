#pragma once

#include "printing/report/engine.h"

#include <QStringList>

class QWidget;
class TDemoDM;
class TEntryTab;

// Printing the slip on the entry tab: the one-row print buffer app_djbdy is
// filled from the fields, then the template report/st.rmf shows, prints or
// designs it.
class TSlipPrinter {
public:
    TSlipPrinter(TEntryTab &entry, QWidget *owner) : m_entry(entry), m_owner(owner) {}

    // The four checks, then the buffer emptied and written anew.
    void FillBuffer();
    // The template path; "报表模板没有找到！" and a stop when there is none.
    QString TemplatePathOrStop();
    // The buffer row as the template reads it, and its columns.
    Report::Row BufferRow();
    QStringList BufferFields();

    void BitBtn26Click(); // preview
    void BitBtn21Click(); // print
    void BitBtn27Click(); // design

    TReport rmkdst;

private:
    TEntryTab &m_entry;
    QWidget *m_owner;
};
