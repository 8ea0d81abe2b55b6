#include "QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

namespace {

QWidget *owner()
{
    return QApplication::activeWindow();
}

std::optional<QString> runFileDialog(const FileDialogRequest &request, bool saving)
{
    QFileDialog dialog(owner(), request.title);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(QtFileDialogs::nameFilters(request.filter));
    if (!request.folder.isEmpty() && request.folder != QLatin1String("0"))
        dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

MsgAnswer QtMessageBoxes::show(MsgType type, const QString &text, MsgButtons buttons)
{
    QMessageBox box(owner());
    switch (type) {
    case MsgType::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QStringLiteral("Error"));
        break;
    case MsgType::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("Warning"));
        break;
    case MsgType::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QStringLiteral("Information"));
        break;
    case MsgType::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("Confirm"));
        break;
    }
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        // Closing a question box with Escape or the title bar is a refusal.
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok
                                         : (buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel);
    }
}

QStringList QtFileDialogs::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // "*.*" means every file, as it does on Windows; here it would pass
        // only names with a dot in them.
        for (QString &pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    if (filters.isEmpty())
        filters.append(QStringLiteral("All files (*)"));
    return filters;
}

std::optional<QString> QtFileDialogs::open(const FileDialogRequest &request)
{
    return runFileDialog(request, false);
}

std::optional<QString> QtFileDialogs::save(const FileDialogRequest &request)
{
    return runFileDialog(request, true);
}

std::optional<QString> QtFolderBrowser::browse(const QString &title, const QString &startFolder)
{
    const QString chosen = QFileDialog::getExistingDirectory(owner(), title, startFolder);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtInputBox::ask(const QString &caption, const QString &prompt, const QString &text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(owner(), caption, prompt, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QSize QtScreen::size() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(800, 600);
}

QList<QRect> QtScreen::screens() const
{
    QList<QRect> all;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        all.append(primary->geometry());
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            all.append(screen->geometry());
    }
    if (all.isEmpty())
        all.append(QRect(QPoint(0, 0), size()));
    return all;
}

void QtClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}
