#include "backup/backupform.h"

#include "data/database.h"
#include "data/demodm.h"
#include "shell/app.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/filedialogs.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QStyle>
#include <QThread>
#include <QTreeView>
#include <QVBoxLayout>
#include <unistd.h>

namespace {

const QString kNotice = QStringLiteral("提示");

void notice(const QString &text, Msg::Icon icon = Msg::Icon::None) {
    Msg::Box(kNotice, text, icon, Msg::Buttons::Ok);
}

// Copies a file whole to a temporary file beside the target, flushed to the
// disk, then renamed over it: a failed copy leaves the old target as it was.
bool copyWhole(const QString &from, const QString &to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFile::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
    }
    if (in.error() != QFile::NoError || !out.flush() || ::fsync(out.handle()) != 0)
        return false;
    return out.commit();
}

bool sameFile(const QString &a, const QString &b) {
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

// A file that holds the program's five tables.
bool isKelvaroDatabase(const QString &path) {
    const QString name = QStringLiteral("restore-check");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        if (db.open()) {
            QStringList present = db.tables();
            for (QString &t : present)
                t = t.toLower();
            ok = true;
            for (const QString &t : Database::RequiredTables())
                ok = ok && present.contains(t);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

class TFormxtbf::Offline {
public:
    explicit Offline(TDemoDM &dm) : m_dm(dm) {
        for (TQuery *q : {&dm.qdjcx, &dm.qkh, &dm.qsp, &dm.qzg})
            if (q->Active())
                m_lists.append(q);
        dm.democnn.SetConnected(false);
        QThread::msleep(80);
    }
    ~Offline() {
        QThread::msleep(80);
        // Opening again must not throw out of a destructor; a failure shows.
        Guarded([this] {
            m_dm.democnn.SetConnected(true);
            for (TQuery *q : std::as_const(m_lists))
                q->Open();
        });
    }

private:
    TDemoDM &m_dm;
    QList<TQuery *> m_lists;
};

TFormxtbf::TFormxtbf(TDemoDM &dm, QWidget *parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Formxtbf"));
    setWindowTitle(QStringLiteral("数据备份与恢复"));
    setFont(Look::Song(12));
    setFixedSize(467, 250);

    auto *bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setGeometry(16, 16, 56, 56);
    auto *icon = new QLabel(bevel);
    icon->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(40, 40));
    icon->setGeometry(8, 8, 40, 40);

    RadioButton1 = new QRadioButton(QStringLiteral("备份到系统默认路径"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->move(90, 40);
    RadioButton2 = new QRadioButton(QStringLiteral("备份到指定路径"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->move(90, 80);
    Label1 = new QLabel(QStringLiteral("路径:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(90, 126);
    Edit1 = new TEdit(QStringLiteral("Edit1"), this);
    Edit1->setGeometry(130, 122, 200, 24);
    Edit1->OnKeyPress = [this](QChar &key) { Edit1KeyPress(key); };
    BitBtn4 = new QPushButton(QStringLiteral("..."), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setGeometry(334, 122, 28, 24);

    const auto button = [this](const char *name, const QString &caption, int y) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(378, y, 75, 27);
        b->setAutoDefault(false);
        return b;
    };
    BitBtn1 = button("BitBtn1", QStringLiteral("备份"), 30);
    BitBtn2 = button("BitBtn2", QStringLiteral("恢复"), 70);
    BitBtn3 = button("BitBtn3", QStringLiteral("关闭"), 110);
    auto *hint = new QLabel(QStringLiteral("恢复时，当前数据库会先另存为一份安全副本。"), this);
    hint->setGeometry(90, 180, 360, 20);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(); }); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn3Click(); }); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn4Click(); }); });
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { Guarded([this] { RadioButton1Click(); }); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { Guarded([this] { RadioButton2Click(); }); });
    const QList<QWidget *> order{BitBtn1, BitBtn2, BitBtn3, RadioButton1, RadioButton2, Edit1, BitBtn4};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    FormShow();
}

QString TFormxtbf::DefaultFolder() {
    return App::ProgramDir() + QStringLiteral("backup");
}

void TFormxtbf::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFormxtbf::FormShow() {
    Edit1->setText(DefaultFolder());
    RadioButton1->setChecked(true);
    Edit1->setEnabled(false);
    BitBtn4->setEnabled(false);
}

void TFormxtbf::RadioButton1Click() {
    Edit1->setText(DefaultFolder());
    Edit1->setEnabled(false);
    BitBtn4->setEnabled(false);
}

