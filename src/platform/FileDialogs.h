#pragma once

#include <QString>

#include <optional>

// One showing of a common open or save dialog. The filter has the form
// "description|pattern|description|pattern|...", a pattern may hold several
// masks separated by ";", and the first pair is selected when the dialog opens.
struct FileDialogRequest
{
    QString title;
    QString filter;
    QString folder;            // start folder; empty or "0" leaves the dialog's own choice
    QString fileName;          // preselected file name
    QString defaultExtension;  // added to a typed name without extension
    bool mustExist = false;    // open: the chosen file must exist
    bool askOverwrite = false; // save: ask before replacing an existing file
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> open(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> save(const FileDialogRequest &request) = 0;
};
