#pragma once

#include <QString>

#include <optional>

class FolderBrowser
{
public:
    virtual ~FolderBrowser() = default;
    // The chosen folder's full path, or nothing when the user cancelled.
    virtual std::optional<QString> browse(const QString &title, const QString &startFolder) = 0;
};