void TFormxtbf::RadioButton2Click() {
    Edit1->setEnabled(true);
    BitBtn4->setEnabled(true);
    Edit1->setFocus();
}

void TFormxtbf::Edit1KeyPress(QChar &key) {
    const ushort c = key.unicode();
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letter || (c >= '0' && c <= '9') || c == 8)
        return;
    key = QChar();
    QApplication::beep();
}

void TFormxtbf::BitBtn4Click() {
    Tqdljfm chooser(Edit1, this);
    Modal::Exec(chooser);
}

void TFormxtbf::BitBtn1Click() {
    const QString folder = Edit1->text();
    if (!QFileInfo(folder).isDir())
        QDir().mkdir(folder);
    if (!QFileInfo(folder).isDir()) {
        notice(QStringLiteral("路径不存在，不能备份！"));
        Abort();
    }
    const QString database = Database::PathBesideProgram();
    const QString target = QDir(folder).filePath(Database::FileName());
    // Whatever spelling of the program's folder is given, the database itself is never the target.
    if (sameFile(QDir(folder).absolutePath(), QDir(App::ProgramDir()).absolutePath()) || sameFile(target, database)) {
        notice(QStringLiteral("备份路径不对，不能备份！"));
        Abort();
    }
    bool copied = false;
    {
        const Offline offline(m_dm);
        copied = copyWhole(database, target);
        if (!copied)
            notice(QStringLiteral("数据备份出错，请确定退出了所有应用程序！"), Msg::Icon::Information);
    }
    if (!copied)
        Abort();
    notice(QStringLiteral("数据备份完毕"), Msg::Icon::Information);
    accept();
}

void TFormxtbf::BitBtn2Click() {
    const QString database = Database::PathBesideProgram();
    const QString chosen = FileDialogs::GetOpenFileName(this, QStringLiteral("选择要恢复的备份"),
                                                        QStringLiteral("数据库备份 (*.mdb)"), Edit1->text());
    if (chosen.isEmpty())
        return;
    if (sameFile(chosen, database)) {
        notice(QStringLiteral("所选文件就是当前使用的数据库，不需要恢复。"), Msg::Icon::Warning);
        Abort();
    }
    if (!isKelvaroDatabase(chosen)) {
        notice(QStringLiteral("所选文件不是本系统的数据库，不能恢复！"), Msg::Icon::Warning);
        Abort();
    }
    if (!Msg::Ask(QStringLiteral("恢复将用备份“%1”替换当前的全部数据，当前数据会先另存为安全副本。确定要恢复吗？")
                      .arg(QDir::toNativeSeparators(chosen))))
        return;
    const QString safety = database + Clock::Now().toString(QStringLiteral(".'before-restore'-yyyyMMdd-HHmmss"));
    QString failure;
    {
        const Offline offline(m_dm);
        if (!copyWhole(database, safety)) {
            failure = QStringLiteral("数据恢复出错：无法保存当前数据的安全副本，没有做任何改动。");
        } else if (!copyWhole(chosen, database)) {
            failure = QStringLiteral("数据恢复出错，当前数据没有改动。");
        } else if (!isKelvaroDatabase(database)) {
            copyWhole(safety, database);
            failure = QStringLiteral("数据恢复出错，已放回原来的数据。");
        }
    }
    if (!failure.isEmpty()) {
        notice(failure, Msg::Icon::Warning);
        Abort();
    }
    notice(QStringLiteral("数据恢复完毕。原来的数据已另存为：%1").arg(QDir::toNativeSeparators(safety)),
           Msg::Icon::Information);
    accept();
}

void TFormxtbf::BitBtn3Click() {
    reject();
}

// ---- the folder chooser ----

QStringList Tqdljfm::Drives() {
    QStringList drives{QStringLiteral("/")};
    const QString home = QStorageInfo(QDir::homePath()).rootPath();
    if (!drives.contains(home))
        drives << home;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        const QString root = v.rootPath();
        const bool removable = root.startsWith(QLatin1String("/media/")) ||
                               root.startsWith(QLatin1String("/run/media/")) || root.startsWith(QLatin1String("/mnt/"));
        if (removable && !drives.contains(root))
            drives << root;
    }
    return drives;
}

