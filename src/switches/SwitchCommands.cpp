#include "SwitchCommands.h"

#include "Availability.h"
#include "ComponentNames.h"
#include "SwitchControls.h"
#include "SwitchPanel.h"
#include "SwitchPanelBuilder.h"
#include "SwitchRules.h"
#include "base/ErrorReport.h"
#include "base/Frame.h"
#include "base/MenuItems.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QVBoxLayout>

SwitchCommands::SwitchCommands(ProgramFiles files, Platform platform, Frame &frame, QWidget *page)
    : QObject(frame.mainWindow()), m_files(std::move(files)), m_settings(m_files.settingsIni()),
      m_platform(platform), m_frame(frame)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_panel = new SwitchPanel(page);
    layout->addWidget(m_panel);
    m_rules = new SwitchRules(m_files, this);

    using namespace MenuItems;
    m_items.mniFileLoadDefault =
        item(this, "mniFileLoadDefault", QStringLiteral("From Defaults"),
             QStringLiteral("Set all switches to their defaults"), QKeySequence(Qt::CTRL | Qt::Key_D));
    m_items.itemDVSReload = item(this, "itemDVSReload", QStringLiteral("Reload Dravopax Database"),
                                 QStringLiteral("Reload Database (all switches will back to their defaults)"),
                                 QKeySequence(Qt::CTRL | Qt::Key_F12));
    m_items.menuDVSVersion = dropDown(frame, "menuDVSVersion");

    const auto reported = [this](QAction *action, void (SwitchCommands::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] {
            runReported(m_platform.messages, [this, handler] { (this->*handler)(); });
        });
    };
    reported(m_items.mniFileLoadDefault, &SwitchCommands::mniFileLoadDefaultClick);
    reported(m_items.itemDVSReload, &SwitchCommands::ReloadDVDatabase);
}

void SwitchCommands::CreateSwitches()
{
    // A build always starts from an empty panel, so no caller can leave two
    // controls of one switch behind.
    m_panel->removeAll();
    m_panel->hide();
    m_frame.panelBuildStarted();
    SwitchPanelBuilder(*m_panel, *m_frame.mainStatusBar(), m_platform.messages)
        .build(
            m_files, componentNames(),
            [this](SwitchControl *control) {
                m_rules->attach(control);
                m_frame.controlMade(control->widget(), m_panel->label(control->name()));
            },
            // The panel shows no more of itself than the window holds; a window
            // that grows has the panel make what comes into view.
            QRect(QPoint(0, 0), m_frame.mainWindow()->size()));
    m_frame.panelBuildFinished();
    m_frame.setCaption(versionCaption());
    m_panel->show();
}

void SwitchCommands::DeleteSwitches()
{
    m_panel->hide();
    m_panel->removeAll();
    m_panel->show();
}

void SwitchCommands::ReloadDVDatabase()
{
    const MsgAnswer answer = m_platform.messages.show(
        MsgType::Warning,
        QStringLiteral("You are going to reload Dravopax Database. You will lost every changes.\n"
                       "All switches will back to their defaults.\nAre you sure you want continue?"),
        MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return;
    DeleteSwitches();
    // Without a selected version there is nothing to build for; the first
    // version picked builds the panel.
    if (!m_versionNotSet)
        CreateSwitches();
}

QString SwitchCommands::versionCaption() const
{
    return QStringLiteral("Dravopax Vevavav - ver. ") +
           TIniFile(m_files.versionIni())
               .ReadString(QStringLiteral("version"),
                           QStringLiteral("display") + m_settings.patchVersion().mid(3),
                           QStringLiteral("CORRUPT VERSION FILE"));
}

void SwitchCommands::mniFileLoadDefaultClick()
{
    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    for (SwitchControl *control : m_panel->controls()) {
        control->applyDefault(patch);
        m_rules->valueSet(control);
    }
}

void SwitchCommands::SetDravopaxVersion()
{
    QMenu *menu = m_items.menuDVSVersion;
    // Items of an earlier call go first, so a rebuilt menu never lists a version twice.
    for (QAction *old : menu->actions()) {
        if (old->objectName().startsWith(QLatin1String("ver"))) {
            menu->removeAction(old);
            delete old;
        }
    }
    if (!m_versionGroup) {
        m_versionGroup = new QActionGroup(this);
        m_versionGroup->setExclusive(true);
    }

    const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
    const int count = versionCount(versions);
    bool anyChecked = false;
    for (int n = 1; n <= count; ++n) {
        const QString caption =
            versions.ReadString(QStringLiteral("version"), QStringLiteral("display%1").arg(n),
                                QStringLiteral("CORRUPT VERSION FILE"));
        auto *item = new QAction(caption, menu);
        item->setObjectName(QStringLiteral("ver%1").arg(n));
        item->setStatusTip(caption);
        item->setCheckable(true);
        m_versionGroup->addAction(item);
        menu->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] {
            runReported(m_platform.messages, [this, item] { mniSettingsDVSVersionClick(item); });
        });
        if (m_settings.isPatchVersion(item->objectName())) {
            item->setChecked(true);
            anyChecked = true;
        }
    }
    if (anyChecked || !m_settings.patchVersionToCheck())
        return;
    m_platform.messages.show(MsgType::Warning,
                             QStringLiteral("Version was founded in settings but it is no longer exist.\n"
                                            "Version set to the lowest possible."),
                             MsgButtons::Ok);
    m_settings.setPatchVersion(QStringLiteral("ver1"));
    if (auto *first = menu->findChild<QAction *>(QStringLiteral("ver1")))
        first->setChecked(true);
}

void SwitchCommands::mniSettingsDVSVersionClick(QAction *item)
{
    m_panel->setEnabled(false);
    // A settings file that refuses the choice must not leave the panel locked.
    const auto unlock = qScopeGuard([this] { m_panel->setEnabled(true); });

    if (m_settings.isPatchVersion(item->objectName()))
        item->setChecked(true);
    m_settings.setPatchVersion(item->objectName());

    if (m_versionNotSet) {
        CreateSwitches();
    } else {
        // Only the greying changes, so the values the user set survive.
        const int current = selectedVersionNumber(m_settings.patchVersion());
        const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
        const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
        m_panel->setAvailability(
            [&](const QString &name) { return isSwitchAvailable(patch, versions, name, current); });
        m_frame.setCaption(versionCaption());
    }
    m_versionNotSet = false;
}

ComponentNameSet SwitchCommands::componentNames() const
{
    const QWidget *main = m_frame.mainWindow();
    // The other windows and their parts have names of their own.
    const auto inOtherWindow = [main](const QObject *object) {
        for (; object && object != main; object = object->parent()) {
            if (qobject_cast<const QDialog *>(object))
                return true;
        }
        return false;
    };
    ComponentNameSet names;
    names.insert(main->objectName());
    for (const QObject *child : main->findChildren<QObject *>()) {
        if (!child->objectName().isEmpty() &&
            !m_panel->surface()->isAncestorOf(qobject_cast<const QWidget *>(child)) && !inOtherWindow(child))
            names.insert(child->objectName());
    }
    return names;
}
