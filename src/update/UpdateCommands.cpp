#include "UpdateCommands.h"

#include "TformAbout.h"
#include "TformUpdate.h"
#include "base/FormParts.h"
#include "base/Frame.h"
#include "base/MenuItems.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

UpdateCommands::UpdateCommands(ProgramFiles files, Platform platform, Frame &frame)
    : QObject(frame.mainWindow()), m_files(std::move(files)), m_platform(platform), m_frame(frame)
{
    using namespace MenuItems;
    Items &i = m_items;
    i.menuHelp = dropDown(frame, "menuHelp");
    i.itemHelpDVS =
        item(i.menuHelp, "itemHelpDVS", QStringLiteral("Dravopax Vevavav"),
             QStringLiteral("Dravopax Vevavav Help (Avabile with stable version)"), QKeySequence(Qt::Key_F2));
    i.itemHelpDV =
        item(i.menuHelp, "itemHelpDV", QStringLiteral("Dravopax"),
             QStringLiteral("Dravopax Help (Avabile with stable version)"), QKeySequence(Qt::Key_F3));
    i.itemHelpZVT = item(i.menuHelp, "itemHelpZVT", QStringLiteral("Zorvantia"),
                         QStringLiteral("ZVT Help (Avabile with stable version)"), QKeySequence(Qt::Key_F4));
    for (QAction *help : {i.itemHelpDVS, i.itemHelpDV, i.itemHelpZVT})
        help->setEnabled(false);
    i.menuHelp->addSeparator();
    i.itemAbout = item(i.menuHelp, "itemAbout", QStringLiteral("About"),
                       QStringLiteral("Some informations about program"), QKeySequence(Qt::Key_F1));
    connectReported(this, m_platform.messages, i.itemAbout, &QAction::triggered, &UpdateCommands::ShowAbout);
}

void UpdateCommands::setUpdateButton(QToolButton *button)
{
    butnUpdate = button;
    // The button works only once its window exists.
    butnUpdate->setEnabled(m_formUpdate != nullptr);
    connectReported(this, m_platform.messages, butnUpdate, &QToolButton::clicked,
                    &UpdateCommands::butnUpdateClick);
}

TformAbout &UpdateCommands::createAbout()
{
    m_formAbout = new TformAbout(m_files, m_platform, m_frame.mainWindow());
    return *m_formAbout;
}

TformUpdate &UpdateCommands::createUpdate()
{
    m_formUpdate = new TformUpdate(m_files, m_platform, m_frame.mainWindow());
    connect(m_formUpdate, &TformUpdate::programEndRequested, this, &UpdateCommands::programEndRequested);
    if (butnUpdate)
        butnUpdate->setEnabled(true);
    return *m_formUpdate;
}

void UpdateCommands::ShowAbout()
{
    if (m_formAbout)
        m_frame.showOver(m_formAbout);
}

void UpdateCommands::butnUpdateClick()
{
    if (!m_formUpdate)
        return;
    m_formUpdate->Initialize();
    m_frame.showOver(m_formUpdate);
}
