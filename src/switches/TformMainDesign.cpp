#include "app/TformMain.h"

#include "SwitchPanel.h"
#include "editors/TformSwitches.h"

void TformMain::StartDesignMode()
{
    if (!formSwitches)
        return;
    QStringList switches;
    for (const SwitchPanel::Entry &entry : scrlMain->entries())
        switches.append(entry.name);
    formSwitches->showFor(switches);

    // Beside the main window, overlapping its right half, and nearly as high;
    // placed once shown, when the size of its frame is known.
    const QRect frame = frameGeometry();
    const int frameHeight = formSwitches->frameGeometry().height() - formSwitches->height();
    formSwitches->move(frame.left() + frame.width() / 2 - 123, frame.top());
    formSwitches->resize(formSwitches->width(), frame.height() - 20 - frameHeight);
}
