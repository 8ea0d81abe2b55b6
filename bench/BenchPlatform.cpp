#include "BenchPlatform.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void unexpected(const char *what, const QString &text)
{
    std::fprintf(stderr, "benchmark stopped: unexpected %s: %s\n", what, qPrintable(text));
    std::exit(2);
}

} // namespace

MsgAnswer BenchPlatform::show(MsgType, const QString &text, MsgButtons)
{
    unexpected("message box", text);
}

std::optional<QString> BenchPlatform::open(const FileDialogRequest &request)
{
    unexpected("open dialog", request.title);
}

std::optional<QString> BenchPlatform::save(const FileDialogRequest &request)
{
    unexpected("save dialog", request.title);
}

std::optional<QString> BenchPlatform::browse(const QString &title, const QString &)
{
    unexpected("folder dialog", title);
}

std::optional<QString> BenchPlatform::ask(const QString &caption, const QString &, const QString &)
{
    unexpected("input box", caption);
}

ShellStart BenchPlatform::open(const QString &file, const QString &, const QString &)
{
    unexpected("program start", file);
}

std::unique_ptr<RegistryKey> BenchPlatform::openKey(const QString &path, bool)
{
    unexpected("registry access", path);
}
