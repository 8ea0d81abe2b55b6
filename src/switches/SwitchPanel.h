#pragma once

#include "SwitchDefinition.h"

#include <QHash>
#include <QScrollArea>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class SwitchControl;

// The switch panel: a borderless scroll box holding one control per switch,
// placed where the database says, and the controls' caption labels. It keeps
// the switches in creation order, which is the order of the panel.
//
// A switch may be added before its control is made: its control is then made
// when it first comes into view, when focus moves on to it, or when anything
// asks for it. Until then the switch shows nothing and holds the default its
// definition gives, so a large database costs only the controls in view.
class SwitchPanel final : public QScrollArea
{
    Q_OBJECT

public:
    // Makes the control and label of a switch and hands them to add().
    using Maker = std::function<void(const SwitchDefinition &definition, bool enabled)>;

    // One switch: its control, or its definition while the control is not made.
    struct Entry
    {
        QString name;
        SwitchControl *control = nullptr;
        std::unique_ptr<SwitchDefinition> deferred;
        bool deferredEnabled = true;
        QRect deferredArea; // where its label and control will stand, at most
    };

    explicit SwitchPanel(QWidget *parent = nullptr);

    // The widget the controls and labels are placed on.
    QWidget *surface() const { return m_surface; }

    void add(SwitchControl *control, QLabel *label);
    // A switch whose control `maker` makes once it is needed.
    void addDeferred(SwitchDefinition definition, bool enabled, QRect area);
    void setMaker(Maker maker) { m_maker = std::move(maker); }

    // Every switch, in panel order, without making any control.
    const std::vector<Entry> &entries() const { return m_entries; }
    // Every control, in panel order; controls not made yet are made.
    const std::vector<SwitchControl *> &controls();
    // The control whose name equals `name` exactly, made if need be, or null.
    SwitchControl *control(const QString &name);
    QLabel *label(const QString &switchName);
    // Greys each switch that `available` refuses, made or not.
    void setAvailability(const std::function<bool(const QString &name)> &available);
    // Makes the controls of the switches in `area` of the surface.
    void makeControlsIn(const QRect &area);

    // Removes every switch control and label.
    void removeAll();

    // Grows the surface to hold every switch, so the scroll bars reach them all.
    void fitSurface();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void newSurface();
    void make(std::size_t index);
    void makeVisible(bool ahead);

    QWidget *m_surface = nullptr;
    Maker m_maker;
    std::vector<Entry> m_entries;
    std::size_t m_deferredCount = 0;
    std::optional<std::size_t> m_making;
    std::vector<SwitchControl *> m_controls; // the made controls in panel order, when current
    bool m_controlsCurrent = true;
    QHash<QString, std::size_t> m_byName;
    QHash<QString, QLabel *> m_labels;
};
