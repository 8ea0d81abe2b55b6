#include "app/TformMain.h"
#include "config/PanelValues.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QDebug>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Random switch databases, random values on their panels: whatever a saved
// file holds for an enabled switch comes back when the file is loaded.
class RoundTripTest : public MainWindowFixture
{
protected:
    int below(int end) { return random.bounded(end); }
    int between(int first, int end) { return random.bounded(first, end); }
    QString token(int length)
    {
        static const QString letters =
            u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.-/éÄ"_s;
        QString text;
        for (int i = 0; i < length; ++i)
            text += letters[below(int(letters.size()))];
        return text;
    }

    QString database(int switches)
    {
        QString text;
        for (int i = 0; i < switches; ++i) {
            const int kind = between(1, 6);
            const QString name = u"sw%1_"_s.arg(i) + token(3).remove(QRegularExpression(u"[^A-Za-z0-9_]"_s));
            text += u"[%1]\ncomponent=%2\n"_s.arg(name).arg(kind);
            if (below(4) == 0)
                text += u"version=v%1\n"_s.arg(between(1, 4));
            if (below(8) == 0)
                text += u"obsolete=v%1\n"_s.arg(between(1, 4));
            if (kind == 1) {
                const int min = between(-50, 50);
                const int max = min + below(100);
                text += u"minvalue=%1\nmaxvalue=%2\nvalue=%1\n"_s.arg(min).arg(max);
                if (below(3) != 0)
                    text += u"offvalue=%1\n"_s.arg(between(min - 1, max + 2));
            } else if (kind == 2 || kind == 4) {
                text += u"value=%1\n"_s.arg(kind == 2 ? QString::number(below(2)) : token(5));
            } else {
                // A choice's number is a count, a check list's the last index.
                const int number = below(6);
                text += u"number=%1\n"_s.arg(number);
                for (int j = 0; j < number + (kind == 5 ? 1 : 0); ++j) {
                    text += kind == 3
                                ? u"number%1=Item %1 %2\nvalue%1=v%1%3\n"_s.arg(j).arg(token(4), token(3))
                                : u"number%1=Item %1\nvalue%1=%2\n"_s.arg(j).arg(1 << j);
                }
            }
        }
        return text;
    }

    void randomise()
    {
        for (SwitchControl *c : formMain->scrlMain->controls()) {
            if (auto *n = dynamic_cast<NumberSwitch *>(c)) {
                // Through "off", so that the number rule shows every value: a default at the off
                // value, shown as its number until then, is saved and loaded back as "off".
                n->setText(u"off"_s);
                if (below(5) != 0)
                    n->setValue(between(n->minValue(), n->maxValue() + 1));
            } else if (auto *box = dynamic_cast<OnOffSwitch *>(c)) {
                box->setChecked(below(2) == 1);
            } else if (auto *choice = dynamic_cast<ChoiceSwitch *>(c); choice && choice->count() > 0) {
                choice->setCurrentIndex(below(choice->count()));
            } else if (auto *edit = dynamic_cast<TextSwitch *>(c)) {
                edit->setText(token(between(1, 12)));
            } else if (auto *list = dynamic_cast<SetSwitch *>(c)) {
                // One item at least: a sum of 0 by design leaves the marks alone.
                QList<bool> states;
                for (int i = 0; i < list->count(); ++i)
                    states << (below(2) == 1);
                states[below(list->count())] = true;
                list->setCheckStates(states);
            }
        }
    }

    // What must come back: every enabled switch.
    QStringList restorable() const
    {
        QStringList out;
        for (const SwitchState &s : PanelValues::read(*formMain->scrlMain)) {
            if (s.enabled)
                QDebug(&out.emplaceBack()) << s.name << s.text << s.checked << s.checks;
        }
        return out;
    }

    QRandomGenerator random;
};

TEST_F(RoundTripTest, ASavedFileRestoresEveryEnabledSwitch)
{
    folder.writeVersions(
        u"[version]\nnumber=3\ndisplay1=One\ndisplay2=Two\ndisplay3=Three\nv1=1\nv2=2\nv3=3\n"_s);
    for (quint32 seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        random.seed(seed);
        folder.writePatch(database(between(5, 60)));
        folder.writeSettings(u"[dvs]\nversion=ver%1\n"_s.arg(between(1, 4)));
        startProgram();
        randomise();
        const QStringList before = restorable();
        const QString file = folder.path() + u"/round.cfg"_s;
        formMain->SaveCFG(file);

        randomise();
        formMain->LoadCFG(file);
        EXPECT_EQ(restorable(), before) << readBytes(file).toStdString();
        closeProgram();
    }
}

} // namespace