Tqdljfm::Tqdljfm(TEdit *target, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_target(target) {
    setObjectName(QStringLiteral("qdljfm"));
    setWindowTitle(QStringLiteral("确定路径"));
    setFont(Look::Song(12));
    setFixedSize(338, 215);

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(8, 8, 160, 22);
    DriveComboBox1->addItems(Drives());
    m_dirs = new QFileSystemModel(this);
    m_dirs->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setGeometry(8, 36, 160, 170);
    DirectoryListBox1->setModel(m_dirs);
    DirectoryListBox1->setHeaderHidden(true);
    for (int c = 1; c < 4; ++c)
        DirectoryListBox1->hideColumn(c);
    m_files = new QFileSystemModel(this);
    m_files->setFilter(QDir::Files);
    m_files->setNameFilters({QStringLiteral("*.mdb")});
    m_files->setNameFilterDisables(false);
    FileListBox1 = new QListView(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setGeometry(176, 8, 154, 140);
    FileListBox1->setModel(m_files);
    FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    BitBtn1 = new QPushButton(QStringLiteral("新建文件夹"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(176, 154, 154, 24);
    BitBtn2 = new QPushButton(QStringLiteral("确定&Y"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(176, 182, 154, 24);
    for (QPushButton *b : {BitBtn1, BitBtn2})
        b->setAutoDefault(false);

    connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_changing)
            Guarded([this] { DriveComboBox1Change(); });
    });
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &index) {
                const QString folder = m_dirs->filePath(index);
                FileListBox1->setRootIndex(m_files->setRootPath(folder));
            });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(); }); });

    const QString start = QFileInfo(target->text()).isDir() ? target->text() : QDir::homePath();
    const QString home = QStorageInfo(QDir::homePath()).rootPath();
    m_changing = true;
    DriveComboBox1->setCurrentText(QStorageInfo(start).rootPath());
    if (DriveComboBox1->currentIndex() < 0)
        DriveComboBox1->setCurrentText(home);
    m_changing = false;
    ShowDrive(DriveComboBox1->currentText());
    SetFolder(start);
}

void Tqdljfm::ShowDrive(const QString &root) {
    DirectoryListBox1->setRootIndex(m_dirs->setRootPath(root));
    SetFolder(root);
}

void Tqdljfm::SetFolder(const QString &folder) {
    const QModelIndex index = m_dirs->index(folder);
    if (index.isValid()) {
        DirectoryListBox1->setCurrentIndex(index);
        DirectoryListBox1->scrollTo(index);
    }
    FileListBox1->setRootIndex(m_files->setRootPath(folder));
    QDir::setCurrent(folder);
}

QString Tqdljfm::CurrentFolder() const {
    const QModelIndex index = DirectoryListBox1->currentIndex();
    return index.isValid() ? m_dirs->filePath(index) : DriveComboBox1->currentText();
}

void Tqdljfm::BackHome(const QString &message) {
    Msg::Box(QStringLiteral("Velmor软件提示"), message, Msg::Icon::Error, Msg::Buttons::Ok);
    m_changing = true;
    DriveComboBox1->setCurrentText(QStorageInfo(QDir::homePath()).rootPath());
    m_changing = false;
    ShowDrive(DriveComboBox1->currentText());
}

void Tqdljfm::DriveComboBox1Change() {
    const QString root = DriveComboBox1->currentText();
    const QStorageInfo volume(root);
    if (!volume.isValid() || !volume.isReady()) {
        BackHome(QStringLiteral("驱动器内没有磁盘!"));
        return;
    }
    if (volume.isReadOnly()) {
        BackHome(QStringLiteral("光盘是只读的存储器，不能保存!"));
        return;
    }
    const bool removable = root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")) ||
                           root.startsWith(QLatin1String("/mnt/"));
    if (removable) {
        QDir dir(root);
        const bool existed = dir.exists(QStringLiteral("data"));
        if (!existed && !(dir.mkdir(QStringLiteral("data")) && dir.rmdir(QStringLiteral("data")))) {
            BackHome(QStringLiteral("软盘不可写，请检查软盘是否写保护!"));
            return;
        }
    }
    ShowDrive(root);
}

void Tqdljfm::BitBtn1Click() {
    QInputDialog input(this);
    input.setWindowTitle(QStringLiteral("新建文件夹"));
    input.setLabelText(QStringLiteral("新文件夹名称："));
    input.setTextValue(QString());
    if (Modal::Exec(input) != QDialog::Accepted)
        return;
    const QString name = input.textValue();
    if (name.isEmpty())
        return;
    // A name that cannot be made is passed over without a word.
    QDir(CurrentFolder()).mkdir(name);
}

void Tqdljfm::BitBtn2Click() {
    QString folder = CurrentFolder();
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    m_target->setText(folder);
    accept();
}
