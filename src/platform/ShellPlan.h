#pragma once

#include <QString>
#include <QStringList>

// How the shell's "open" is carried out on a system without that shell:
// addresses, documents and folders go to the desktop's default handler; native
// programs start directly with the parameters split as a command line would
// split them; Windows programs (.exe, .bat, .com) start through wine when wine
// is installed. A file that is not there, and a Windows program without wine,
// start nothing.
struct ShellPlan
{
    enum class Way
    {
        DefaultHandler,
        Direct,
        Wine,
        Nothing
    };
    Way way = Way::DefaultHandler;
    QString program;       // Direct and Wine: what is started
    QStringList arguments; // Direct and Wine
    QString address;       // DefaultHandler and Nothing: a URL text, or a local path
    bool isUrl = false;    // DefaultHandler: `address` is a URL, not a local path
};

// A relative file is taken from `workingFolder`. `wine` is the full path of
// the wine program, or empty when it is not installed.
ShellPlan planShellStart(const QString &file, const QString &parameters, const QString &workingFolder,
                         const QString &wine);
