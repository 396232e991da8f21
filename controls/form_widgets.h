#pragma once

#include <QGroupBox>
#include <QSpinBox>
#include <QStringList>

#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace vask {

// The small standard controls every window builds, each named (member name = objectName),
// with its hint as a tool tip.

// A spin edit: an integer box with arrows. min == max == 0 means no range limit.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(QWidget* parent, const QString& name, int minimum, int maximum, int start, int step = 1,
             const QString& hint = {});

protected:
    // A typed number outside the range is taken and clamped when the edit is left, rather
    // than refused keystroke by keystroke as a plain spin box does.
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;
};

// A radio group: a captioned box of radio buttons with one item index (-1 for none).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(QWidget* parent, const QString& name, const QString& caption, const QStringList& items,
               int startIndex, const QString& hint = {}, int columns = 1);
    int itemIndex() const;
    // An index outside the items clears the choice.
    void setItemIndex(int index);
    QStringList items() const;
    QRadioButton* button(int index) const;

signals:
    // A click on one of the buttons (not a change made in code).
    void Click();

private:
    std::vector<QRadioButton*> m_buttons;
    QButtonGroup* m_group = nullptr;
};

// A flat speed button with a caption (or glyph), a hint and a tag.
QToolButton* makeSpeedButton(QWidget* parent, const QString& name, const QString& caption,
                             const QString& hint, int tag = 0);
QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, const QString& hint,
                        bool checked);
QLabel* makeLabel(QWidget* parent, const QString& caption, const QString& name = {});
// A drop-down list of fixed items.
QComboBox* makeDropDown(QWidget* parent, const QString& name, const QString& hint, const QStringList& items);

} // namespace vask
