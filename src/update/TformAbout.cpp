#include "TformAbout.h"
#include "base/ProgramSettings.h"

#include "base/Look.h"
#include "base/ProgramInfo.h"
#include "ini/TIniFile.h"
#include "platform/Shell.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text, QPoint at, QSize size = QSize())
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->move(at);
    if (size.isValid())
        l->resize(size);
    else
        l->adjustSize();
    return l;
}

QFont boldFont(QFont f, int pixels = 0, bool underline = false)
{
    if (pixels > 0)
        f.setPixelSize(pixels);
    f.setBold(true);
    f.setUnderline(underline);
    return f;
}

QLabel *boldLabel(QWidget *parent, const char *name, const QString &text, QPoint at)
{
    QLabel *l = label(parent, name, text, at);
    l->setFont(boldFont(parent->font()));
    l->adjustSize();
    return l;
}

} // namespace

TformAbout::TformAbout(ProgramFiles files, Platform platform, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_files(std::move(files)),
      m_platform(platform)
{
    setObjectName(QStringLiteral("formAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFont(windowFont());
    setFixedSize(326, 205);
    createControls();
}

void TformAbout::createControls()
{
    const QFont base = font();
    lablDVS1 = label(this, "lablDVS1", QString(40, QLatin1Char(' ')), QPoint(2, 2), QSize(281, 33));
    lablDVS1->setFont(boldFont(base, 24, true));
    setTextColour(lablDVS1, Qt::yellow);
    lablDVS3 = label(this, "lablDVS3", QStringLiteral("DRAVOPAX Vevavav"), QPoint(2, 2), QSize(281, 33));
    lablDVS3->setFont(boldFont(base, 24));
    lablDVS3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(lablDVS3, QColor(0x80, 0, 0x80));
    lablDVS2 = label(this, "lablDVS2", QStringLiteral("DRAVOPAX Vevavav"), QPoint(0, 0), QSize(281, 33));
    lablDVS2->setFont(boldFont(base, 24, true));
    lablDVS2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(lablDVS2, Qt::black);
    imgeIcon = label(this, "imgeIcon", QString(), QPoint(288, 0), QSize(33, 33));
    imgeIcon->setPixmap(QPixmap(QStringLiteral(":/images/icon32.png")));
    lablInfo = label(this, "lablInfo", QStringLiteral("Created for ZVT & Dravopax"), QPoint(82, 32));
    lablInfo->setFont(boldFont(base));
    setTextColour(lablInfo, QColor(0x80, 0, 0x80));
    lablInfo->adjustSize();

    boldLabel(this, "lablWWW", QStringLiteral("WWW:"), QPoint(8, 56));
    lablDVSWWW = label(this, "lablDVSWWW", ProgramInfo::HomePage, QPoint(50, 56));
    boldLabel(this, "lablMail", QStringLiteral("E-Mail:"), QPoint(8, 72));
    lablDVSMail = label(this, "lablDVSMail", ProgramInfo::AuthorMail, QPoint(50, 72));
    for (QLabel *link : {lablDVSWWW, lablDVSMail}) {
        link->setFont(boldFont(base, 0, true));
        link->adjustSize();
        setTextColour(link, Qt::blue);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    boldLabel(this, "lablVersion", QStringLiteral("Version:"), QPoint(8, 96));
    label(this, "lablVersion1", QStringLiteral("Exectuable:"), QPoint(16, 112));
    lablVersionExe = label(this, "lablVersionExe", ProgramInfo::VersionText, QPoint(80, 112));
    label(this, "lablVersion2", QStringLiteral("DVS Data:"), QPoint(24, 128));
    lablVersionDVSData = label(this, "lablVersionDVSData", QString(), QPoint(80, 128), QSize(240, 14));
    label(this, "lablVersion3", QStringLiteral("Patch Data:"), QPoint(16, 144));
    lablVersionPatchData = label(this, "lablVersionPatchData", QString(), QPoint(80, 144), QSize(240, 14));
    label(this, "lablVersion4", QStringLiteral("Help:"), QPoint(48, 160));
    lablVersionHelp = label(this, "lablVersionHelp", QString(), QPoint(80, 160), QSize(240, 14));
    boldLabel(this, "Label1", QStringLiteral("Current Running:"), QPoint(8, 184));
    labCOUNT = label(this, "labCOUNT", QString(), QPoint(110, 184), QSize(100, 14));

    butnClose = new QPushButton(QStringLiteral("&Close"), this);
    butnClose->setObjectName(QStringLiteral("butnClose"));
    butnClose->setGeometry(240, 176, 81, 25);
    butnClose->setFont(boldFont(base));
    connect(butnClose, &QPushButton::clicked, this, &TformAbout::butnCloseClick);
}

void TformAbout::FormActivate()
{
    const QString notFound = QStringLiteral("Not found");
    lablVersionDVSData->setText(
        TIniFile(m_files.dataIni()).ReadString(QStringLiteral("Data"), QStringLiteral("data"), notFound));
    lablVersionHelp->setText(
        TIniFile(m_files.helpIni()).ReadString(QStringLiteral("Data"), QStringLiteral("data"), notFound));
    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    QString patchData = patch.ReadString(QStringLiteral("data"), QStringLiteral("orgdata"), notFound);
    if (patch.ReadBool(QStringLiteral("data"), QStringLiteral("userchnage"), false))
        patchData += QStringLiteral(", User: ") +
                     patch.ReadString(QStringLiteral("data"), QStringLiteral("userdata"), notFound);
    lablVersionPatchData->setText(patchData);
    labCOUNT->setText(QString::number(ProgramSettings(m_files.settingsIni()).startCountShown()));
}

void TformAbout::OpenWWW()
{
    (void)m_platform.shell.open(lablDVSWWW->text(), QString(), QString());
}

void TformAbout::SendMail()
{
    (void)m_platform.shell.open(QStringLiteral("mailto:") + lablDVSMail->text() +
                                    QStringLiteral("?subject=Dravopax Vevavav"),
                                QString(), QString());
}

bool TformAbout::event(QEvent *event)
{
    // Shown or brought back to the front: the data files may have changed since.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        FormActivate();
    return QDialog::event(event);
}

bool TformAbout::eventFilter(QObject *watched, QEvent *event)
{
    auto *link = qobject_cast<QLabel *>(watched);
    if (link && (link == lablDVSWWW || link == lablDVSMail)) {
        switch (event->type()) {
        case QEvent::Enter:
            setTextColour(link, Qt::red);
            break;
        case QEvent::Leave:
            setTextColour(link, Qt::blue);
            break;
        case QEvent::MouseButtonRelease: {
            const auto *release = static_cast<QMouseEvent *>(event);
            if (release->button() != Qt::LeftButton || !link->rect().contains(release->position().toPoint()))
                break;
            if (link == lablDVSWWW)
                OpenWWW();
            else
                SendMail();
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
