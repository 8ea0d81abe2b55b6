#include "PanelValues.h"

#include "switches/SwitchFactory.h"
#include "switches/SwitchPanel.h"

namespace PanelValues {

QList<SwitchState> read(const SwitchPanel &panel)
{
    QList<SwitchState> states;
    states.reserve(qsizetype(panel.entries().size()));
    for (const SwitchPanel::Entry &entry : panel.entries()) {
        if (entry.control)
            states.append(entry.control->state());
        else
            states.append(
                switchType(entry.deferred->kind).defaultState(*entry.deferred, entry.deferredEnabled));
    }
    return states;
}

} // namespace PanelValues
