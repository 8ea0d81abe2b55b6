#include "SwitchPanelBuilder.h"
#include "base/SettingNames.h"

#include "Availability.h"
#include "CheckSum.h"
#include "ComponentNames.h"
#include "SwitchControls.h"
#include "SwitchDefinition.h"
#include "SwitchPanel.h"
#include "base/ProgramFiles.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <array>
#include <memory>
#include <optional>

namespace {

// A caption label shows "&&" as "&" and drops a single "&", the accelerator mark.
QString labelText(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return text;
}

QLabel *makeLabel(QWidget *surface, const SwitchDefinition &d, const QString &text)
{
    auto *label = new QLabel(labelText(text), surface);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QStringLiteral("Label") + d.name);
    label->setStatusTip(d.hint);
    label->adjustSize();
    label->move(d.left, d.top);
    return label;
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left, top, width, height);
}

struct Created
{
    SwitchControl *control = nullptr;
    QLabel *label = nullptr;
};

Created createSwitch(QWidget *surface, const SwitchDefinition &d)
{
    Created c;
    switch (d.kind) {
    case SwitchKind::Number: {
        c.label = makeLabel(surface, d, d.caption);
        auto *spin = new NumberSwitch(surface);
        place(spin, d.left + c.label->width() + 2, d.top, d.width, spin->sizeHint().height());
        spin->setMaxValue(d.maxValue);
        spin->setMinValue(d.minValue);
        spin->setValue(d.value);
        c.control = spin;
        break;
    }
    case SwitchKind::OnOff: {
        auto *box = new OnOffSwitch(surface);
        place(box, d.left, d.top, d.width, box->sizeHint().height());
        box->setText(d.caption);
        box->setChecked(d.checked);
        c.control = box;
        break;
    }
    case SwitchKind::Choice: {
        c.label = makeLabel(surface, d, d.caption + QLatin1Char(':'));
        auto *combo = new ChoiceSwitch(surface);
        place(combo, d.left, d.top + c.label->height(), d.width, combo->sizeHint().height());
        combo->addItems(d.items);
        combo->setCurrentIndex(d.items.isEmpty() ? -1 : 0);
        c.control = combo;
        break;
    }
    case SwitchKind::Text: {
        c.label = makeLabel(surface, d, d.caption);
        auto *edit = new TextSwitch(surface);
        place(edit, d.left + c.label->width() + 2, d.top, d.width, edit->sizeHint().height());
        edit->setText(d.text);
        c.control = edit;
        break;
    }
    case SwitchKind::Set: {
        c.label = makeLabel(surface, d, d.caption + QLatin1Char(':'));
        auto *list = new SetSwitch(surface);
        place(list, d.left, d.top + c.label->height(), d.width, d.height);
        list->setItems(d.items);
        list->setCheckStates(decomposeCheckSum(d.value, d.weights, QList<bool>(d.weights.size(), false)));
        c.control = list;
        break;
    }
    }
    c.control->widget()->setObjectName(d.name);
    c.control->widget()->setStatusTip(d.hint);
    return c;
}

// Where the label and control of a switch will stand, at most: the label as
// wide as its characters' advances, the controls of one text line as high as
// two lines.
class AreaEstimate
{
public:
    explicit AreaEstimate(const QFont &font) : m_metrics(font) {}

    QRect of(const SwitchDefinition &d)
    {
        const int lineHeight = m_metrics.height() + 1;
        const int controlHeight = 2 * lineHeight + 4;
        const QRect box(d.left, d.top, d.width, controlHeight);
        switch (d.kind) {
        case SwitchKind::OnOff:
            return box;
        case SwitchKind::Number:
        case SwitchKind::Text: {
            const int labelWidth = widthOf(d.caption);
            return QRect(d.left, d.top, labelWidth, lineHeight) | box.translated(labelWidth + 2, 0);
        }
        case SwitchKind::Choice:
        case SwitchKind::Set: {
            const int labelWidth = widthOf(d.caption) + m_metrics.maxWidth();
            const int height = d.kind == SwitchKind::Set ? d.height : controlHeight;
            return QRect(d.left, d.top, labelWidth, lineHeight) |
                   QRect(d.left, d.top + lineHeight, d.width, height);
        }
        }
        return box;
    }

private:
    int widthOf(const QString &caption)
    {
        int width = 0;
        for (const QChar c : caption) {
            if (c.unicode() >= m_advances.size())
                return m_metrics.horizontalAdvance(caption) + m_metrics.maxWidth();
            int &advance = m_advances[c.unicode()];
            if (advance < 0)
                advance = m_metrics.horizontalAdvance(c);
            width += advance;
        }
        return width + m_metrics.maxWidth();
    }

