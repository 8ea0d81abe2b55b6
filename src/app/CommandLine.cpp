#include "CommandLine.h"

#include "app/Installation.h"
#include "base/ProgramInfo.h"

using namespace Qt::StringLiterals;

namespace {

// The options the toolkit takes out of the words itself (X11's among them):
// any other word with a single dash is unknown before a screen is looked for,
// so that a mistyped option is answered even where there is no screen.
bool isToolkitOption(const QString &word)
{
    static const QStringList names = u"style stylesheet widgetcount reverse qmljsdebugger platform "
                                     "platformpluginpath platformtheme plugin qwindowgeometry qwindowicon "
                                     "qwindowtitle session display geometry name title visual nograb dograb "
                                     "sync fontengine dialogs testability"_s.split(u' ');
    return names.contains(word.mid(1).section(u'=', 0, 0));
}

} // namespace

CommandLine CommandLine::read(const QStringList &words, ToolkitOptions toolkit)
{
    CommandLine command;
    QStringList fileWords;
    bool options = true;
    for (const QString &word : words) {
        if (!options || word.size() < 2 || !word.startsWith(u'-')) {
            fileWords << word;
        } else if (word == u"--"_s) {
            options = false;
        } else if (word == u"--help"_s || word == u"-h"_s) {
            command.request = Request::Help;
            return command;
        } else if (word == u"--version"_s) {
            command.request = Request::Version;
            return command;
        } else if (toolkit == ToolkitOptions::Taken || word.startsWith(u"--"_s) || !isToolkitOption(word)) {
            command.request = Request::UnknownOption;
            command.option = word;
            return command;
        }
    }
    command.startFile = fileWords.join(u' ');
    return command;
}

QString CommandLine::helpText()
{
    return u"Usage: DravopaxVevavav [OPTION]... [FILE.cfg]\n"
           u"%1: set the switches of the Dravopax patch, write and read its\n"
           u"configuration files, and start Zorvantia with or without it.\n"
           u"\n"
           u"  FILE.cfg       a configuration file to load into the switches at start; the words\n"
           u"                 after the options are one path, so blanks need no quotes\n"
           u"  -h, --help     print this help and exit\n"
           u"      --version  print the version and exit\n"
           u"  --             end of the options: what follows is the file's name\n"
           u"\n"
           u"Settings and data files (settings.ini, Data/*.ini, registry.reg) stay beside the\n"
           u"program when its folder holds Data and may be written; otherwise they are kept in\n"
           u"$XDG_DATA_HOME/%2 (by default ~/.local/share/%2).\n"_s.arg(ProgramInfo::Title,
                                                                        Installation::PackageName);
}

QString CommandLine::versionText()
{
    return ProgramInfo::Title + u' ' + ProgramInfo::VersionText + u'\n';
}

QString CommandLine::unknownOptionLine() const
{
    return u"DravopaxVevavav: unknown option '%1' (see DravopaxVevavav --help)\n"_s.arg(option);
}
