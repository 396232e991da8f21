#pragma once

// Checks shared by the tests of the utilities window and its sheets: the controls of a sheet as
// the user sees them, a tidy layout, typing into spin edits and the settings file.

#include "controls/component_tag.h"
#include "controls/form_widgets.h"
#include "settings/settings_location.h"
#include "utilities/utilities_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// Test messages show texts as text rather than as arrays of bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace vask::sheet_checks {

// One control as the user meets it; what the numbers mean depends on its kind:
//   speed button: a = tag (a button without caption must show a glyph)
//   check box, radio button: a = 1 when checked
//   radio group, combo box: a = item index, items "|"-separated (a combo box without items
//     listed fills itself)
//   spin edit, track bar: a..d = minimum, maximum, start, step or tick (spin edit with
//     minimum == maximum == 0: no range limit); a track bar's caption is "|" upright, "-" lying
//   progress bar: a, b = minimum, maximum
// Group boxes, labels and line edits show the caption as their title or text; any other
// control has only its hint.
struct Control {
    const char* name;
    const char* caption;
    const char* hint;
    int a = 0, b = 0, c = 0, d = 0;
    const char* items = "";
};

inline void expectRange(int minimum, int maximum, int value, int step, const Control& row)
{
    EXPECT_EQ(minimum, row.a);
    EXPECT_EQ(maximum, row.b);
    EXPECT_EQ(value, row.c);
    EXPECT_EQ(step, row.d);
}

inline void expectControl(const QWidget& widget, const Control& row)
{
    const QString caption = QString::fromUtf8(row.caption);
    EXPECT_EQ(widget.toolTip(), QString::fromUtf8(row.hint));
    const QStringList items = QString::fromUtf8(row.items).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    if (const auto* button = qobject_cast<const QToolButton*>(&widget)) {
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(tagOf(button), row.a);
        EXPECT_TRUE(button->autoRaise()) << "speed buttons are flat";
        if (caption.isEmpty()) {
            EXPECT_FALSE(button->icon().isNull()) << "a button without caption shows a glyph";
        }
    } else if (const auto* box = qobject_cast<const QAbstractButton*>(&widget)) {
        EXPECT_EQ(box->text(), caption);
        EXPECT_EQ(box->isChecked(), row.a != 0);
    } else if (const auto* edit = qobject_cast<const SpinEdit*>(&widget)) {
        Control limits = row;
        if (row.a == 0 && row.b == 0) {
            limits.a = std::numeric_limits<int>::min();
            limits.b = std::numeric_limits<int>::max();
        }
        expectRange(edit->minimum(), edit->maximum(), edit->value(), edit->singleStep(), limits);
    } else if (const auto* bar = qobject_cast<const QSlider*>(&widget)) {
        EXPECT_EQ(bar->orientation(), caption == QLatin1String("-") ? Qt::Horizontal : Qt::Vertical);
        expectRange(bar->minimum(), bar->maximum(), bar->value(), bar->tickInterval(), row);
    } else if (const auto* group = qobject_cast<const RadioGroup*>(&widget)) {
        EXPECT_EQ(group->title(), caption);
        EXPECT_EQ(group->items(), items);
        EXPECT_EQ(group->itemIndex(), row.a);
    } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget); combo && !items.isEmpty()) {
        QStringList shown;
        for (int index = 0; index < combo->count(); ++index)
            shown << combo->itemText(index);
        EXPECT_EQ(shown, items);
        EXPECT_EQ(combo->currentIndex(), row.a);
    } else if (const auto* progress = qobject_cast<const QProgressBar*>(&widget)) {
        EXPECT_EQ(progress->minimum(), row.a);
        EXPECT_EQ(progress->maximum(), row.b);
    } else if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        EXPECT_EQ(frame->title(), caption);
    } else if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        EXPECT_EQ(label->text(), caption);
    } else if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        EXPECT_EQ(line->text(), caption);
    } else {
        EXPECT_TRUE(caption.isEmpty()) << "this kind of control has no caption";
    }
}