    QFontMetrics m_metrics;
    std::array<int, 256> m_advances = makeUnknown();
    static std::array<int, 256> makeUnknown()
    {
        std::array<int, 256> a;
        a.fill(-1);
        return a;
    }
};

} // namespace

SwitchPanelBuilder::SwitchPanelBuilder(SwitchPanel &panel, QStatusBar &statusBar, MessageBoxes &messages)
    : m_panel(panel), m_statusBar(statusBar), m_messages(messages)
{}

void SwitchPanelBuilder::build(const ProgramFiles &files, ComponentNameSet reservedNames,
                               const std::function<void(SwitchControl *)> &attach, const QRect &madeAtOnce)
{
    // One consistent view of each file for the whole build.
    const IniSnapshot patch = TIniFile(files.patchIni()).snapshot();
    const IniSnapshot settings = TIniFile(files.settingsIni()).snapshot();
    const IniSnapshot versions = TIniFile(files.versionIni()).snapshot();

    // The status bar's message would cover the progress bar; it comes back afterwards.
    const QString message = m_statusBar.currentMessage();
    m_statusBar.clearMessage();
    auto progress = std::make_unique<QProgressBar>();
    progress->setObjectName(QStringLiteral("barProgress"));
    progress->setTextVisible(false);
    progress->setRange(0,
                       std::max(0, patch.ReadInteger(QStringLiteral("data"), QStringLiteral("number"), 0)));
    progress->setValue(0);
    m_statusBar.addWidget(progress.get(), 1);
    progress->show();

    const int current =
        selectedVersionNumber(settings.ReadString(kDvs, QStringLiteral("version"), QStringLiteral("1")));
    const bool look3D = settings.ReadBool(kDvs, QStringLiteral("3dlook"), true);
    SwitchPanel *panel = &m_panel;
    m_panel.setMaker([panel, look3D, attach](const SwitchDefinition &definition, bool enabled) {
        const Created created = createSwitch(panel->surface(), definition);
        if (!enabled)
            created.control->widget()->setEnabled(false);
        if (definition.kind != SwitchKind::Choice)
            created.control->setLook3D(look3D);
        else
            static_cast<ChoiceSwitch *>(created.control)->setDroppedWidth(definition.droppedWidth);
        panel->add(created.control, created.label);
        attach(created.control);
    });
    AreaEstimate estimate(m_panel.surface()->font());

    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    int step = 0;
    bool first = true;
    QString lastSection;
    for (const QString &section : patch.ReadAllSections()) {
        ++step;
        if (step <= progress->maximum())
            progress->setValue(step);
        if (sinceRepaint.elapsed() > 100) {
            progress->repaint();
            sinceRepaint.restart();
        }

        std::optional<SwitchDefinition> definition = SwitchDefinition::read(patch, section);
        if (!definition)
            continue;
        if (!isValidComponentName(section)) {
            m_messages.show(MsgType::Error, invalidComponentNameMessage(section), MsgButtons::Ok);
            continue;
        }
        const bool hasLabel = definition->kind != SwitchKind::OnOff;
        const QString labelName = QStringLiteral("Label") + section;
        if (reservedNames.contains(section) || (hasLabel && reservedNames.contains(labelName))) {
            const QString clash = reservedNames.contains(section) ? section : labelName;
            m_messages.show(MsgType::Error, duplicateComponentNameMessage(clash), MsgButtons::Ok);
            continue;
        }
        reservedNames.insert(section);
        if (hasLabel)
            reservedNames.insert(labelName);

        const bool enabled = isSwitchAvailable(patch, versions, section, current);
        const QRect area = estimate.of(*definition);
        m_panel.addDeferred(std::move(*definition), enabled, area);
        // What the screen can show is made now, everything else once it is
        // needed; the first and the last switch end the panel's Tab order.
        if (first || area.intersects(madeAtOnce))
            m_panel.control(section);
        first = false;
        lastSection = section;
    }
    if (!lastSection.isEmpty())
        m_panel.control(lastSection);
    m_panel.fitSurface();

    m_statusBar.removeWidget(progress.get());
    progress.reset();
    if (!message.isEmpty())
        m_statusBar.showMessage(message);
}
