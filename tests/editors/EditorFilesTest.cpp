#include "editors/SwitchDatabase.h"
#include "editors/VersionList.h"
#include "ini/TIniFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class EditorFilesTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.path() + u'/' + name; }

    QTemporaryDir dir;
};

const QString kThree = u"[version]\nnumber=3\ndisplay1=One\nnumber1=a\na=1\ndisplay2=Two\nnumber2=b\nb=2\n"
                       "display3=Three\nnumber3=c\nc=3\n"_s;

TEST_F(EditorFilesTest, DeletingAVersionMovesEveryLaterOneDownAndAShortNameThatWouldOverwriteAKeyIsRefused)
{
    const QString middleRemoved =
        u"[version]\nnumber=2\ndisplay1=One\nnumber1=a\na=1\nc=2\ndisplay2=Three\nnumber2=c\n"_s;
    // What is tested, the list, the version deleted, and the list then.
    const std::tuple<const char *, QString, int, QString> cases[] = {
        {"middle", kThree, 2, middleRemoved},
        {"last, no renumbering", kThree, 3,
         u"[version]\nnumber=2\ndisplay1=One\nnumber1=a\na=1\ndisplay2=Two\nnumber2=b\nb=2\n"_s},
        // A gap moves down as a gap, rather than as invented values.
        {"gap", u"[version]\nnumber=3\ndisplay1=One\nnumber1=a\na=1\ndisplay3=Three\nnumber3=c\nc=3\n"_s, 1,
         u"[version]\nnumber=2\nc=2\ndisplay2=Three\nnumber2=c\n"_s},
        // A count far beyond the keys present counts the versions there are.
        {"count too large", u"[version]\nnumber=2000000000\ndisplay1=One\nnumber1=a\na=1\n"_s, 1,
         u"[version]\nnumber=0\n"_s},
        {"count too large, middle", QString(kThree).replace(u"number=3\n"_s, u"number=2000000000\n"_s), 2,
         middleRemoved},
    };
    for (const auto &[what, before, removed, after] : cases) {
        writeText(path(u"version.ini"_s), before);
        VersionList(path(u"version.ini"_s)).remove(removed);
        EXPECT_EQ(readBytes(path(u"version.ini"_s)), crlf(after)) << what;
    }

    // A short name that would overwrite a key of the list is refused.
    const QString file = path(u"version.ini"_s);
    writeText(file, kThree);
    const VersionList list(file);
    const QString notSaved = u"Version not saved.\n"_s;
    const std::pair<QString, QString> refused[] = {
        {u""_s, notSaved + u"You do not type either:\nLong or Short Version"_s},
        {u"NUMBER"_s, notSaved + u"\"NUMBER\" is a name the version list keeps for itself."_s},
        {u"display7"_s, notSaved + u"\"display7\" is a name the version list keeps for itself."_s},
        {u"Number2"_s, notSaved + u"\"Number2\" is a name the version list keeps for itself."_s},
        {u"C"_s, notSaved + u"\"C\" is already the short name of version 3."_s},
    };
    for (const auto &[name, message] : refused)
        EXPECT_EQ(list.shortNameProblem(name, 2).value_or(u"<accepted>"_s), message) << name.toStdString();
    EXPECT_FALSE(list.shortNameProblem(u"bb"_s, 2)) << "a version keeps its own short name";

    // A new version never takes the number of one the file holds.
    const std::pair<QString, int> next[] = {{QString(kThree).remove(u"number=3\n"_s), 4},
                                            {QString(kThree).replace(u"number=3"_s, u"number=x"_s), 4},
                                            {QString(kThree).replace(u"number=3"_s, u"number=1"_s), 2},
                                            {u"[version]\n"_s, 1}};
    for (const auto &[text, number] : next) {
        writeText(file, text);
        EXPECT_EQ(VersionList(file).nextNumber(), number) << text.toStdString();
    }
}

