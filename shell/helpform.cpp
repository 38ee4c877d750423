#include "shell/helpform.h"

#include "backup/backupform.h"
#include "data/database.h"
#include "printing/report/template.h"
#include "shell/app.h"
#include "shell/errors.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/settings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TFormHelp::TFormHelp(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormHelp"));
    setWindowTitle(QStringLiteral("在线帮助"));
    setFont(Look::Song(12));
    auto *title = new QLabel(QStringLiteral("Kelvaro 销售单据管理  版本 %1").arg(QStringLiteral(KELVARO_VERSION)));
    title->setFont(Look::Song(18, true));
    auto *maker = new QLabel(QStringLiteral("Velmor软件  ·  为小商店开单、打印、查询而做"));
    auto *files = new QGridLayout;
    const auto row = [files](int r, const QString &what, const QString &where) {
        files->addWidget(new QLabel(what), r, 0);
        auto *path = new QLabel(QDir::toNativeSeparators(where));
        path->setTextInteractionFlags(Qt::TextSelectableByMouse);
        files->addWidget(path, r, 1);
    };
    row(0, QStringLiteral("数据库："), Database::PathBesideProgram());
    row(1, QStringLiteral("设置文件："), TGlobal::PathForProgram(App::ProgramFile()));
    row(2, QStringLiteral("单据模板："), Report::PathBesideProgram());
    row(3, QStringLiteral("默认备份文件夹："), TFormxtbf::DefaultFolder());
    ManualButton = new QPushButton(QStringLiteral("打开使用说明书"));
    ManualButton->setObjectName(QStringLiteral("ManualButton"));
    CloseButton = new QPushButton(QStringLiteral("关闭"));
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    connect(ManualButton, &QPushButton::clicked, this, [this] { Guarded([this] { OpenManual(); }); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ManualButton);
    buttons->addWidget(CloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(maker);
    layout->addSpacing(10);
    layout->addLayout(files);
    layout->addSpacing(10);
    layout->addLayout(buttons);
}

QString TFormHelp::ManualPath() {
    return App::ProgramDir() + QStringLiteral("manual/index.html");
}

void TFormHelp::OpenManual() {
    if (!QFileInfo::exists(ManualPath()))
        throw Exception(QStringLiteral("使用说明书没有找到：%1").arg(QDir::toNativeSeparators(ManualPath())));
    QDesktopServices::openUrl(QUrl::fromLocalFile(ManualPath()));
}
