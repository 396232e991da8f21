#pragma once

// Checks shared by the utilities page tests: each control found by its name carries the
// texts, tag, range and start state the user sees; the page looks tidy.

#include "controls/component_tag.h"
#include "controls/form_widgets.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vask::inventory {

struct SpeedButtonRow {
    const char* name;
    const char* caption;
    const char* hint;
    int tag;
};

struct CheckBoxRow {
    const char* name;
    const char* caption;
    const char* hint;
    bool checked;
};

struct SpinEditRow {
    const char* name;
    const char* hint;
    int minimum;
    int maximum;
    int start;
    int step;
};

struct TrackBarRow {
    const char* name;
    int minimum;
    int maximum;
    int start;
    int tick;
};

template <typename Control> Control* named(const QWidget* page, const char* name)
{
    return page->findChild<Control*>(QString::fromLatin1(name));
}

inline void expectSpeedButtons(const QWidget* page, const std::vector<SpeedButtonRow>& rows)
{
    for (const SpeedButtonRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* button = named<QToolButton>(page, row.name);
        if (button == nullptr) {
            ADD_FAILURE() << "missing speed button";
            continue;
        }
        EXPECT_EQ(button->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(row.hint));
        EXPECT_EQ(tagOf(button), row.tag);
        EXPECT_TRUE(button->autoRaise()) << "speed buttons are flat";
    }
}

inline void expectCheckBoxes(const QWidget* page, const std::vector<CheckBoxRow>& rows)
{
    for (const CheckBoxRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* box = named<QCheckBox>(page, row.name);
        if (box == nullptr) {
            ADD_FAILURE() << "missing check box";
            continue;
        }
        EXPECT_EQ(box->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(box->toolTip(), QString::fromUtf8(row.hint));
        EXPECT_EQ(box->isChecked(), row.checked);
    }
}

inline void expectSpinEdits(const QWidget* page, const std::vector<SpinEditRow>& rows)
{
    for (const SpinEditRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* edit = named<SpinEdit>(page, row.name);
        if (edit == nullptr) {
            ADD_FAILURE() << "missing spin edit";
            continue;
        }
        EXPECT_EQ(edit->toolTip(), QString::fromUtf8(row.hint));
        EXPECT_EQ(edit->minimum(), row.minimum);
        EXPECT_EQ(edit->maximum(), row.maximum);
        EXPECT_EQ(edit->value(), row.start);
        EXPECT_EQ(edit->singleStep(), row.step);
    }
}

inline void expectVerticalTrackBars(const QWidget* page, const std::vector<TrackBarRow>& rows)
{
    for (const TrackBarRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* bar = named<QSlider>(page, row.name);
        if (bar == nullptr) {
            ADD_FAILURE() << "missing track bar";
            continue;
        }
        EXPECT_EQ(bar->orientation(), Qt::Vertical);
        EXPECT_EQ(bar->minimum(), row.minimum);
        EXPECT_EQ(bar->maximum(), row.maximum);
        EXPECT_EQ(bar->value(), row.start);
        EXPECT_EQ(bar->tickInterval(), row.tick);
    }
}

// The captions of the page's labels, in creation order.
inline QStringList labelCaptions(const QWidget* page)
{
    QStringList captions;
    for (const QLabel* label : page->findChildren<QLabel*>())
        captions << label->text();
    return captions;
}

// Every visible control lies inside its parent and clear of its siblings, and has room for
// its caption. A plain frame (a bevel) may enclose the control it frames. Group boxes without a
// layout of their own are checked inside as well.
inline void expectTidyLayout(const QWidget* parent)
{
    std::vector<const QWidget*> controls;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(parent) && !child->isWindow())
            controls.push_back(child);
    }
    const auto isBevel = [](const QWidget* widget) {
        return widget->metaObject() == &QFrame::staticMetaObject;
    };
    const auto describe = [](const QWidget* widget) {
        const QString name = widget->objectName();
        const auto* label = qobject_cast<const QLabel*>(widget);
        return (name.isEmpty() && label != nullptr ? QStringLiteral("label \"%1\"").arg(label->text())
                : name.isEmpty()                   ? QString::fromLatin1(widget->metaObject()->className())
                                                   : name)
            .toStdString();
    };
    for (std::size_t first = 0; first < controls.size(); ++first) {
        const QWidget* control = controls[first];
        EXPECT_TRUE(parent->rect().contains(control->geometry()))
            << describe(control) << " leaves " << describe(parent);
        const QSize hint = control->sizeHint();
        if (qobject_cast<const QAbstractButton*>(control) != nullptr ||
            qobject_cast<const QLabel*>(control) != nullptr) {
            EXPECT_LE(hint.width(), control->width()) << describe(control) << " clips its caption";
            EXPECT_LE(hint.height(), control->height() + 4) << describe(control) << " clips its caption";
        }
        for (std::size_t second = first + 1; second < controls.size(); ++second) {
            const QWidget* other = controls[second];
            if (!control->geometry().intersects(other->geometry()))
                continue;
            const bool framed = (isBevel(control) && control->geometry().contains(other->geometry())) ||
                                (isBevel(other) && other->geometry().contains(control->geometry()));
            EXPECT_TRUE(framed) << describe(control) << " overlaps " << describe(other);
        }
        const auto* group = qobject_cast<const QGroupBox*>(control);
        if (group != nullptr && group->layout() == nullptr)
            expectTidyLayout(group);
    }
}

// "Section/Key" -> value of every key in a settings file, keys spelled as written.
inline std::map<QString, QString> settingsEntries(const QString& path, QStringList* sectionOrder = nullptr)
{
    std::map<QString, QString> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QString section;
    for (const QString& rawLine : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            if (sectionOrder != nullptr)
                *sectionOrder << section;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            entries[section + QLatin1Char('/') + line.left(equals)] = line.mid(equals + 1);
    }
    return entries;
}

} // namespace vask::inventory
