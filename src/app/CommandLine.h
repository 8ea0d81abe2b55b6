#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the program. Its own options are --help (or
// -h) and --version; "--" ends the options. The words that are no option name
// one configuration file to load at start: joined by single blanks, as the
// command line has always been taken, so a path with blanks needs no quotes.
struct CommandLine
{
    enum class Request
    {
        Start,
        Help,
        Version,
        UnknownOption
    };
    // Whether the toolkit has already taken its own options (-platform,
    // -style, ...) out of the words: until then, words with a single dash are
    // left to it.
    enum class ToolkitOptions
    {
        Pending,
        Taken
    };

    // `words` follow the program's name.
    static CommandLine read(const QStringList &words, ToolkitOptions toolkit);

    Request request = Request::Start;
    // For Start: the configuration file, empty when none is named.
    QString startFile;
    // For UnknownOption: the option.
    QString option;

    // What --help and --version print, and the one line that answers an unknown option.
    static QString helpText();
    static QString versionText();
    QString unknownOptionLine() const;
};
