#include "shell/formmain.h"

#include "backup/backupform.h"
#include "data/database.h"
#include "data/demodm.h"
#include "entry/entrytab.h"
#include "masterdata/mastertab.h"
#include "printing/slipprinter.h"
#include "query/querytab.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/formdl.h"
#include "shell/guard.h"
#include "shell/helpform.h"
#include "shell/look.h"
#include "shell/modal.h"
#include "shell/settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

TFormmain::TFormmain(TGlobal &settings, QWidget *parent) : QWidget(parent), m_settings(settings) {
    setObjectName(QStringLiteral("Formmain"));
    BuildWindow();
    FormCreate();
}

void TFormmain::SetDataModule(TDemoDM *dm) {
    m_dm = dm;
    TabSheet1->SetDataModule(dm);
    TabSheet2->SetDataModule(dm);
    TabSheet3->SetDataModule(dm);
}

void TFormmain::SetDialogs(TFormdl *login, TFormmmxg *password) {
    m_login = login;
    m_password = password;
    TabSheet3->SetPasswordDialog(password);
}

TFormmain::~TFormmain() = default;

TDemoDM &TFormmain::DM() const {
    if (!m_dm)
        throw Exception(QStringLiteral("The data module is not ready"));
    return *m_dm;
}

void TFormmain::BuildWindow() {
    setWindowTitle(QStringLiteral("Kelvaro 销售单据管理"));
    setFont(Look::Song(14));
    resize(867, 636);

    pg1 = new QTabWidget(this);
    pg1->setObjectName(QStringLiteral("pg1"));
    pg1->setFont(Look::Song(12));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pg1);

    const auto addPage = [this](const char *name, const QString &caption) {
        auto *page = new QWidget;
        page->setObjectName(QLatin1String(name));
        pg1->addTab(page, caption);
        return page;
    };
    TabSheet1 = new TEntryTab(m_settings);
    pg1->addTab(TabSheet1, QStringLiteral("单据录入"));
    TabSheet2 = new TQueryTab(*TabSheet1);
    pg1->addTab(TabSheet2, QStringLiteral("单据查询"));
    TabSheet2->ShowEntryTab = [this] { SetActivePage(TabSheet1); };
    TabSheet3 = new TMasterTab;
    pg1->addTab(TabSheet3, QStringLiteral("基础数据管理"));
    TabSheet4 = addPage("TabSheet4", QStringLiteral("在线帮助"));

    BitBtn2 = new QPushButton(QStringLiteral("退出"), TabSheet1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(TEntryTab::ButtonSlot(4));
    BitBtn2->setAutoDefault(false);
    setTabOrder(TabSheet1->BitBtn5, BitBtn2);
    setTabOrder(BitBtn2, TabSheet1->BitBtn27);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(); }); });

    cbdy = new QCheckBox(QStringLiteral("在单据录入时点保存按钮直接打印单据"), TabSheet3);
    cbdy->setObjectName(QStringLiteral("cbdy"));
    cbdy->setFont(Look::Song(12));
    cbdy->setGeometry(473, 428, 232, 17);
    QPalette blue = cbdy->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    cbdy->setPalette(blue);
    // Only the user's clicks arrive here; the program calls cbdyClick itself.
    connect(cbdy, &QCheckBox::clicked, this, [this] { Guarded([this] { cbdyClick(); }); });

    pg1->setCurrentWidget(TabSheet1);
    m_printer = std::make_unique<TSlipPrinter>(*TabSheet1, this);
    connect(TabSheet1->BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn26Click(); }); });
    connect(TabSheet1->BitBtn27, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn27Click(); }); });
    TabSheet1->PrintOnSave = [this] { BitBtn21Click(); };

    // The fourth tab: help, the template, the backup, each with a word on what it does.
    const auto speedButton = [this](const char *name, const QString &caption, const QString &words, int row,
                                    void (TFormmain::*handler)()) {
        auto *b = new QPushButton(caption, TabSheet4);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(40, 40 + row * 60, 160, 36);
        b->setFont(Look::Song(14, true));
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
        auto *l = new QLabel(words, TabSheet4);
        l->setGeometry(220, 40 + row * 60, 560, 36);
        connect(b, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        return b;
    };
    SpeedButton27 =
        speedButton("SpeedButton27", QStringLiteral("在线帮助"), QStringLiteral("版本、联系方式、文件位置和使用说明书"),
                    0, &TFormmain::SpeedButton27Click);
    SpeedButton35 =
        speedButton("SpeedButton35", QStringLiteral("修改单据模版"),
                    QStringLiteral("把单据的各项内容对准预先印好的纸张格子"), 1, &TFormmain::SpeedButton35Click);
    SpeedButton36 =
        speedButton("SpeedButton36", QStringLiteral("数据备份"),
                    QStringLiteral("把数据库复制到备份文件夹，或从备份恢复"), 2, &TFormmain::SpeedButton36Click);

    // The first field in the Tab order starts with the focus, as in any form.
    TabSheet1->Edit(1)->setFocus();
    connect(pg1, &QTabWidget::currentChanged, this, [this] { Guarded([this] { pg1Change(); }); });
}

void TFormmain::FormCreate() {
    // The date and time text forms are the program's own helpers
    // (DateText), so no system setting needs changing here; the look was set
    // for the whole application before any window existed.
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TFormmain::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Runs inside the event loop, once, so that ending the program from it
    // ends the loop.
    QTimer::singleShot(0, this, [this] { Guarded([this] { FormShow(); }); });
}

void TFormmain::FormShow() {
    // The login closes of its own accord only after a successful login; any
    // other way out ends the program, and nothing below may run then.
    if (m_login)
        Modal::Exec(*m_login);
    if (App::Terminated())
        Abort();
    // Back to the main window for the keyboard, whatever the window manager does.
    activateWindow();
    Database::Open(DM());
    SetActivePage(TabSheet1);
    TabSheet1->StartUp();
}

void TFormmain::SetActivePage(QWidget *page) {
    const QSignalBlocker block(pg1);
    pg1->setCurrentWidget(page);
}

void TFormmain::pg1Change() {
    QWidget *page = pg1->currentWidget();
    if (page == TabSheet2)
        TabSheet2->Enter();
    if (page == TabSheet3) {
        TabSheet3->Enter();
        SetCbdyChecked(m_settings.strdyf == QLatin1String("Y"));
    }
}

void TFormmain::SetCbdyChecked(bool checked) {
    if (cbdy->isChecked() == checked)
        return;
    cbdy->setChecked(checked);
    cbdyClick();
}

void TFormmain::cbdyClick() {
    m_settings.strdyf = cbdy->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
    m_settings.Write();
}

void TFormmain::BitBtn2Click() {
    close();
}

void TFormmain::BitBtn26Click() {
    m_printer->BitBtn26Click();
}

void TFormmain::BitBtn21Click() {
    m_printer->BitBtn21Click();
}

void TFormmain::BitBtn27Click() {
    m_printer->BitBtn27Click();
}

void TFormmain::SpeedButton35Click() {
    m_printer->BitBtn27Click();
}

void TFormmain::SpeedButton27Click() {
    TFormHelp help(this);
    Modal::Exec(help);
}

void TFormmain::SpeedButton36Click() {
    TFormxtbf backup(DM(), this);
    Modal::Exec(backup);
}
