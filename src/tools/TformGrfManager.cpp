#include "TformGrfManager.h"

#include "GrfFiles.h"
#include "base/FormParts.h"
#include "base/Look.h"
#include "base/ProgramSettings.h"
#include "game/GameFolder.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"
#include "platform/Screen.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A long run of missing files is shown by its start: a box taller than the
// screen could not be answered.
constexpr int kMissingShown = 20;

QString missingText(const QStringList &missing)
{
    QString text;
    for (qsizetype i = 0; i < missing.size() && i < kMissingShown; ++i)
        text += missing[i] + QLatin1Char('\n');
    if (missing.size() > kMissingShown)
        text += QStringLiteral("... and %1 more\n").arg(missing.size() - kMissingShown);
    return text;
}

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

TformGrfManager::TformGrfManager(ProgramFiles files, Platform platform, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_files(std::move(files)),
      m_platform(platform)
{
    setObjectName(QStringLiteral("formGrfManager"));
    setWindowTitle(QStringLiteral("NewGrf Manager"));
    setFont(windowFont());
    setMinimumSize(295, 480);
    resize(300, 600);
    dlgLoadGrf.filter = QStringLiteral("Zorvantia Graphic Files (*.grf)|*.grf");
    dlgLoadGrf.defaultExtension = QStringLiteral("grf");
    dlgLoadGrf.mustExist = true;
    createControls();
    connectControls();
}

void TformGrfManager::createControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    listGrfFiles = new QListWidget(this);
    listGrfFiles->setObjectName(QStringLiteral("listGrfFiles"));
    listGrfFiles->setToolTip(QStringLiteral("Your GRF files in 'newgrf' directory"));
    listGrfFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    listGrfFiles->setUniformItemSizes(true);
    layout->addWidget(listGrfFiles, 1);

    auto *buttons = new QHBoxLayout;
    QFont bold = font();
    bold.setBold(true);
    auto button = [&](const char *name, const QString &caption) {
        QPushButton *b = namedButton(this, name, caption);
        b->setFont(bold);
        b->setFixedSize(65, 25);
        buttons->addWidget(b);
        return b;
    };
    butnSave = button("butnSave", QStringLiteral("&Save"));
    butnInstallGrf = button("butnInstallGrf", QStringLiteral("&Install"));
    butnDelete = button("butnDelete", QStringLiteral("&Delete"));
    butnQuit = button("butnQuit", QStringLiteral("&Quit"));
    butnDelete->setEnabled(false);
    layout->addLayout(buttons);
}

void TformGrfManager::connectControls()
{
    const std::pair<QPushButton *, void (TformGrfManager::*)()> clicks[] = {
        {butnSave, &TformGrfManager::butnSaveClick},
        {butnInstallGrf, &TformGrfManager::butnInstallGrfClick},
        {butnDelete, &TformGrfManager::butnDeleteClick},
        {butnQuit, &TformGrfManager::butnQuitClick},
    };
    for (const auto &[button, handler] : clicks)
        connectReported(this, m_platform.messages, button, &QPushButton::clicked, handler);
    connect(listGrfFiles, &QListWidget::itemSelectionChanged, this, &TformGrfManager::listGrfFilesClick);
}

std::optional<QString> TformGrfManager::grfFolder(const QString &gameDirectory)
{
    return CaseBlindFiles(gameDirectory).folder(QStringLiteral("newgrf"));
}

QString TformGrfManager::gameDirectory() const
{
    return ProgramSettings(m_files.settingsIni()).gameDirectory();
}

QString TformGrfManager::folderPath() const
{
    const QString directory = gameDirectory();
    return grfFolder(directory).value_or(GameFolder(directory).file(QStringLiteral("newgrf")));
}

