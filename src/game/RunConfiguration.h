#pragma once

class QString;
struct FileDialogRequest;

// What the launcher needs of the configuration files: the open dialog of
// configuration files as it stands between showings, and the run file made
// of the current switches.
class RunConfiguration
{
public:
    virtual ~RunConfiguration() = default;

    virtual FileDialogRequest &loadDialog() = 0;
    // Writes the run file the patch is started with. Raises DvsError when it
    // cannot be written.
    virtual void WriteRunCFG(const QString &fileName) = 0;
};
