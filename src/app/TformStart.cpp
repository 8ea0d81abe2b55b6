#include "TformStart.h"

#include "ProgramWindows.h"
#include "TformMain.h"
#include "base/Look.h"
#include "base/ProgramInfo.h"
#include "base/ProgramSettings.h"
#include "config/ConfigCommands.h"
#include "editors/EditorCommands.h"
#include "game/GameCommands.h"
#include "platform/Clock.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "switches/SwitchCommands.h"

#include <QBitmap>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometry);
    return l;
}

QFont splashFont(int pixels, bool bold, bool underline = false)
{
    QFont f = tahomaFont();
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

// The picture's rounded edge, which the text keeps clear of.
constexpr int kEdge = 12;

// Sets the label's font as large as it can be, up to `font`'s size, with the
// text still fitting `width`: the faces this system has may run wider than Tahoma.
void fitText(QLabel *label, QFont font, int width)
{
    // Text widths grow about in step with the size, so the fitting size is
    // found at once; each size tried costs a font of its own.
    const int advance = QFontMetrics(font).horizontalAdvance(label->text());
    if (advance > width)
        font.setPixelSize(std::max(6, font.pixelSize() * width / advance));
    while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(label->text()) > width)
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
}

} // namespace

TformStart::TformStart(ProgramFiles files, Platform platform, ProgramWindows &windows)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_files(std::move(files)), m_platform(platform), m_windows(windows)
{
    setObjectName(QStringLiteral("formStart"));
    setFixedSize(281, 155);
    move(77, 77);
    m_picture = QPixmap(QStringLiteral(":/images/splash.png")).scaled(size());
    // The grey of the picture is see-through, so only its shape shows.
    setMask(QBitmap::fromImage(
        m_picture.toImage().createMaskFromColor(QColor(191, 191, 191).rgb(), Qt::MaskInColor)));
    createControls();
}

void TformStart::createControls()
{
    // Centred across the picture; the shadow lies two pixels to the right.
    const int titleWidth = width() - 2 * (kEdge + 2);
    lablDVS3 = label(this, "lablDVS3", QStringLiteral("DRAVOPAX Vevavav"), QRect(2, 4, 281, 33));
    fitText(lablDVS3, splashFont(27, true), titleWidth);
    lablDVS3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(lablDVS3, QColor(0xB9, 0x00, 0xB9));
    lablDVS2 = label(this, "lablDVS2", QStringLiteral("DRAVOPAX Vevavav"), QRect(0, 2, 281, 33));
    fitText(lablDVS2, splashFont(27, true, true), titleWidth);
    lablDVS2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(lablDVS2, Qt::black);

    lablInfo = label(this, "lablInfo", QStringLiteral("Created for ZVT & Dravopax"), QRect(48, 36, 225, 14));
    fitText(lablInfo, splashFont(11, true), lablInfo->width());
    setTextColour(lablInfo, QColor(0x80, 0, 0));
    lablDVSWWW = label(this, "lablDVSWWW", ProgramInfo::HomePage, QRect(48, 50, 225, 14));
    lablDVSMail = label(this, "lablDVSMail", ProgramInfo::AuthorMail, QRect(48, 64, 225, 14));
    for (QLabel *link : {lablDVSWWW, lablDVSMail}) {
        fitText(link, splashFont(11, true, true), link->width());
        setTextColour(link, Qt::blue);
    }
    imgeIcon = label(this, "imgeIcon", QString(), QRect(10, 38, 32, 32));
    imgeIcon->setPixmap(QPixmap(QStringLiteral(":/images/icon32.png")));

    const QRect trainCars[] = {{6, 80, 34, 17},   {37, 80, 32, 17},  {66, 80, 32, 17},
                               {95, 80, 32, 17},  {124, 80, 32, 17}, {153, 80, 32, 17},
                               {182, 80, 32, 17}, {211, 80, 32, 17}, {240, 80, 34, 17}};
    QLabel **cars[] = {&imgICEFront, &imgICEVan1, &imgICEVan2, &imgICEVan3, &imgICEVan4,
                       &imgICEVan5,  &imgICEVan6, &imgICEVan7, &imgICEBack};
    const char *carNames[] = {"imgICEFront", "imgICEVan1", "imgICEVan2", "imgICEVan3", "imgICEVan4",
                              "imgICEVan5",  "imgICEVan6", "imgICEVan7", "imgICEBack"};
    for (int i = 0; i < 9; ++i) {
        *cars[i] = label(this, carNames[i], QString(), trainCars[i]);
        const QString picture = i == 0   ? QStringLiteral("train_front")
                                : i == 8 ? QStringLiteral("train_back")
                                         : QStringLiteral("train_van");
        (*cars[i])->setPixmap(QPixmap(QStringLiteral(":/images/%1.png").arg(picture)));
        (*cars[i])->hide();
    }

    label(this, "lablVersion", QStringLiteral("Version:"), QRect(8, 100, 44, 14))
        ->setFont(splashFont(10, true));
    lablVersionExe = label(this, "lablVersionExe", ProgramInfo::VersionText, QRect(52, 100, 106, 14));
    lablVersionExe->setFont(splashFont(10, false));
    QLabel *by = label(this, "lablBy", QStringLiteral("by the DV team"), QRect(160, 100, 113, 14));
    by->setFont(splashFont(10, false));
    by->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label(this, "lablVersionNumberCaption", QStringLiteral("Version Number:"), QRect(10, 114, 80, 14))
        ->hide();
    lablVersionNumber = label(this, "lablVersionNumber", ProgramInfo::VersionNumber, QRect(90, 114, 40, 14));
    lablVersionNumber->hide();

    Label1 = label(this, "Label1", QStringLiteral("Loading"), QRect(0, 120, 281, 14));
    Label1->setAlignment(Qt::AlignHCenter);
    Label1->setFont(splashFont(11, true));
    lablLoading =
        label(this, "lablLoading", QStringLiteral("...::: Initializing :::..."), QRect(0, 136, 281, 14));
    lablLoading->setAlignment(Qt::AlignHCenter);
    lablLoading->setFont(splashFont(11, false));
}

