#pragma once

#include "SpinEdit.h"
#include "SwitchKind.h"
#include "SwitchState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

class IniSnapshot;
class QLabel;
class SwitchAreaEstimate;
class SwitchRules;
class TIniFile;
struct SwitchDefinition;

// What every switch control shares: it bears its switch's name, which is also
// its section in patch.ini, and it knows its kind: it reads its own state for
// the writer, takes a configuration file's value and its database default,
// and keeps the rules of its kind. Every rule reads the switch's section as
// it runs.
//
// What a switch of a kind is before it has a control comes from static
// members of the kind's class, which the factory (SwitchFactory.h) binds:
//   HasLabel      whether a caption label goes with the control
//   readKeys      reads the keys of the kind into the definition
//   area          where its label and control will stand, at most
//   defaultState  what the control made from the definition would show
//   make          makes the control and its label
//   configValue   how a state of the kind is written
class SwitchControl
{
public:
    virtual ~SwitchControl() = default;

    virtual SwitchKind kind() const = 0;
    // The class name by which the program's documents know the kind.
    virtual QString kindName() const = 0;
    virtual QWidget *widget() = 0;
    const QWidget *widget() const { return const_cast<SwitchControl *>(this)->widget(); }

    QString name() const { return widget()->objectName(); }

    // What the configuration writer needs of it.
    virtual SwitchState state() const = 0;
    // Takes a value of a configuration file. Raises DvsError "'<value>' is
    // not a valid integer value" for a number or check list whose value is no
    // integer.
    virtual void applyConfigValue(const QString &value, const IniSnapshot &patch) = 0;
    // Goes back to its database default.
    virtual void applyDefault(const IniSnapshot &patch) = 0;

    // Gives `rules` the changes and key presses of its kind to watch.
    virtual void attachRules(SwitchRules &rules);
    // The rule its value keeps, run on every change of it: the number rule.
    virtual void applyValueRule(const TIniFile &patch);
    // Whether a character typed into it reaches it; keys without a character
    // are not asked about.
    virtual bool acceptsTypedCharacter(QChar typed, const TIniFile &patch) const;

    // The 3-D look of the switch controls; off draws them flat.
    virtual void setLook3D(bool on);
    bool look3D() const { return m_look3D; }

protected:
    void tag(QWidget *self);
    // Its state with the name, kind and enabled flag filled in.
    SwitchState newState(SwitchState::Format format) const;

private:
    bool m_look3D = true;
};

// Finds the switch control that a widget is, if it is one.
SwitchControl *asSwitchControl(QObject *object);

// A switch control just made, with its caption label when it has one.
struct MadeSwitch
{
    SwitchControl *control = nullptr;
    QLabel *label = nullptr;
};

class NumberSwitch final : public SpinEdit, public SwitchControl
{
    Q_OBJECT
public:
    static constexpr SwitchKind Kind = SwitchKind::Number;
    static constexpr bool HasLabel = true;
    static void readKeys(SwitchDefinition &d, const IniSnapshot &patch);
    static QRect area(const SwitchDefinition &d, SwitchAreaEstimate &estimate);
    static SwitchState defaultState(const SwitchDefinition &d, bool enabled);
    static MadeSwitch make(QWidget *surface, const SwitchDefinition &d);
    static QString configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant);

    explicit NumberSwitch(QWidget *parent);
    SwitchKind kind() const override { return Kind; }
    QString kindName() const override { return QStringLiteral("TCSpinEdit"); }
    QWidget *widget() override { return this; }

    SwitchState state() const override;
    void applyConfigValue(const QString &value, const IniSnapshot &patch) override;
    void applyDefault(const IniSnapshot &patch) override;
    void attachRules(SwitchRules &rules) override;
    void applyValueRule(const TIniFile &patch) override;
    bool acceptsTypedCharacter(QChar typed, const TIniFile &patch) const override;
    void setLook3D(bool on) override;
};

