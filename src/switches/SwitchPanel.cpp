#include "SwitchPanel.h"

#include "SwitchControls.h"
#include "base/Look.h"

#include <QApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollBar>
#include <QWheelEvent>

SwitchPanel::SwitchPanel(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("scrlMain"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    verticalScrollBar()->setSingleStep(5);
    horizontalScrollBar()->setSingleStep(5);
    verticalScrollBar()->setTracking(true);
    horizontalScrollBar()->setTracking(true);
    QFont font = tahomaFont();
    font.setPixelSize(11);
    setFont(font);
    newSurface();
    viewport()->installEventFilter(this);
}

void SwitchPanel::newSurface()
{
    if (m_surface) {
        // Deleted by the event loop once the events its controls still await
        // are delivered: deleting a widget with events waiting searches the
        // whole queue, which would make a large panel slow to replace.
        m_surface->hide();
        takeWidget();
        m_surface->deleteLater();
    }
    m_surface = new QWidget;
    m_surface->resize(0, 0);
    setWidget(m_surface);
}

void SwitchPanel::add(SwitchControl *control, QLabel *label)
{
    QWidget *widget = control->widget();
    if (m_making) {
        m_entries[*m_making].control = control;
    } else {
        m_entries.push_back({control->name(), control, nullptr, true, QRect()});
        m_byName.insert(control->name(), m_entries.size() - 1);
    }
    m_controlsCurrent = false;
    // Scrolling past a control must not change it: an unfocused control gives
    // the wheel to the panel.
    widget->installEventFilter(this);
    if (auto *list = qobject_cast<QAbstractScrollArea *>(widget))
        list->viewport()->installEventFilter(this);
    if (label)
        m_labels.insert(control->name(), label);
    // A child added to a surface already on screen is not shown with it.
    if (m_surface->isVisible()) {
        if (label)
            label->show();
        widget->show();
    }
}

void SwitchPanel::addDeferred(SwitchDefinition definition, bool enabled, QRect area)
{
    const QString name = definition.name;
    m_entries.push_back(
        {name, nullptr, std::make_unique<SwitchDefinition>(std::move(definition)), enabled, area});
    m_byName.insert(name, m_entries.size() - 1);
    ++m_deferredCount;
    m_controlsCurrent = false;
}

void SwitchPanel::make(std::size_t index)
{
    Entry &entry = m_entries[index];
    if (!entry.deferred || !m_maker)
        return;
    const std::unique_ptr<SwitchDefinition> definition = std::move(entry.deferred);
    m_making = index;
    const auto done = qScopeGuard([this] { m_making.reset(); });
    m_maker(*definition, entry.deferredEnabled);
    --m_deferredCount;
    if (!entry.control)
        return;
    // Tab goes through the switches in panel order, whenever each was made.
    for (std::size_t before = index; before-- > 0;) {
        if (m_entries[before].control) {
            QWidget::setTabOrder(m_entries[before].control->widget(), entry.control->widget());
            break;
        }
    }
}

const std::vector<SwitchControl *> &SwitchPanel::controls()
{
    if (m_deferredCount > 0) {
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            make(i);
        fitSurface();
    }
    if (!m_controlsCurrent) {
        m_controls.clear();
        m_controls.reserve(m_entries.size());
        for (const Entry &entry : m_entries) {
            if (entry.control)
                m_controls.push_back(entry.control);
        }
        m_controlsCurrent = true;
    }
    return m_controls;
}

SwitchControl *SwitchPanel::control(const QString &name)
{
    const auto it = m_byName.constFind(name);
    if (it == m_byName.cend())
        return nullptr;
    make(*it);
    return m_entries[*it].control;
}

QLabel *SwitchPanel::label(const QString &switchName)
{
    control(switchName);
    return m_labels.value(switchName, nullptr);
}

void SwitchPanel::setAvailability(const std::function<bool(const QString &)> &available)
{
    for (Entry &entry : m_entries) {
        if (entry.control)
            entry.control->widget()->setEnabled(available(entry.name));
        else
            entry.deferredEnabled = available(entry.name);
    }
}

void SwitchPanel::makeControlsIn(const QRect &area)
{
    if (m_deferredCount == 0)
        return;
    bool made = false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].deferred && m_entries[i].deferredArea.intersects(area)) {
            make(i);
            made = true;
        }
    }
    if (made)
        fitSurface();
}

void SwitchPanel::makeVisible(bool ahead)
{
    // When scrolling, half a view beyond it either way, so that scrolling on
    // meets controls already made.
    const QRect view(-m_surface->pos(), viewport()->size());
    makeControlsIn(
        ahead ? view.adjusted(-view.width() / 2, -view.height() / 2, view.width() / 2, view.height() / 2)
              : view);
}

void SwitchPanel::removeAll()
{
    m_entries.clear();
    m_deferredCount = 0;
    m_controls.clear();
    m_controlsCurrent = true;
    m_byName.clear();
    m_labels.clear();
    newSurface();
}

void SwitchPanel::fitSurface()
{
    QRect used = m_surface->childrenRect();
    if (m_deferredCount > 0) {
        for (const Entry &entry : m_entries) {
            if (entry.deferred)
                used |= entry.deferredArea;
        }
    }
    m_surface->resize(std::max(0, used.right() + 1 + 8), std::max(0, used.bottom() + 1 + 8));
}

void SwitchPanel::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    makeVisible(true);
}

bool SwitchPanel::focusNextPrevChild(bool next)
{
    // The switch that Tab moves on to gets its control first.
    if (m_deferredCount > 0) {
        for (QWidget *w = QApplication::focusWidget(); w && w != m_surface; w = w->parentWidget()) {
            const auto it = m_byName.constFind(w->objectName());
            if (it == m_byName.cend() || m_entries[*it].control != asSwitchControl(w))
                continue;
            for (std::size_t i = *it;;) {
                i = next ? i + 1 : i - 1;
                if (i >= m_entries.size())
                    break;
                if (m_entries[i].deferred) {
                    make(i);
                    fitSurface();
                }
                if (m_entries[i].control && m_entries[i].control->widget()->isEnabled())
                    break;
            }
            break;
        }
    }
    return QScrollArea::focusNextPrevChild(next);
}

bool SwitchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        makeVisible(false);
    if (event->type() == QEvent::Wheel) {
        // The wheel reaches a check list through its viewport.
        QObject *owner = asSwitchControl(watched) ? watched : watched->parent();
        SwitchControl *control = asSwitchControl(owner);
        auto *list = qobject_cast<QAbstractScrollArea *>(owner);
        const bool fromControl = owner == watched || (list && list->viewport() == watched);
        if (control && fromControl && !control->widget()->hasFocus()) {
            QCoreApplication::sendEvent(viewport(), event);
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}
