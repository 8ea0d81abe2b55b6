#include "app/TformMain.h"
#include "base/SettingNames.h"

#include "Availability.h"
#include "SwitchControls.h"
#include "SwitchPanel.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QScopeGuard>

namespace {

const QString kVersion = QStringLiteral("version");

} // namespace

void TformMain::SetDravopaxVersion()
{
    // Items of an earlier call go first, so a rebuilt menu never lists a version twice.
    for (QAction *old : menuDVSVersion->actions()) {
        if (old->objectName().startsWith(QLatin1String("ver"))) {
            menuDVSVersion->removeAction(old);
            delete old;
        }
    }
    if (!m_versionGroup) {
        m_versionGroup = new QActionGroup(this);
        m_versionGroup->setExclusive(true);
    }

    const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
    TIniFile settings(m_files.settingsIni());
    const int count = versionCount(versions);
    const QString stored = settings.ReadString(kDvs, kVersion, QStringLiteral("CORRUPT SETTING FILE"));
    bool anyChecked = false;
    for (int n = 1; n <= count; ++n) {
        const QString caption = versions.ReadString(kVersion, QStringLiteral("display%1").arg(n),
                                                    QStringLiteral("CORRUPT VERSION FILE"));
        auto *item = new QAction(caption, menuDVSVersion);
        item->setObjectName(QStringLiteral("ver%1").arg(n));
        item->setStatusTip(caption);
        item->setCheckable(true);
        m_versionGroup->addAction(item);
        menuDVSVersion->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, item] { guarded([this, item] { mniSettingsDVSVersionClick(item); }); });
        if (item->objectName() == stored) {
            item->setChecked(true);
            anyChecked = true;
        }
    }
    if (anyChecked || settings.ReadString(kDvs, kVersion, QStringLiteral("NO")) == QLatin1String("NO"))
        return;
    m_platform.messages.show(MsgType::Warning,
                             QStringLiteral("Version was founded in settings but it is no longer exist.\n"
                                            "Version set to the lowest possible."),
                             MsgButtons::Ok);
    settings.WriteString(kDvs, kVersion, QStringLiteral("ver1"));
    if (auto *first = menuDVSVersion->findChild<QAction *>(QStringLiteral("ver1")))
        first->setChecked(true);
}

void TformMain::mniSettingsDVSVersionClick(QAction *item)
{
    scrlMain->setEnabled(false);
    // A settings file that refuses the choice must not leave the panel locked.
    const auto unlock = qScopeGuard([this] { scrlMain->setEnabled(true); });

    TIniFile settings(m_files.settingsIni());
    if (settings.ReadString(kDvs, kVersion, QStringLiteral("0")) == item->objectName())
        item->setChecked(true);
    settings.WriteString(kDvs, kVersion, item->objectName());

    if (m_versionNotSet) {
        CreateSwitches();
    } else {
        // Only the greying changes, so the values the user set survive.
        const int current = selectedVersionNumber(settings.ReadString(kDvs, kVersion, QStringLiteral("1")));
        const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
        const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
        scrlMain->setAvailability(
            [&](const QString &name) { return isSwitchAvailable(patch, versions, name, current); });
        setWindowTitle(versionCaption());
    }
    m_versionNotSet = false;
}