class OnOffSwitch final : public QCheckBox, public SwitchControl
{
    Q_OBJECT
public:
    static constexpr SwitchKind Kind = SwitchKind::OnOff;
    static constexpr bool HasLabel = false;
    static void readKeys(SwitchDefinition &d, const IniSnapshot &patch);
    static QRect area(const SwitchDefinition &d, SwitchAreaEstimate &estimate);
    static SwitchState defaultState(const SwitchDefinition &d, bool enabled);
    static MadeSwitch make(QWidget *surface, const SwitchDefinition &d);
    static QString configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant);

    explicit OnOffSwitch(QWidget *parent);
    SwitchKind kind() const override { return Kind; }
    QString kindName() const override { return QStringLiteral("TCheckBox"); }
    QWidget *widget() override { return this; }

    SwitchState state() const override;
    void applyConfigValue(const QString &value, const IniSnapshot &patch) override;
    void applyDefault(const IniSnapshot &patch) override;
};

class ChoiceSwitch final : public QComboBox, public SwitchControl
{
    Q_OBJECT
public:
    static constexpr SwitchKind Kind = SwitchKind::Choice;
    static constexpr bool HasLabel = true;
    static void readKeys(SwitchDefinition &d, const IniSnapshot &patch);
    static QRect area(const SwitchDefinition &d, SwitchAreaEstimate &estimate);
    static SwitchState defaultState(const SwitchDefinition &d, bool enabled);
    static MadeSwitch make(QWidget *surface, const SwitchDefinition &d);
    static QString configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant);

    explicit ChoiceSwitch(QWidget *parent);
    SwitchKind kind() const override { return Kind; }
    QString kindName() const override { return QStringLiteral("TComboBox"); }
    QWidget *widget() override { return this; }

    SwitchState state() const override;
    void applyConfigValue(const QString &value, const IniSnapshot &patch) override;
    void applyDefault(const IniSnapshot &patch) override;
    void attachRules(SwitchRules &rules) override;
    bool acceptsTypedCharacter(QChar typed, const TIniFile &patch) const override;
    // The drop-down list keeps its default look.
    void setLook3D(bool) override {}

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
    static constexpr SwitchKind Kind = SwitchKind::Text;
    static constexpr bool HasLabel = true;
    static void readKeys(SwitchDefinition &d, const IniSnapshot &patch);
    static QRect area(const SwitchDefinition &d, SwitchAreaEstimate &estimate);
    static SwitchState defaultState(const SwitchDefinition &d, bool enabled);
    static MadeSwitch make(QWidget *surface, const SwitchDefinition &d);
    static QString configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant);

    explicit TextSwitch(QWidget *parent);
    SwitchKind kind() const override { return Kind; }
    QString kindName() const override { return QStringLiteral("TEdit"); }
    QWidget *widget() override { return this; }

    SwitchState state() const override;
    void applyConfigValue(const QString &value, const IniSnapshot &patch) override;
    void applyDefault(const IniSnapshot &patch) override;
    void attachRules(SwitchRules &rules) override;
    bool acceptsTypedCharacter(QChar typed, const TIniFile &patch) const override;
    void setLook3D(bool on) override;
};

class SetSwitch final : public QListWidget, public SwitchControl
{
    Q_OBJECT
public:
    static constexpr SwitchKind Kind = SwitchKind::Set;
    static constexpr bool HasLabel = true;
    static void readKeys(SwitchDefinition &d, const IniSnapshot &patch);
    static QRect area(const SwitchDefinition &d, SwitchAreaEstimate &estimate);
    static SwitchState defaultState(const SwitchDefinition &d, bool enabled);
    static MadeSwitch make(QWidget *surface, const SwitchDefinition &d);
    static QString configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant);

    explicit SetSwitch(QWidget *parent);
    SwitchKind kind() const override { return Kind; }
    QString kindName() const override { return QStringLiteral("TCheckListBox"); }
    QWidget *widget() override { return this; }

    SwitchState state() const override;
    void applyConfigValue(const QString &value, const IniSnapshot &patch) override;
    void applyDefault(const IniSnapshot &patch) override;
    void setLook3D(bool on) override;

    void setItems(const QStringList &texts);
    QList<bool> checkStates() const;
    void setCheckStates(const QList<bool> &states);

private:
    // The check marks that the sum gives over the items the database names
    // now, as far as the list has them; any further item keeps its mark.
    QList<bool> decodeSum(qint64 sum, QList<bool> states, const IniSnapshot &patch) const;
};
