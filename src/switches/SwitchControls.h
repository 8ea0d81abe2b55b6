#pragma once

#include "SpinEdit.h"
#include "SwitchKind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

// What every switch control shares: it bears its switch's name, which is also
// its section in patch.ini, and it knows its kind.
class SwitchControl
{
public:
    virtual ~SwitchControl() = default;

    virtual SwitchKind kind() const = 0;
    virtual QWidget *widget() = 0;
    const QWidget *widget() const { return const_cast<SwitchControl *>(this)->widget(); }

    QString name() const { return widget()->objectName(); }
    QString kindName() const { return switchKindName(kind()); }

    // The 3-D look of the switch controls; off draws them flat.
    virtual void setLook3D(bool on);
    bool look3D() const { return m_look3D; }

protected:
    void tag(QWidget *self);

private:
    bool m_look3D = true;
};

// Finds the switch control that a widget is, if it is one.
SwitchControl *asSwitchControl(QObject *object);

class NumberSwitch final : public SpinEdit, public SwitchControl
{
    Q_OBJECT
public:
    explicit NumberSwitch(QWidget *parent);
    SwitchKind kind() const override { return SwitchKind::Number; }
    QWidget *widget() override { return this; }
    void setLook3D(bool on) override;
};

class OnOffSwitch final : public QCheckBox, public SwitchControl
{
    Q_OBJECT
public:
    explicit OnOffSwitch(QWidget *parent);
    SwitchKind kind() const override { return SwitchKind::OnOff; }
    QWidget *widget() override { return this; }
};

class ChoiceSwitch final : public QComboBox, public SwitchControl
{
    Q_OBJECT
public:
    explicit ChoiceSwitch(QWidget *parent);
    SwitchKind kind() const override { return SwitchKind::Choice; }
    QWidget *widget() override { return this; }

    // Width of the opened list; never narrower than the control itself.
    void setDroppedWidth(int width);
    int droppedWidth() const { return m_droppedWidth; }
    void showPopup() override;

private:
    int m_droppedWidth = 0;
};

class TextSwitch final : public QLineEdit, public SwitchControl
{
    Q_OBJECT
public:
    explicit TextSwitch(QWidget *parent);
    SwitchKind kind() const override { return SwitchKind::Text; }
    QWidget *widget() override { return this; }
    void setLook3D(bool on) override;
};

class SetSwitch final : public QListWidget, public SwitchControl
{
    Q_OBJECT
public:
    explicit SetSwitch(QWidget *parent);
    SwitchKind kind() const override { return SwitchKind::Set; }
    QWidget *widget() override { return this; }
    void setLook3D(bool on) override;

    void setItems(const QStringList &texts);
    QList<bool> checkStates() const;
    void setCheckStates(const QList<bool> &states);
};
