#include "SwitchPanelBuilder.h"
#include "base/ProgramSettings.h"

#include "Availability.h"
#include "ComponentNames.h"
#include "SwitchFactory.h"
#include "SwitchLayout.h"
#include "SwitchPanel.h"
#include "base/ProgramFiles.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QStatusBar>

#include <memory>
#include <optional>

SwitchPanelBuilder::SwitchPanelBuilder(SwitchPanel &panel, QStatusBar &statusBar, MessageBoxes &messages)
    : m_panel(panel), m_statusBar(statusBar), m_messages(messages)
{}

void SwitchPanelBuilder::build(const ProgramFiles &files, ComponentNameSet reservedNames,
                               const std::function<void(SwitchControl *)> &attach, const QRect &madeAtOnce)
{
    // One consistent view of each file for the whole build.
    const IniSnapshot patch = TIniFile(files.patchIni()).snapshot();
    const ProgramSettings settings(files.settingsIni());
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

    const int current = selectedVersionNumber(settings.patchVersion());
    const bool look3D = settings.look3D();
    SwitchPanel *panel = &m_panel;
    m_panel.setMaker([panel, look3D, attach](const SwitchDefinition &definition, bool enabled) {
        const MadeSwitch made = makeSwitch(panel->surface(), definition);
        if (!enabled)
            made.control->widget()->setEnabled(false);
        made.control->setLook3D(look3D);
        panel->add(made.control, made.label);
        attach(made.control);
    });
    SwitchAreaEstimate estimate(m_panel.surface()->font());

    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    int step = 0;
    bool first = true;
    QString lastSection;
    for (const QString &section : patch.ReadAllSections()) {
        ++step;
        if (step <= progress->maximum())
            progress->setValue(step);
        if (sinceRepaint.elapsed() > 100) {
            progress->repaint();
            sinceRepaint.restart();
        }

        std::optional<SwitchDefinition> definition = readSwitch(patch, section);
        if (!definition)
            continue;
        if (!isValidComponentName(section)) {
            m_messages.show(MsgType::Error, invalidComponentNameMessage(section), MsgButtons::Ok);
            continue;
        }
        const SwitchType &type = switchType(definition->kind);
        const bool hasLabel = type.hasLabel;
        const QString labelName = QStringLiteral("Label") + section;
        if (reservedNames.contains(section) || (hasLabel && reservedNames.contains(labelName))) {
            const QString clash = reservedNames.contains(section) ? section : labelName;
            m_messages.show(MsgType::Error, duplicateComponentNameMessage(clash), MsgButtons::Ok);
            continue;
        }
        reservedNames.insert(section);
        if (hasLabel)
            reservedNames.insert(labelName);

        const bool enabled = isSwitchAvailable(patch, versions, section, current);
        const QRect area = type.area(*definition, estimate);
        m_panel.addDeferred(std::move(*definition), enabled, area);
        // What the screen can show is made now, everything else once it is
        // needed; the first and the last switch end the panel's Tab order.
        if (first || area.intersects(madeAtOnce))
            m_panel.control(section);
        first = false;
        lastSection = section;
    }
    if (!lastSection.isEmpty())
        m_panel.control(lastSection);
    m_panel.fitSurface();

    m_statusBar.removeWidget(progress.get());
    progress.reset();
    if (!message.isEmpty())
        m_statusBar.showMessage(message);
}
