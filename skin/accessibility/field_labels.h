#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

// How the skinned windows tell a screen reader what a field, a picture or a window is, without
// changing what is shown.

// A caption as it is read out: "&" marks the accelerator and is not spoken, "&&" is one "&".
QString spoken_caption(const QString &caption);
// A label's text as a field's name: no accelerator mark, no blanks padding the captions of a
// column to one width, no colon closing it ("AVR           :" is read "AVR").
QString spoken_label(const QString &text);

// The label names the field, and the two are related as label and labelled field (the label's
// buddy); both are read by the label's spoken text. A combo box's editor and list are named with it, since a reader may land on them too.
void label_field(QLabel *label, QWidget *field);
// A field whose only label is the caption drawn on its group or panel is named by that caption,
// and the group is its label.
void label_field_by_caption(QWidget *group, const QString &caption, QWidget *field);

// What labels a field beyond a label whose buddy it is: the group whose caption names it, or,
// for a combo box's editor, the combo box's label. Null for none.
QWidget *labelling_widget(const QWidget *field);
// The fields whose label the group's caption is.
QList<QWidget *> fields_captioned_by(const QWidget *group);

// A check box that only shows what a ticked or an empty box means: read as a text that says so,
// never as a control a user could look for a way to tick.
void show_as_legend(QAbstractButton *box, const QString &meaning);
// The meaning set by show_as_legend, or an empty text for a real control.
QString legend_meaning(const QAbstractButton *box);
