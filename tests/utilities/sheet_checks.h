#pragma once

// Checks shared by the tests of the utilities window's sheets: the controls of a sheet as
// the user sees them (captions, hints, ranges, tags), the settings file's raw text, and a
// tidy layout at the window's font.

#include "controls/component_tag.h"
#include "controls/form_widgets.h"
#include "settings/settings_location.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace sheet_checks {

// The window's font (Arial, 11 pixels); pages inherit it from the window.
inline QFont windowFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

struct SpeedButtonRow {
    const char* name;
    const char* caption;
    const char* hint;
    int tag;
};

inline void expectSpeedButtons(const QWidget& sheet, const std::vector<SpeedButtonRow>& rows)
{
    for (const SpeedButtonRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* button = sheet.findChild<QToolButton*>(QString::fromLatin1(row.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromLatin1(row.caption));
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(row.hint));
        EXPECT_EQ(vask::tagOf(button), row.tag);
    }
}

struct CheckBoxRow {
    const char* name;
    const char* caption;
    const char* hint;
    bool checked;
};

inline void expectCheckBoxes(const QWidget& sheet, const std::vector<CheckBoxRow>& rows)
{
    for (const CheckBoxRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* box = sheet.findChild<QCheckBox*>(QString::fromLatin1(row.name));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromLatin1(row.caption));
        EXPECT_EQ(box->toolTip(), QString::fromLatin1(row.hint));
        EXPECT_EQ(box->isChecked(), row.checked);
    }
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
    for (const SpinEditRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* edit = sheet.findChild<vask::SpinEdit*>(QString::fromLatin1(row.name));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->toolTip(), QString::fromLatin1(row.hint));
        const bool unlimited = row.minimum == 0 && row.maximum == 0;
        EXPECT_EQ(edit->minimum(), unlimited ? std::numeric_limits<int>::min() : row.minimum);
        EXPECT_EQ(edit->maximum(), unlimited ? std::numeric_limits<int>::max() : row.maximum);
        EXPECT_EQ(edit->value(), row.start);
        EXPECT_EQ(edit->singleStep(), row.step);
    }
}

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

inline void removeSettingsFile()
{
    QFile::remove(QString::fromStdString(vask::settingsFilePath()));
}

inline QString settingsText()
{
    QFile file(QString::fromStdString(vask::settingsFilePath()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

inline std::string describe(const QWidget* widget)
{
    if (!widget->objectName().isEmpty())
        return widget->objectName().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return "label \"" + label->text().toStdString() + "\"";
    return widget->metaObject()->className();
}

// Every shown child of container lies inside area, no two of them overlap (except those
// named in mayOverlap, which frame others on purpose) and no caption is cut off.
inline void expectTidyLayout(const QWidget& container, const QSize& area, const QStringList& mayOverlap = {})
{
    std::vector<const QWidget*> shown;
    for (const QObject* object : container.children()) {
        const auto* widget = qobject_cast<const QWidget*>(object);
        if (widget == nullptr || widget->isHidden() || widget->isWindow())
            continue;
        shown.push_back(widget);
        SCOPED_TRACE(describe(widget));
        EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(widget->geometry()))
            << widget->geometry().x() << "," << widget->geometry().y() << " " << widget->width() << "x"
            << widget->height();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            EXPECT_GE(group->width(), group->fontMetrics().horizontalAdvance(group->title()) + 16)
                << group->title().toStdString();
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
    }
    for (std::size_t a = 0; a < shown.size(); ++a) {
        for (std::size_t b = a + 1; b < shown.size(); ++b) {
            if (mayOverlap.contains(shown[a]->objectName()) || mayOverlap.contains(shown[b]->objectName()))
                continue;
            EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
                << describe(shown[a]) << " overlaps " << describe(shown[b]);
        }
    }
}

} // namespace sheet_checks
