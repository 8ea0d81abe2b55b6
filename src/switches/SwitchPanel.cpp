#include "SwitchPanel.h"

#include "SwitchControls.h"
#include "app/Look.h"

#include <QCoreApplication>
#include <QLabel>
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
    m_controls.push_back(control);
    m_byName.insert(control->name(), control);
    // Scrolling past a control must not change it: an unfocused control gives
    // the wheel to the panel.
    control->widget()->installEventFilter(this);
    if (auto *list = qobject_cast<QAbstractScrollArea *>(control->widget()))
        list->viewport()->installEventFilter(this);
    if (label)
        m_labels.insert(control->name(), label);
}

SwitchControl *SwitchPanel::control(const QString &name) const
{
    return m_byName.value(name, nullptr);
}

QLabel *SwitchPanel::label(const QString &switchName) const
{
    return m_labels.value(switchName, nullptr);
}

void SwitchPanel::removeAll()
{
    m_controls.clear();
    m_byName.clear();
    m_labels.clear();
    newSurface();
}

void SwitchPanel::fitSurface()
{
    const QRect used = m_surface->childrenRect();
    m_surface->resize(std::max(0, used.right() + 1 + 8), std::max(0, used.bottom() + 1 + 8));
}

bool SwitchPanel::eventFilter(QObject *watched, QEvent *event)
{
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
