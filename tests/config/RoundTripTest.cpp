#include "app/TformMain.h"
#include "config/PanelValues.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

// Random switch databases, random values on their panels: whatever a saved
// file holds for an enabled switch comes back when the file is loaded.
class RoundTripTest : public MainWindowFixture
{
protected:
    QString token(QRandomGenerator &random, int length)
    {
        static const QString letters =
            QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.-/éÄ");
        QString text;
        for (int i = 0; i < length; ++i)
            text += letters[random.bounded(int(letters.size()))];
        return text;
    }

    QString database(QRandomGenerator &random, int switches)
    {
        QString text;
        for (int i = 0; i < switches; ++i) {
            const int kind = random.bounded(1, 6);
            text += QStringLiteral("[sw%1_%2]\ncomponent=%3\ncaption=Switch %1\nleft=%4\ntop=%5\nwidth=120\n")
                        .arg(i)
                        .arg(token(random, 3).remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]"))))
                        .arg(kind)
                        .arg(random.bounded(0, 600))
                        .arg(i * 30);
            if (random.bounded(4) == 0)
                text += QStringLiteral("version=v%1\n").arg(random.bounded(1, 4));
            if (random.bounded(8) == 0)
                text += QStringLiteral("obsolete=v%1\n").arg(random.bounded(1, 4));
            switch (kind) {
            case 1: {
                const int min = random.bounded(-50, 50);
                const int max = min + random.bounded(0, 100);
                text += QStringLiteral("minvalue=%1\nmaxvalue=%2\nvalue=%3\n").arg(min).arg(max).arg(min);
                if (random.bounded(3) != 0)
                    text += QStringLiteral("offvalue=%1\n").arg(random.bounded(min - 1, max + 2));
                break;
            }
            case 2:
                text += QStringLiteral("value=%1\n").arg(random.bounded(2));
                break;
            case 3: {
                const int n = random.bounded(0, 6);
                text += QStringLiteral("number=%1\n").arg(n);
                for (int j = 0; j < n; ++j)
                    text += QStringLiteral("number%1=Item %1 %2\nvalue%1=v%1%3\n")
                                .arg(j)
                                .arg(token(random, 4), token(random, 3));
                break;
            }
            case 4:
                text += QStringLiteral("value=%1\n").arg(token(random, 5));
                break;
            case 5: {
                const int last = random.bounded(0, 6);
                text += QStringLiteral("number=%1\n").arg(last);
                for (int j = 0; j <= last; ++j)
                    text += QStringLiteral("number%1=Item %1\nvalue%1=%2\n").arg(j).arg(1 << j);
                break;
            }
            }
        }
        return text;
    }

    void randomise(QRandomGenerator &random)
    {
        for (SwitchControl *c : formMain->scrlMain->controls()) {
            switch (c->kind()) {
            case SwitchKind::Number: {
                auto *n = static_cast<NumberSwitch *>(c);
                if (random.bounded(5) == 0)
                    n->setText(QStringLiteral("off"));
                else
                    n->setValue(random.bounded(std::min(n->minValue(), n->maxValue()),
                                               std::max(n->minValue(), n->maxValue()) + 1));
                break;
            }
            case SwitchKind::OnOff:
                static_cast<OnOffSwitch *>(c)->setChecked(random.bounded(2) == 1);
                break;
            case SwitchKind::Choice: {
                auto *choice = static_cast<ChoiceSwitch *>(c);
                if (choice->count() > 0)
                    choice->setCurrentIndex(random.bounded(choice->count()));
                break;
            }
            case SwitchKind::Text:
                static_cast<TextSwitch *>(c)->setText(token(random, random.bounded(1, 12)));
                break;
            case SwitchKind::Set: {
                auto *list = static_cast<SetSwitch *>(c);
                QList<bool> states;
                for (int i = 0; i < list->count(); ++i)
                    states << (random.bounded(2) == 1);
                list->setCheckStates(states);
                break;
            }
            }
        }
    }

    // What must come back: enabled switches, but not a check list whose sum
    // was 0 (which by design leaves the marks alone).
    QStringList restorable(QSet<QString> &names) const
    {
        const bool choose = names.isEmpty();
        QStringList out;
        for (const SwitchState &s : PanelValues::read(*formMain->scrlMain)) {
            if (choose && s.enabled && !(s.kind == SwitchKind::Set && !s.checks.contains(true)))
                names.insert(s.name);
            if (!names.contains(s.name))
                continue;
            QString checks;
            for (bool b : s.checks)
                checks += b ? QLatin1Char('1') : QLatin1Char('0');
            out << QStringLiteral("%1 text=%2 checked=%3 checks=%4")
                       .arg(s.name, s.text)
                       .arg(s.checked)
                       .arg(checks);
        }
        return out;
    }
};

TEST_F(RoundTripTest, ASavedFileRestoresEveryEnabledSwitch)
{
    folder.writeVersions(QStringLiteral(
        "[version]\nnumber=3\ndisplay1=One\ndisplay2=Two\ndisplay3=Three\nv1=1\nv2=2\nv3=3\n"));
    for (quint32 seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        QRandomGenerator random(seed);
        folder.writePatch(database(random, random.bounded(5, 60)));
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver%1\n").arg(random.bounded(1, 4)));
        startProgram();
        randomise(random);
        QSet<QString> names;
        const QStringList before = restorable(names);
        const QString file = folder.path() + QStringLiteral("/round.cfg");
        formMain->SaveCFG(file);

        randomise(random);
        formMain->LoadCFG(file);
        EXPECT_EQ(restorable(names), before) << readBytes(file).toStdString();
        closeProgram();
    }
}

} // namespace
