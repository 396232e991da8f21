#pragma once

// Checks shared by the tests of the utilities window's sheets: the controls of a sheet as the
// user sees them (captions, hints, tags, ranges and start states), a tidy layout at the window's
// font, and the settings file the sheets read and write.

#include "controls/component_tag.h"
#include "controls/form_widgets.h"
#include "settings/ini_file.h"
#include "settings/settings_location.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

namespace vask::sheet_checks {

// The areas a sheet gets in the window: a top sheet, a sheet inside the Process, Separations or
// Mask sheets, and a tab inside the Filters sheet.
inline const QSize kSheet(560, 236);
inline const QSize kInnerSheet(555, 205);
inline const QSize kFilterTab(394, 204);

// The window's font (Arial, 11 pixels); pages inherit it from the window.
inline QFont windowFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

// Shows the sheet on its own at the window's font and at the size it gets in the window; false
// when it never appeared.
inline bool showAsSheet(QWidget& sheet, const QSize& area)
{
    sheet.setFont(windowFont());
    sheet.resize(area);
    sheet.show();
    return QTest::qWaitForWindowExposed(&sheet);
}

template <typename Control> Control* named(const QWidget& sheet, const char* name)
{
    return sheet.findChild<Control*>(QString::fromLatin1(name));
}

// Runs check on the control each row names; a control that is missing fails the test.
template <typename Control, typename Row, typename Check>
void forEachNamed(const QWidget& sheet, const std::vector<Row>& rows, const char* kind, Check check)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Control* control = named<Control>(sheet, row.name);
        if (control == nullptr) {
            ADD_FAILURE() << "missing " << kind;
            continue;
        }
        check(*control, row);
    }
}

struct SpeedButtonRow {
    const char* name;
    const char* caption;
    const char* hint;
    int tag;
};

inline void expectSpeedButtons(const QWidget& sheet, const std::vector<SpeedButtonRow>& rows)
{
    forEachNamed<QToolButton>(sheet, rows, "speed button",
                              [](const QToolButton& button, const SpeedButtonRow& row) {
                                  EXPECT_EQ(button.text(), QString::fromUtf8(row.caption));
                                  EXPECT_EQ(button.toolTip(), QString::fromUtf8(row.hint));
                                  EXPECT_EQ(tagOf(&button), row.tag);
                                  EXPECT_TRUE(button.autoRaise()) << "speed buttons are flat";
                              });
}

struct CheckBoxRow {
    const char* name;
    const char* caption;
    const char* hint;
    bool checked;
};

inline void expectCheckBoxes(const QWidget& sheet, const std::vector<CheckBoxRow>& rows)
{
    forEachNamed<QCheckBox>(sheet, rows, "check box", [](const QCheckBox& box, const CheckBoxRow& row) {
        EXPECT_EQ(box.text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(box.toolTip(), QString::fromUtf8(row.hint));
        EXPECT_EQ(box.isChecked(), row.checked);
    });
}

// minimum == maximum == 0: no range limit.
struct SpinEditRow {
    const char* name;
    const char* hint;
    int minimum;
    int maximum;
    int start;
    int step;
};

inline void expectSpinEdits(const QWidget& sheet, const std::vector<SpinEditRow>& rows)
{
    forEachNamed<SpinEdit>(sheet, rows, "spin edit", [](const SpinEdit& edit, const SpinEditRow& row) {
        EXPECT_EQ(edit.toolTip(), QString::fromUtf8(row.hint));
        const bool unlimited = row.minimum == 0 && row.maximum == 0;
        EXPECT_EQ(edit.minimum(), unlimited ? std::numeric_limits<int>::min() : row.minimum);
        EXPECT_EQ(edit.maximum(), unlimited ? std::numeric_limits<int>::max() : row.maximum);
        EXPECT_EQ(edit.value(), row.start);
        EXPECT_EQ(edit.singleStep(), row.step);
    });
}

struct TrackBarRow {
    const char* name;
    int minimum;
    int maximum;
    int start;
    int tick;
};

inline void expectVerticalTrackBars(const QWidget& sheet, const std::vector<TrackBarRow>& rows)
{
    forEachNamed<QSlider>(sheet, rows, "track bar", [](const QSlider& bar, const TrackBarRow& row) {
        EXPECT_EQ(bar.orientation(), Qt::Vertical);
        EXPECT_EQ(bar.minimum(), row.minimum);
        EXPECT_EQ(bar.maximum(), row.maximum);
        EXPECT_EQ(bar.value(), row.start);
        EXPECT_EQ(bar.tickInterval(), row.tick);
    });
}

// The captions of the sheet's labels, in creation order.
inline QStringList labelTexts(const QWidget& sheet)
{
    QStringList texts;
    for (const QLabel* label : sheet.findChildren<QLabel*>())
        texts << label->text();
    return texts;
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

// An edit, what a user types into it and the value it settles on.
struct TypedCase {
    SpinEdit* edit;
    const char* typed;
    int expected;
};

inline void expectTypedValues(const std::vector<TypedCase>& cases)
{
    for (const TypedCase& entry : cases) {
        SCOPED_TRACE(entry.edit->objectName().toStdString() + " " + entry.typed);
        EXPECT_EQ(typeInto(*entry.edit, entry.typed), entry.expected);
    }
}

inline std::string describe(const QWidget* widget)
{
    if (!widget->objectName().isEmpty())
        return widget->objectName().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return "label \"" + label->text().toStdString() + "\"";
    return widget->metaObject()->className();
}

// Every shown child of container lies inside area (the container's own size when area is empty),
// has room for its caption and stays clear of its siblings; a plain frame (a bevel) may enclose
// the controls it frames. Group boxes without a layout of their own are checked inside as well.
inline void expectTidyLayout(const QWidget& container, QSize area = {})
{
    const QRect bounds(QPoint(0, 0), area.isEmpty() ? container.size() : area);
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

inline void removeSettingsFile()
{
    QFile::remove(QString::fromStdString(settingsFilePath()));
}

// The program's settings file, removed first: every key reads its default.
inline IniFile freshSettings()
{
    removeSettingsFile();
    return IniFile(settingsFilePath());
}

inline QString settingsText()
{
    QFile file(QString::fromStdString(settingsFilePath()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
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