void TformGrfManager::makeCheckable(QListWidgetItem *item)
{
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

void TformGrfManager::Initialize()
{
    resize(width(), m_platform.screen.size().height() < 600 ? 480 : 600);
    listGrfFiles->clear();
    butnDelete->setEnabled(false);
    // One insertion for the whole folder: one at a time, every row would
    // make the view lay out again.
    listGrfFiles->addItems(GrfFiles::grfNames(folderPath()));
    for (int row = 0; row < listGrfFiles->count(); ++row)
        makeCheckable(listGrfFiles->item(row));
    checkNamedEntries();
}

void TformGrfManager::checkNamedEntries()
{
    const QString directory = gameDirectory();
    const GameFolder game(directory);
    std::optional<QString> listFile = game.find(QStringLiteral("newgrfw.txt"));
    if (!listFile)
        listFile = game.find(QStringLiteral("newgrf.txt"));
    if (!listFile) {
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral(
                "Sorry. This file 'newgrf.txt' or 'newgrfw.txt' was not found in your ZVT directory"),
            MsgButtons::Ok);
        return;
    }
    const std::optional<QStringList> lines = GrfFiles::readList(*listFile);
    if (!lines) {
        m_platform.messages.show(MsgType::Error, QStringLiteral("Unable to read %1").arg(*listFile),
                                 MsgButtons::Ok);
        return;
    }
    const GrfFiles::ListMatch match = GrfFiles::matchList(*lines, directory);
    QHash<QString, QListWidgetItem *> entries;
    entries.reserve(listGrfFiles->count());
    for (int row = 0; row < listGrfFiles->count(); ++row)
        entries.insert(listGrfFiles->item(row)->text(), listGrfFiles->item(row));
    for (const QString &name : match.named) {
        if (QListWidgetItem *entry = entries.value(name))
            entry->setCheckState(Qt::Checked);
    }
    if (!match.missing.isEmpty())
        m_platform.messages.show(MsgType::Warning,
                                 QStringLiteral("Files:\n") + missingText(match.missing) +
                                     QStringLiteral("were not found."),
                                 MsgButtons::Ok);
}

