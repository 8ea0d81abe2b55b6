#pragma once

#include <QRect>
#include <QString>

#include <functional>

class ComponentNameSet;
class MessageBoxes;
class ProgramFiles;
class QStatusBar;
class SwitchControl;
class SwitchPanel;

// Fills the switch panel from patch.ini: one control per switch section, in
// file order, placed, captioned, limited and greyed for the selected patch
// version. A section whose name cannot be a component name is reported once
// and skipped; the rest is built.
class SwitchPanelBuilder final
{
public:
    SwitchPanelBuilder(SwitchPanel &panel, QStatusBar &statusBar, MessageBoxes &messages);

    // `reservedNames` holds the names of the main window's own components;
    // `attach` gives each control its handlers once its default is set. The
    // controls of switches in `madeAtOnce` (of the panel's surface) are made
    // now, the others once the panel needs them.
    void build(const ProgramFiles &files, ComponentNameSet reservedNames,
               const std::function<void(SwitchControl *)> &attach, const QRect &madeAtOnce);

private:
    SwitchPanel &m_panel;
    QStatusBar &m_statusBar;
    MessageBoxes &m_messages;
};
