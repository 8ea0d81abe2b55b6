#include "app/TformMain.h"

#include "TformUpdate.h"

#include <QToolButton>

void TformMain::setUpdateWindow(TformUpdate *window)
{
    formUpdate = window;
    butnUpdate->setEnabled(true);
    connect(butnUpdate, &QToolButton::clicked, this, [this] { guarded([this] { butnUpdateClick(); }); });
}

void TformMain::butnUpdateClick()
{
    formUpdate->Initialize();
    // Modal for the user; nothing here waits for it to close.
    formUpdate->setWindowModality(Qt::ApplicationModal);
    formUpdate->move(geometry().center() - formUpdate->rect().center());
    formUpdate->show();
    formUpdate->raise();
    formUpdate->activateWindow();
}
