#pragma once

// Finding and driving a window's controls the way the offscreen dialog tests do: by the
// template id each control keeps in its "controlId" property.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace kovra::test_support {

// The control of that type with that id, or null.
template <typename Widget> Widget* control(QWidget& dialog, int id)
{
    for (Widget* widget : dialog.findChildren<Widget*>()) {
        if (widget->property("controlId").toInt() == id)
            return widget;
    }
    return nullptr;
}

inline void click(QWidget& dialog, int id)
{
    QTest::mouseClick(control<QAbstractButton>(dialog, id), Qt::LeftButton);
}

// The rows of a combo as shown.
inline QStringList items(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Clears the edit, then types the text key by key.
inline void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

// Types the text over the whole of the edit's text: the first key replaces it, so the edit
// never reads empty in between.
inline void typeOver(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Every caption a dialog shows: its labels, group titles and button texts.
inline QStringList shownTexts(QWidget& dialog)
{
    QStringList found;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        found << label->text();
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
        found << group->title();
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        found << button->text();
    return found;
}

} // namespace kovra::test_support
