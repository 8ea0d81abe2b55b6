#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <QObject>

class Frame;
class QAction;
class QMenu;
class QToolButton;
class TformAbout;
class TformUpdate;

// The update window and the about window, and the Help menu that leads to them.
class UpdateCommands final : public QObject
{
    Q_OBJECT

public:
    struct Items
    {
        // The Help menu, whole.
        QMenu *menuHelp = nullptr;
        QAction *itemHelpDVS = nullptr;
        QAction *itemHelpDV = nullptr;
        QAction *itemHelpZVT = nullptr;
        QAction *itemAbout = nullptr;
    };

    UpdateCommands(ProgramFiles files, Platform platform, Frame &frame);

    const Items &items() const { return m_items; }
    // The toolbar's Update button, which works once the update window exists.
    void setUpdateButton(QToolButton *button);

    // The windows, made by the start in its order.
    TformAbout &createAbout();
    TformUpdate &createUpdate();
    TformAbout *formAbout() const { return m_formAbout; }
    TformUpdate *formUpdate() const { return m_formUpdate; }

    void ShowAbout();
    void butnUpdateClick();

signals:
    // A download is in place: the program is to end, and starts anew.
    void programEndRequested();

private:
    ProgramFiles m_files;
    Platform m_platform;
    Frame &m_frame;
    Items m_items;
    QToolButton *butnUpdate = nullptr;
    TformAbout *m_formAbout = nullptr;
    TformUpdate *m_formUpdate = nullptr;
};
