#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/FolderBrowser.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SocketHttpClient.h"

// Services for measuring without a user: any message box or dialog means the
// measured work went wrong, so it ends the run with the text.
class BenchPlatform final : public MessageBoxes,
                            public FileDialogs,
                            public FolderBrowser,
                            public InputBox,
                            public Shell,
                            public Registry,
                            public Screen,
                            public Clipboard
{
public:
    MsgAnswer show(MsgType type, const QString &text, MsgButtons buttons) override;
    std::optional<QString> open(const FileDialogRequest &request) override;
    std::optional<QString> save(const FileDialogRequest &request) override;
    std::optional<QString> browse(const QString &title, const QString &startFolder) override;
    std::optional<QString> ask(const QString &caption, const QString &prompt, const QString &text) override;
    ShellStart open(const QString &file, const QString &parameters, const QString &workingFolder) override;
    ShellStart start(const QString &file, const QString &parameters, const QString &workingFolder) override
    {
        return open(file, parameters, workingFolder);
    }
    std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) override;
    QSize size() const override { return {1280, 1024}; }
    QList<QRect> screens() const override { return {QRect(0, 0, 1280, 1024)}; }
    void setText(const QString &) override {}
    QString text() const override { return {}; }

    Platform platform() { return platform(*this, m_clock); }
    // The same services with the registry and the clock a start is measured with.
    Platform platform(Registry &registry, Clock &clock)
    {
        return Platform{*this, *this, *this, *this, *this, registry, *this, clock, *this, m_http};
    }

private:
    SystemClock m_clock;
    SocketHttpClient m_http;
};
