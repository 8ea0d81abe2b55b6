#include "SwitchPanelBuilder.h"
#include "app/SettingNames.h"

#include "Availability.h"
#include "CheckSum.h"
#include "ComponentNames.h"
#include "SwitchControls.h"
#include "SwitchDefinition.h"
#include "SwitchPanel.h"
#include "app/ProgramFiles.h"
#include "app/TIniFile.h"
#include "platform/MessageBoxes.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <memory>

namespace {

// A caption label shows "&&" as "&" and drops a single "&", the accelerator mark.
QString labelText(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return text;
}

QLabel *makeLabel(QWidget *surface, const SwitchDefinition &d, const QString &text)
{
    auto *label = new QLabel(labelText(text), surface);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QStringLiteral("Label") + d.name);
    label->setStatusTip(d.hint);
    label->adjustSize();
    label->move(d.left, d.top);
    return label;
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left, top, width, height);
}

struct Created
{
    SwitchControl *control = nullptr;
    QLabel *label = nullptr;
};

Created createSwitch(QWidget *surface, const SwitchDefinition &d)
{
    Created c;
    switch (d.kind) {
    case SwitchKind::Number: {
        c.label = makeLabel(surface, d, d.caption);
        auto *spin = new NumberSwitch(surface);
        place(spin, d.left + c.label->width() + 2, d.top, d.width, spin->sizeHint().height());
        spin->setMaxValue(d.maxValue);
        spin->setMinValue(d.minValue);
        spin->setValue(d.value);
        c.control = spin;
        break;
    }
    case SwitchKind::OnOff: {
        auto *box = new OnOffSwitch(surface);
        place(box, d.left, d.top, d.width, box->sizeHint().height());
        box->setText(d.caption);
        box->setChecked(d.checked);
        c.control = box;
        break;
    }
    case SwitchKind::Choice: {
        c.label = makeLabel(surface, d, d.caption + QLatin1Char(':'));
        auto *combo = new ChoiceSwitch(surface);
        place(combo, d.left, d.top + c.label->height(), d.width, combo->sizeHint().height());
        combo->addItems(d.items);
        combo->setCurrentIndex(d.items.isEmpty() ? -1 : 0);
        c.control = combo;
        break;
    }
    case SwitchKind::Text: {
        c.label = makeLabel(surface, d, d.caption);
        auto *edit = new TextSwitch(surface);
        place(edit, d.left + c.label->width() + 2, d.top, d.width, edit->sizeHint().height());
        edit->setText(d.text);
        c.control = edit;
        break;
    }
    case SwitchKind::Set: {
        c.label = makeLabel(surface, d, d.caption + QLatin1Char(':'));
        auto *list = new SetSwitch(surface);
        place(list, d.left, d.top + c.label->height(), d.width, d.height);
        list->setItems(d.items);
        list->setCheckStates(decomposeCheckSum(d.value, d.weights, QList<bool>(d.weights.size(), false)));
        c.control = list;
        break;
    }
    }
    c.control->widget()->setObjectName(d.name);
    c.control->widget()->setStatusTip(d.hint);
    return c;
}

} // namespace

SwitchPanelBuilder::SwitchPanelBuilder(SwitchPanel &panel, QStatusBar &statusBar, MessageBoxes &messages)
    : m_panel(panel), m_statusBar(statusBar), m_messages(messages)
{}

void SwitchPanelBuilder::build(const ProgramFiles &files, ComponentNameSet reservedNames,
                               const std::function<void(SwitchControl *)> &attach)
{
    // One consistent view of each file for the whole build.
    const IniSnapshot patch = TIniFile(files.patchIni()).snapshot();
    const IniSnapshot settings = TIniFile(files.settingsIni()).snapshot();
    const IniSnapshot versions = TIniFile(files.versionIni()).snapshot();

    // The status bar's message would cover the progress bar; it comes back afterwards.
    const QString message = m_statusBar.currentMessage();
    m_statusBar.clearMessage();
    auto progress = std::make_unique<QProgressBar>();
    progress->setObjectName(QStringLiteral("barProgress"));
    progress->setTextVisible(false);
    progress->setRange(0,
                       std::max(0, patch.ReadInteger(QStringLiteral("data"), QStringLiteral("number"), 0)));
    progress->setValue(0);
    m_statusBar.addWidget(progress.get(), 1);
    progress->show();

    const int current =
        selectedVersionNumber(settings.ReadString(kDvs, QStringLiteral("version"), QStringLiteral("1")));
    const bool look3D = settings.ReadBool(kDvs, QStringLiteral("3dlook"), true);

    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    int step = 0;
    for (const QString &section : patch.ReadAllSections()) {
        ++step;
        if (step <= progress->maximum())
            progress->setValue(step);
        if (sinceRepaint.elapsed() > 100) {
            progress->repaint();
            sinceRepaint.restart();
        }

        const std::optional<SwitchDefinition> definition = SwitchDefinition::read(patch, section);
        if (!definition)
            continue;
        if (!isValidComponentName(section)) {
            m_messages.show(MsgType::Error, invalidComponentNameMessage(section), MsgButtons::Ok);
            continue;
        }
        const bool hasLabel = definition->kind != SwitchKind::OnOff;
        const QString labelName = QStringLiteral("Label") + section;
        if (reservedNames.contains(section) || (hasLabel && reservedNames.contains(labelName))) {
            const QString clash = reservedNames.contains(section) ? section : labelName;
            m_messages.show(MsgType::Error, duplicateComponentNameMessage(clash), MsgButtons::Ok);
            continue;
        }
        reservedNames.insert(section);
        if (hasLabel)
            reservedNames.insert(labelName);

        const Created created = createSwitch(m_panel.surface(), *definition);
        if (!isSwitchAvailable(patch, versions, section, current))
            created.control->widget()->setEnabled(false);
        if (definition->kind != SwitchKind::Choice)
            created.control->setLook3D(look3D);
        m_panel.add(created.control, created.label);
        attach(created.control);
    }

    // The width of an opened list only matters once every list exists.
    for (SwitchControl *control : m_panel.controls()) {
        if (auto *choice = dynamic_cast<ChoiceSwitch *>(control)) {
            const int fallback = choice->width() + 30;
            const int wanted =
                patch.ReadInteger(choice->objectName(), QStringLiteral("expandwidth"), fallback);
            choice->setDroppedWidth(std::clamp(wanted, 0, SwitchDefinition::MaxExtent));
        }
    }
    m_panel.fitSurface();

    m_statusBar.removeWidget(progress.get());
    progress.reset();
    if (!message.isEmpty())
        m_statusBar.showMessage(message);
}