void TformStart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture);
}

void TformStart::progress(const QString &text)
{
    lablLoading->setText(text);
    m_platform.clock.sleep(m_waitTime);
    // Only the progress line and the train change from step to step.
    repaint(lablLoading->geometry() | imgICEFront->geometry().united(imgICEBack->geometry()));
}

void TformStart::BeforeInitialize(const QString &commandTail)
{
    imgICEFront->show();
    // Begun first, taken after the last pause: a Wine prefix's registry is
    // read by Wine, whose start takes about a second when its server is not
    // running yet, and the read starts that server too.
    m_zvtSettings = m_platform.registry.openKeyLater(ProgramInfo::GameRegistryKey);
    progress(QStringLiteral("...::: Initializing :::..."));
    m_startFile = commandTail;
    // Without settings.ini the start does not pause at all.
    if (QFileInfo::exists(m_files.settingsIni())) {
        const int wait = ProgramSettings(m_files.settingsIni()).waitTime();
        m_waitTime = (wait > 1000 || wait < 0) ? 50 : wait;
    }
}

void TformStart::AfterInitialize()
{
    progress(QStringLiteral("...::: Initializing Done:::..."));
    imgICEVan1->show();
}

void TformStart::BeforeFormMain()
{
    progress(QStringLiteral("...::: Creating Main Program :::..."));
}

void TformStart::AfterFormMain()
{
    progress(QStringLiteral("...::: Main Program Created :::..."));
    progress(QStringLiteral("...::: Reading ZVT Settings :::..."));
    progress(QStringLiteral("...::: Checking ZVT Path :::..."));
    m_windows.game().CheckZVTDirectoryAtStart();
    progress(QStringLiteral("...::: Checking ZVT Version :::..."));
    imgICEVan2->show();
    m_windows.game().ApplyGameMenuRule();
    progress(QStringLiteral("...::: Checking DVS Settings :::..."));
    applyDVSSettings();
    progress(QStringLiteral("...::: Loading Dravopax Versions Data :::..."));
    loadVersionsAndSwitches();
    progress(QStringLiteral("...::: Adding Links & E-Mails :::..."));
    imgICEVan4->show();
    m_windows.editors().AddLinks();
    progress(QStringLiteral("...::: Setting Position :::..."));
    m_windows.placeMainWindow();
}

void TformStart::readZVTSettings()
{
    const std::unique_ptr<RegistryKey> key = std::exchange(m_zvtSettings, nullptr)->take();
    // A registry that could not be asked (a Wine tool that hung) is said once;
    // the start goes on as without the values.
    if (!key->problem().isEmpty()) {
        m_platform.messages.show(MsgType::Error, key->problem(), MsgButtons::Ok);
        return;
    }
    for (const QString &name : ProgramInfo::GameSettingNames) {
        if (!key->valueExists(name))
            return;
    }
    // A value of the wrong type only costs the check marks of the game's
    // settings; the program still starts.
    try {
        const bool fullScreen = key->readBool(QStringLiteral("FullScreen"));
        const bool safeMode = key->readBool(QStringLiteral("SafeMode"));
        const int updateMode = key->readInteger(QStringLiteral("UpdateMode"));
        const int midiType = key->readInteger(QStringLiteral("MidiType"));
        const bool mousePointerWin = key->readBool(QStringLiteral("MousePointer"));
        m_windows.game().ZVTSettings(fullScreen, safeMode, updateMode, midiType, mousePointerWin);
    } catch (const DvsError &error) {
        m_platform.messages.show(MsgType::Error, error.message(), MsgButtons::Ok);
    }
}

void TformStart::applyDVSSettings()
{
    m_windows.formMain().ApplyProgramSettings();
    m_windows.config().ApplyStartupChoice();
    m_windows.game().ApplyRunSettings();
    const ProgramSettings settings(m_files.settingsIni());
    const std::optional<QString> startup = settings.startupFile();
    if (startup &&
        (m_startFile.isEmpty() || m_startFile == QLatin1String(" ") || m_startFile == QLatin1String("0")))
        m_startFile = *startup;
}

