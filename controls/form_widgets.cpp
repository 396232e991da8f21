#include "controls/form_widgets.h"

#include "controls/component_tag.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace vask {

SpinEdit::SpinEdit(QWidget* parent, const QString& name, int minimum, int maximum, int start, int step,
                   const QString& hint)
    : QSpinBox(parent)
{
    setObjectName(name);
    if (minimum == 0 && maximum == 0)
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    else
        setRange(minimum, maximum);
    setSingleStep(step);
    setValue(start);
    if (!hint.isEmpty())
        setToolTip(hint);
}

QValidator::State SpinEdit::validate(QString& text, int&) const
{
    const QString body = text.trimmed();
    if (body.isEmpty() || body == QLatin1String("-") || body == QLatin1String("+"))
        return QValidator::Intermediate;
    bool ok = false;
    const qlonglong value = body.toLongLong(&ok);
    if (!ok)
        return QValidator::Invalid;
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void SpinEdit::fixup(QString& text) const
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (ok)
        text = QString::number(std::clamp<qlonglong>(value, minimum(), maximum()));
}

RadioGroup::RadioGroup(QWidget* parent, const QString& name, const QString& caption, const QStringList& items,
                       int startIndex, const QString& hint, int columns)
    : QGroupBox(caption, parent)
{
    setObjectName(name);
    if (!hint.isEmpty())
        setToolTip(hint);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(1);
    m_group = new QButtonGroup(this);
    QButtonGroup* group = m_group;
    const int perColumn = (items.size() + columns - 1) / std::max(columns, 1);
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items.at(index), this);
        group->addButton(button, index);
        layout->addWidget(button, index % std::max(perColumn, 1), index / std::max(perColumn, 1));
        connect(button, &QRadioButton::clicked, this, &RadioGroup::Click);
        m_buttons.push_back(button);
    }
    setItemIndex(startIndex);
}

int RadioGroup::itemIndex() const
{
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        if (m_buttons[index]->isChecked())
            return static_cast<int>(index);
    }
    return -1;
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < static_cast<int>(m_buttons.size())) {
        m_buttons[static_cast<std::size_t>(index)]->setChecked(true);
        return;
    }
    // An exclusive group will not uncheck its last button by itself.
    m_group->setExclusive(false);
    for (QRadioButton* button : m_buttons)
        button->setChecked(false);
    m_group->setExclusive(true);
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (QRadioButton* button : m_buttons)
        texts << button->text();
    return texts;
}

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < static_cast<int>(m_buttons.size())
               ? m_buttons[static_cast<std::size_t>(index)]
               : nullptr;
}

QToolButton* makeSpeedButton(QWidget* parent, const QString& name, const QString& caption,
                             const QString& hint, int tag)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAutoRaise(true);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    setTag(button, tag);
    return button;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, const QString& hint,
                        bool checked)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    if (!hint.isEmpty())
        box->setToolTip(hint);
    box->setChecked(checked);
    return box;
}

QLabel* makeLabel(QWidget* parent, const QString& caption, const QString& name)
{
    auto* label = new QLabel(caption, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QComboBox* makeDropDown(QWidget* parent, const QString& name, const QString& hint, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    if (!hint.isEmpty())
        box->setToolTip(hint);
    box->addItems(items);
    return box;
}

} // namespace vask