// The captions of the sheet's labels, in creation order.
inline QStringList labelTexts(const QWidget& sheet)
{
    QStringList texts;
    for (const QLabel* label : sheet.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// A sheet built on its own shows its name, every control of rows and exactly the labels given
// (in any order).
inline void expectSheet(const QWidget& sheet, const char* objectName, const std::vector<Control>& rows,
                        const QStringList& labels)
{
    EXPECT_EQ(sheet.objectName(), QString::fromLatin1(objectName));
    for (const Control& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* widget = sheet.findChild<QWidget*>(QString::fromLatin1(row.name));
        if (widget == nullptr)
            ADD_FAILURE() << "missing";
        else
            expectControl(*widget, row);
    }
    QStringList shown = labelTexts(sheet);
    QStringList expected = labels;
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown, expected);
}

// Types text into a spin edit as a user would (replacing what is there) and leaves the box,
// then answers the value it settled on.
inline int typeInto(QSpinBox& edit, const QString& text)
{
    QLineEdit* line = edit.findChild<QLineEdit*>();
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
    edit.interpretText();
    return edit.value();
}

inline std::string describe(const QWidget* widget)
{
    if (!widget->objectName().isEmpty())
        return widget->objectName().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return "label \"" + label->text().toStdString() + "\"";
    return widget->metaObject()->className();
}

// Every shown child of container lies inside it, has room for its caption and stays clear of
// its siblings; a plain frame (a bevel) may enclose the controls it frames. Group boxes without
// a layout of their own are checked inside as well.
inline void expectTidyLayout(const QWidget& container)
{
    const QRect bounds(QPoint(0, 0), container.size());
    std::vector<const QWidget*> shown;
    for (const QWidget* child : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden() && !child->isWindow())
            shown.push_back(child);
    }
    const auto isBevel = [](const QWidget* widget) {
        return widget->metaObject() == &QFrame::staticMetaObject;
    };
    for (std::size_t first = 0; first < shown.size(); ++first) {
        const QWidget* widget = shown[first];
        SCOPED_TRACE(describe(widget));
        EXPECT_TRUE(bounds.contains(widget->geometry()))
            << widget->geometry().x() << "," << widget->geometry().y() << " " << widget->width() << "x"
            << widget->height() << " leaves " << describe(&container);
        if (qobject_cast<const QAbstractButton*>(widget) != nullptr ||
            qobject_cast<const QLabel*>(widget) != nullptr) {
            const QSize hint = widget->sizeHint();
            EXPECT_GE(widget->width(), hint.width()) << "clips its caption";
            EXPECT_GE(widget->height() + 4, hint.height()) << "clips its caption";
        }
        const auto* group = qobject_cast<const QGroupBox*>(widget);
        if (group != nullptr) {
            EXPECT_GE(group->width(), group->fontMetrics().horizontalAdvance(group->title()) + 16)
                << group->title().toStdString();
        }
        for (std::size_t second = first + 1; second < shown.size(); ++second) {
            const QWidget* other = shown[second];
            if (!widget->geometry().intersects(other->geometry()))
                continue;
            const bool framed = (isBevel(widget) && widget->geometry().contains(other->geometry())) ||
                                (isBevel(other) && other->geometry().contains(widget->geometry()));
            EXPECT_TRUE(framed) << describe(widget) << " overlaps " << describe(other);
        }
        if (group != nullptr && group->layout() == nullptr)
            expectTidyLayout(*group);
    }
}

// Brings the sheet to the front, through every page control above it; only the front page of a
// page control is laid out to the control's size.
inline void showSheet(TKV_UTilities& window, QWidget* sheet)
{
    for (QWidget* page = sheet; page != &window; page = page->parentWidget()) {
        QWidget* stack = page->parentWidget();
        auto* pages = qobject_cast<QTabWidget*>(stack != nullptr ? stack->parentWidget() : nullptr);
        if (pages != nullptr && pages->indexOf(page) >= 0)
            pages->setCurrentWidget(page);
    }
}

inline QString settingsPath()
{
    return QString::fromStdString(settingsFilePath());
}

inline void removeSettingsFile()
{
    QFile::remove(settingsPath());
}

// "Section/Key" -> value of every key in a settings file, keys spelled as written; sectionOrder
// collects the sections in the file's order.
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

} // namespace vask::sheet_checks
