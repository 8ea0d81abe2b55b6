#pragma once

#include "Clipboard.h"
#include "FileDialogs.h"
#include "FolderBrowser.h"
#include "InputBox.h"
#include "MessageBoxes.h"
#include "Screen.h"

// The toolkit's own dialogs and desktop services, parented to the active window.

class QtMessageBoxes final : public MessageBoxes
{
public:
    MsgAnswer show(MsgType type, const QString &text, MsgButtons buttons) override;
};

class QtFileDialogs final : public FileDialogs
{
public:
    std::optional<QString> open(const FileDialogRequest &request) override;
    std::optional<QString> save(const FileDialogRequest &request) override;

    // "desc|pattern|..." -> the toolkit's "desc (pattern ...);;..." form.
    static QStringList nameFilters(const QString &filter);
};

class QtFolderBrowser final : public FolderBrowser
{
public:
    std::optional<QString> browse(const QString &title, const QString &startFolder) override;
};

class QtInputBox final : public InputBox
{
public:
    std::optional<QString> ask(const QString &caption, const QString &prompt, const QString &text) override;
};

class QtScreen final : public Screen
{
public:
    QSize size() const override;
    QList<QRect> screens() const override;
};

class QtClipboard final : public Clipboard
{
public:
    void setText(const QString &text) override;
    QString text() const override;
};