void TformGrfManager::butnInstallGrfClick()
{
    const std::optional<QString> chosen = m_platform.fileDialogs.open(dlgLoadGrf);
    if (!chosen)
        return;
    dlgLoadGrf.fileName = *chosen;
    if (!QFileInfo(*chosen).isFile())
        return;
    const QString name = QFileInfo(*chosen).fileName();
    if (!CaseBlindFiles(folderPath()).file(name)) {
        InstallGrf(0, name);
        return;
    }
    switch (m_platform.messages.show(MsgType::Warning,
                                     QStringLiteral("File with this name already exists. To rename new one "
                                                    "press 'No', to replace press 'Yes'"),
                                     MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
        InstallGrf(0, name);
        break;
    case MsgAnswer::No:
        InstallGrf(1, name);
        break;
    case MsgAnswer::Cancel:
        InstallGrf(2, name);
        break;
    default:
        break;
    }
}

void TformGrfManager::InstallGrf(int mode, const QString &name)
{
    const QString folder = folderPath();
    const QString source = dlgLoadGrf.fileName;
    QString installed = name;
    bool copied = false;
    bool ontoItself = false;
    QString refusal; // why the copy failed
    if (mode == 0) {
        // A file of that name in another letter case is the one replaced.
        const QString target = CaseBlindFiles(folder).file(name).value_or(folder + QLatin1Char('/') + name);
        installed = QFileInfo(target).fileName();
        ontoItself = sameFile(source, target);
        if (!ontoItself)
            refusal = GrfFiles::copyWhole(source, target, true);
        copied = refusal.isEmpty();
    } else if (mode == 1) {
        if (const std::optional<QString> typed =
                m_platform.input.ask(QStringLiteral("New FileName"), QStringLiteral("Rename"), name))
            installed = *typed;
        refusal = GrfFiles::whyNotInstallable(installed);
        if (refusal.isEmpty() && CaseBlindFiles(folder).file(installed))
            refusal = QStringLiteral("\"%1\" is already in the 'newgrf' folder.").arg(installed);
        if (refusal.isEmpty())
            refusal = GrfFiles::copyWhole(source, folder + QLatin1Char('/') + installed, false);
        copied = refusal.isEmpty();
    }
    if (!copied) {
        m_platform.messages.show(MsgType::Information,
                                 QStringLiteral("File not installed") +
                                     (refusal.isEmpty() ? QString() : QLatin1Char('\n') + refusal),
                                 MsgButtons::Ok);
        return;
    }
    // A file chosen from the folder itself is one of the listed files, whatever name it was installed
    // under: it is never offered for deletion.
    const bool fromFolder = ontoItself || sameFile(QFileInfo(source).absolutePath(), folder);
    const bool deleted =
        !fromFolder &&
        m_platform.messages.show(MsgType::Confirmation, QStringLiteral("Do you want to delete source file?"),
                                 MsgButtons::YesNo) == MsgAnswer::Yes &&
        QFile::remove(source);
    m_platform.messages.show(MsgType::Information,
                             deleted ? QStringLiteral("New file installed\nSource file deleted")
                                     : QStringLiteral("New file installed\nSource file not deleted"),
                             MsgButtons::Ok);
    if (listGrfFiles->findItems(installed, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
        makeCheckable(new QListWidgetItem(installed, listGrfFiles));
}

void TformGrfManager::butnDeleteClick()
{
    QListWidgetItem *entry = listGrfFiles->currentItem();
    if (!entry || !entry->isSelected())
        return;
    const QString name = entry->text();
    if (m_platform.messages.show(MsgType::Warning, QStringLiteral("Do you want to delete %1 file?").arg(name),
                                 MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const QString path = folderPath() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.remove() && QFileInfo(path).exists()) {
        // The entry stays: the file is still there.
        m_platform.messages.show(MsgType::Error,
                                 QStringLiteral("File:\n%1\nnot deleted.\n%2").arg(path, file.errorString()),
                                 MsgButtons::Ok);
        return;
    }
    m_platform.messages.show(MsgType::Error, QStringLiteral("File:\n%1\ndeleted.").arg(path), MsgButtons::Ok);
    delete entry;
    listGrfFiles->clearSelection();
    listGrfFiles->setCurrentItem(nullptr);
    butnDelete->setEnabled(false);
}

void TformGrfManager::butnSaveClick()
{
    QStringList names;
    for (int row = 0; row < listGrfFiles->count(); ++row) {
        if (listGrfFiles->item(row)->checkState() == Qt::Checked)
            names.append(listGrfFiles->item(row)->text());
    }
    const ProgramSettings settings(m_files.settingsIni());
    if (settings.grfManagerAsksBeforeSave() &&
        m_platform.messages.show(
            MsgType::Confirmation,
            QStringLiteral("File 'newgrf.txt' or 'newgrfw.txt' exists. Do you want to replace it ?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const std::optional<QString> listName = GrfFiles::listFileFor(settings.gameKind());
    if (!listName) {
        m_platform.messages.show(MsgType::Error,
                                 QStringLiteral("Dravopax Vevavav can't recognize your ZVT version now.\n"
                                                "You must set ZVT directory first."),
                                 MsgButtons::Ok);
        return;
    }
    const GameFolder game(gameDirectory());
    const QString path = game.find(*listName).value_or(game.file(*listName));
    const std::optional<QByteArray> bytes = GrfFiles::composeList(names);
    if (!bytes)
        throw DvsError(Cp1252::refusal(path, Cp1252::firstUnencodableLine(names)));
    if (!writeFileAtomically(path, *bytes))
        throw DvsError(QStringLiteral("Unable to write to %1").arg(path));
    m_platform.messages.show(MsgType::Information, QStringLiteral("'%1' saved").arg(*listName),
                             MsgButtons::Ok);
}

void TformGrfManager::listGrfFilesClick()
{
    butnDelete->setEnabled(!listGrfFiles->selectedItems().isEmpty());
}

void TformGrfManager::butnQuitClick()
{
    listGrfFiles->clear();
    QDialog::reject();
}