TEST_F(EditorFilesTest, ASavedSwitchIsRewrittenWholeAtTheEndStampedOnceAndOneThatCannotBeStoredWholeIsRefused)
{
    const QString file = path(u"patch.ini"_s);
    writeText(file,
              u"[data]\norgdata=2003-08-10\n[speed]\ncaption=Speed\nold=1\ncomponent=1\n[other]\nx=1\n"_s);
    TIniFile patch(file);
    const SwitchDatabase::Rows rows{{u"caption"_s, u"Fast"_s}, {u"value"_s, u" 3 "_s}};
    SwitchDatabase::saveSwitch(patch, u"speed"_s, u"v2"_s, 2, rows, QDate(2004, 5, 1));
    SwitchDatabase::saveSwitch(patch, u"speed"_s, u"v2"_s, 2, rows, QDate(2004, 5, 1));
    EXPECT_EQ(readBytes(file),
              crlf(u"[data]\norgdata=2003-08-10\nuserdata=2003-08-10(2004-05-01)\nuserchnage=1\n"
                   "[other]\nx=1\n[speed]\nversion=v2\ncomponent=2\ncaption=Fast\nvalue=\" 3 \"\n"_s));
    SwitchDatabase::deleteSwitch(patch, u"speed"_s, QDate(2004, 6, 2));
    EXPECT_EQ(readBytes(file),
              crlf(u"[data]\norgdata=2003-08-10\nuserdata=2003-08-10(2004-06-02)\nuserchnage=1\n"
                   "[other]\nx=1\n"_s));

    const std::pair<QString, QString> stamps[] = {
        {u"2003-08-10(2004-01-01)"_s, u"2003-08-10(2004-05-01)"_s},
        {u"Unknown"_s, u"Unknown(2004-05-01)"_s},
        {u"a(b)c(d)"_s, u"a(d)(2004-05-01)"_s},
    };
    for (const auto &[orgdata, stamped] : stamps)
        EXPECT_EQ(SwitchDatabase::userDataStamp(orgdata, QDate(2004, 5, 1)), stamped);

    // A switch that cannot be stored whole is refused and the file stays as it was.
    const QString before = u"[data]\norgdata=2003-08-10\n[speed]\ncaption=Speed\n"_s;
    writeText(file, before);
    const QString notSaved = u"Switch not saved.\n"_s;
    const std::pair<SwitchDatabase::Rows, QString> cases[] = {
        {{{u"a"_s, u"1"_s}, {u" "_s, u"lost"_s}}, notSaved + u"The value \"lost\" has no key."_s},
        {{{u"Caption"_s, u"1"_s}, {u"caption"_s, u"2"_s}},
         notSaved + u"The key \"caption\" is given twice."_s},
        {{{u"a"_s, u"1"_s}, {u"Version"_s, u"v9"_s}},
         notSaved + u"The key \"Version\" is set by the Component Type and Switch Version lists only."_s},
        {{{u"a=b"_s, u"1"_s}, {u"c"_s, u"2"_s}},
         u"Unable to write to "_s + file + u"\n\"a=b\" cannot be the name of a key."_s},
        {{{u"[a"_s, u"1"_s}, {u"c"_s, u"2"_s}},
         u"Unable to write to "_s + file + u"\n\"[a\" cannot be the name of a key."_s},
        {{{u"a"_s, u"1\n2"_s}, {u"c"_s, u"2"_s}},
         u"Unable to write to "_s + file + u"\nThe value of a holds a line break."_s},
    };
    for (const auto &[rows, message] : cases) {
        SCOPED_TRACE(message.toStdString());
        QString shown = SwitchDatabase::rowsProblem(rows).value_or(QString());
        if (shown.isEmpty())
            shown = errorOf(
                [&] { SwitchDatabase::saveSwitch(patch, u"speed"_s, u"v1"_s, 1, rows, QDate(2004, 5, 1)); });
        EXPECT_EQ(shown, message);
        EXPECT_EQ(readBytes(file), crlf(before));
    }
}

} // namespace