void TformStart::loadVersionsAndSwitches()
{
    SwitchCommands &switches = m_windows.switches();
    switches.SetDravopaxVersion();
    if (ProgramSettings(m_files.settingsIni()).patchVersionStored()) {
        switches.setVersionNotSet(false);
        progress(QStringLiteral("...::: Creating Dravopax Switches :::..."));
        switches.CreateSwitches();
        progress(QStringLiteral("...::: Dravopax Switches Done :::..."));
        imgICEVan3->show();
        return;
    }
    m_windows.formMain().setWindowTitle(QStringLiteral("Dravopax Vevavav - version not set"));
    switches.setVersionNotSet(true);
    m_platform.messages.show(
        MsgType::Information,
        QStringLiteral("Settings File was not found or you do not select your Dravopax version "
                       "yet.\nIf you want edit Dravopax switches you must select your Dravopax "
                       "Version."),
        MsgButtons::Ok);
    progress(QStringLiteral("...::: Dravopax Switches  Not Done :::..."));
}

void TformStart::BeforeFormAbout()
{
    progress(QStringLiteral("...::: Creating About Window :::..."));
}

void TformStart::AfterFormAbout()
{
    progress(QStringLiteral("...::: About Window Done :::..."));
    imgICEVan5->show();
}

void TformStart::BeforeFormSwitches()
{
    progress(QStringLiteral("...::: Creating Dravopax Switches Editor :::..."));
}

void TformStart::AfterFormSwitches()
{
    progress(QStringLiteral("...::: Dravopax Switches Editor Done:::..."));
}

void TformStart::BeforeFormVersion()
{
    progress(QStringLiteral("...::: Creating Dravopax Versions Editor :::..."));
    imgICEVan6->show();
}

void TformStart::AfterFormVersion()
{
    progress(QStringLiteral("...::: Dravopax Versions Editor Done :::..."));
}

void TformStart::BeforeFormGrfManager()
{
    progress(QStringLiteral("...::: Creating Grf Manager :::..."));
}

void TformStart::AfterFormGrfManager()
{
    progress(QStringLiteral("...::: Grf Manager Done :::..."));
}

void TformStart::BeforeFormMkdvtxt()
{
    progress(QStringLiteral("...::: Creating Mkdvtxt Tool :::..."));
    imgICEVan7->show();
}

void TformStart::AfterFormMkdvtxt()
{
    progress(QStringLiteral("...::: Mkdvtxt Tool Done :::..."));
}

void TformStart::BeforeFormPrograms()
{
    progress(QStringLiteral("...::: Creating Programs Shortcuts Editor :::..."));
    m_windows.editors().AddPrograms();
}

void TformStart::AfterFormPrograms()
{
    progress(QStringLiteral("...::: Programs Shortcuts Editor Done :::..."));
}

void TformStart::BeforeFormLinks()
{
    progress(QStringLiteral("...::: Creating Links Editor Done :::..."));
}

void TformStart::AfterFormLinks()
{
    progress(QStringLiteral("...::: Links Editor Done :::..."));
}

void TformStart::BeforeFormUpdate()
{
    progress(QStringLiteral("...::: Initializing Auto-Updating :::..."));
}

void TformStart::AfterFormUpdate()
{
    progress(QStringLiteral("...::: Auto-Updating Done :::..."));
}

void TformStart::Ending()
{
    progress(QStringLiteral("...::: WELCOME :::..."));
    imgICEBack->show();
    repaint();
    // The splash stays a second with the whole train. What is left before the
    // main window shows is done within that second instead of after it.
    m_platform.clock.pause(1000, [this] {
        countStart();
        loadStartFile();
        m_windows.prepareMainWindow();
    });
    // Taken last: Wine's first read, begun at the first step, has had the whole
    // second to start its server and answer.
    readZVTSettings();
}

void TformStart::countStart()
{
    ProgramSettings settings(m_files.settingsIni());
    try {
        const int counted = settings.startCount();
        settings.setStartCount(counted < INT_MAX ? counted + 1 : counted);
    } catch (const DvsError &error) {
        // The start goes on; the user learns that this start was not counted.
        m_platform.messages.show(MsgType::Error, error.message(), MsgButtons::Ok);
    }
}

void TformStart::loadStartFile()
{
    // The whole tail is one path: nothing is unquoted or split, and only an
    // extension of exactly ".cfg" counts.
    const QFileInfo file(m_startFile);
    if (m_startFile.isEmpty() || !file.isFile() || !file.fileName().contains(QLatin1Char('.')) ||
        file.fileName().mid(file.fileName().lastIndexOf(QLatin1Char('.'))) != QLatin1String(".cfg"))
        return;
    // A file with a value the switches cannot take is reported like any load,
    // and the program still starts: otherwise a stored start file with such a
    // value would stop every start from then on.
    try {
        m_windows.config().LoadCFG(m_startFile);
    } catch (const DvsError &error) {
        m_platform.messages.show(MsgType::Error, error.message(), MsgButtons::Ok);
    }
}
