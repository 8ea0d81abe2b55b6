#include "SwitchControls.h"

#include "platform/Cp1252.h"

#include <QAbstractItemView>
#include <QValidator>

namespace {

// Pasted or composed text passes no key filter; what a configuration file
// cannot hold is refused here instead.
class StorableTextValidator final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return Cp1252::canEncode(input) ? Acceptable : Invalid;
    }
};

} // namespace

void SwitchControl::setLook3D(bool on)
{
    m_look3D = on;
    widget()->setProperty("ctl3D", on);
}

void SwitchControl::tag(QWidget *self)
{
    self->setProperty("switchKind", switchKindName(kind()));
}

SwitchControl *asSwitchControl(QObject *object)
{
    return dynamic_cast<SwitchControl *>(object);
}

NumberSwitch::NumberSwitch(QWidget *parent) : SpinEdit(parent)
{
    tag(this);
    // The wheel must not give it the focus on the way to changing its value.
    setFocusPolicy(Qt::StrongFocus);
}

void NumberSwitch::setLook3D(bool on)
{
    SwitchControl::setLook3D(on);
    setFrame(on);
}

OnOffSwitch::OnOffSwitch(QWidget *parent) : QCheckBox(parent)
{
    tag(this);
}

ChoiceSwitch::ChoiceSwitch(QWidget *parent) : QComboBox(parent)
{
    tag(this);
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ChoiceSwitch::setDroppedWidth(int width)
{
    // The list is made when first opened, not with every drop-down list.
    m_droppedWidth = width;
}

void ChoiceSwitch::showPopup()
{
    view()->setMinimumWidth(m_droppedWidth);
    QComboBox::showPopup();
}

TextSwitch::TextSwitch(QWidget *parent) : QLineEdit(parent)
{
    tag(this);
    setValidator(new StorableTextValidator(this));
}

void TextSwitch::setLook3D(bool on)
{
    SwitchControl::setLook3D(on);
    setFrame(on);
}

SetSwitch::SetSwitch(QWidget *parent) : QListWidget(parent)
{
    tag(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
}

void SetSwitch::setLook3D(bool on)
{
    SwitchControl::setLook3D(on);
    setFrameShape(on ? QFrame::StyledPanel : QFrame::Box);
    setFrameShadow(on ? QFrame::Sunken : QFrame::Plain);
}

void SetSwitch::setItems(const QStringList &texts)
{
    clear();
    for (const QString &text : texts) {
        auto *item = new QListWidgetItem(text, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QList<bool> SetSwitch::checkStates() const
{
    QList<bool> states;
    states.reserve(count());
    for (int i = 0; i < count(); ++i)
        states.append(item(i)->checkState() == Qt::Checked);
    return states;
}

void SetSwitch::setCheckStates(const QList<bool> &states)
{
    for (int i = 0; i < count() && i < states.size(); ++i)
        item(i)->setCheckState(states[i] ? Qt::Checked : Qt::Unchecked);
}
