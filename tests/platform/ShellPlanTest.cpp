#include "platform/ShellPlan.h"
#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ShellPlan, EachKindOfFileIsOpenedItsOwnWay)
{
    QTemporaryDir dir;
    const auto make = [&](const QString &name, bool executable) {
        const QString path = dir.path() + u'/' + name;
        writeText(path, u"#!/bin/sh\n"_s);
        if (executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    };
    const QString native = make(u"dravopax"_s, true);
    const QString windows = make(u"dravopaxw.exe"_s, false);
    const QString wine = u"/usr/bin/wine"_s;
    using Way = ShellPlan::Way;
    // The file, its parameters, the wine found, and the way, the program started (or the address
    // handed on) and its arguments.
    const std::tuple<QString, QString, QString, Way, QString, QStringList> cases[] = {
        // Addresses go to the desktop's handler unchanged, their scheme in any letter case.
        {u"http://example.org/x"_s, {}, wine, Way::DefaultHandler, u"http://example.org/x"_s, {}},
        {u"HTTPS://EXAMPLE.ORG"_s, {}, {}, Way::DefaultHandler, u"HTTPS://EXAMPLE.ORG"_s, {}},
        // Programs start directly, their parameters split as a command line would split them.
        {native, u" -C dvsdebug.cfg"_s, {}, Way::Direct, native, {u"-C"_s, u"dvsdebug.cfg"_s}},
        {u"dravopax"_s, {}, {}, Way::Direct, native, {}}, // from the working folder, not the path
        {windows, u" -C \"my file.cfg\""_s, wine, Way::Wine, wine, {windows, u"-C"_s, u"my file.cfg"_s}},
        {make(u"RUN.BAT"_s, true), {}, {}, Way::Nothing, {}, {}}, // without wine nothing can run it
        // Documents and folders go to the handler; a missing file goes nowhere.
        {make(u"readme.txt"_s, false), {}, {}, Way::DefaultHandler, dir.path() + u"/readme.txt"_s, {}},
        {dir.path(), {}, {}, Way::DefaultHandler, dir.path(), {}},
        {dir.path() + u"/gone.exe"_s, {}, wine, Way::Nothing, {}, {}},
    };
    for (const auto &[file, parameters, wineFound, way, started, arguments] : cases) {
        SCOPED_TRACE(file.toStdString());
        const ShellPlan plan = planShellStart(file, parameters, dir.path(), wineFound);
        EXPECT_EQ(plan.way, way);
        EXPECT_EQ(way == Way::DefaultHandler ? plan.address : plan.program, started);
        EXPECT_EQ(plan.arguments, arguments);
        EXPECT_EQ(plan.isUrl, started.contains(u':'));
    }
}

} // namespace
