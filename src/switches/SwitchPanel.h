#pragma once

#include <QHash>
#include <QScrollArea>

#include <vector>

class QLabel;
class SwitchControl;

// The switch panel: a borderless scroll box holding one control per switch,
// placed where the database says, and the controls' caption labels. It keeps
// the controls in creation order, which is the order of the panel.
class SwitchPanel final : public QScrollArea
{
    Q_OBJECT

public:
    explicit SwitchPanel(QWidget *parent = nullptr);

    // The widget the controls and labels are placed on.
    QWidget *surface() const { return m_surface; }

    void add(SwitchControl *control, QLabel *label);
    const std::vector<SwitchControl *> &controls() const { return m_controls; }
    // The control whose name equals `name` exactly, or null.
    SwitchControl *control(const QString &name) const;
    QLabel *label(const QString &switchName) const;

    // Removes every switch control and label.
    void removeAll();

    // Grows the surface to hold every control, so the scroll bars reach them all.
    void fitSurface();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void newSurface();

    QWidget *m_surface = nullptr;
    std::vector<SwitchControl *> m_controls;
    QHash<QString, SwitchControl *> m_byName;
    QHash<QString, QLabel *> m_labels;
};
