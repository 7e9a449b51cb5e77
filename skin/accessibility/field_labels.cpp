#include "skin/accessibility/field_labels.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr const char *LegendProperty = "quillonLegendMeaning";
constexpr const char *CaptionedByProperty = "quillonCaptionedBy";

void name_field(QWidget *field, const QString &name)
{
    field->setAccessibleName(name);
    auto *combo = qobject_cast<QComboBox *>(field);
    if (!combo)
        return;
    if (QLineEdit *editor = combo->lineEdit())
        editor->setAccessibleName(name);
    if (QAbstractItemView *list = combo->view())
        list->setAccessibleName(name);
}

} // namespace

QString spoken_caption(const QString &caption)
{
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        else if (caption.at(i) == u'&')
            continue;
        spoken += caption.at(i);
    }
    return spoken;
}

QString spoken_label(const QString &text)
{
    QString spoken = spoken_caption(text).simplified();
    if (spoken.endsWith(u':'))
        spoken = spoken.chopped(1).trimmed();
    return spoken;
}

void label_field(QLabel *label, QWidget *field)
{
    label->setBuddy(field);
    // A reader speaks the label itself before the field, and as its name the field's own.
    const QString name = spoken_label(label->text());
    label->setAccessibleName(name);
    name_field(field, name);
}

void label_field_by_caption(QWidget *group, const QString &caption, QWidget *field)
{
    field->setProperty(CaptionedByProperty, QVariant::fromValue(static_cast<QObject *>(group)));
    name_field(field, spoken_label(caption));
}

QWidget *labelling_widget(const QWidget *field)
{
    if (auto *group = qobject_cast<QWidget *>(field->property(CaptionedByProperty).value<QObject *>()))
        return group;
    const auto *combo = qobject_cast<const QComboBox *>(field->parentWidget());
    if (!combo || combo->lineEdit() != field || !combo->parentWidget())
        return nullptr;
    for (auto *label : combo->parentWidget()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        if (label->buddy() == combo)
            return label;
    return nullptr;
}

QList<QWidget *> fields_captioned_by(const QWidget *group)
{
    QList<QWidget *> fields;
    for (auto *child : group->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->property(CaptionedByProperty).value<QObject *>() == group)
            fields << child;
    return fields;
}

void show_as_legend(QAbstractButton *box, const QString &meaning)
{
    box->setProperty(LegendProperty, meaning);
}

QString legend_meaning(const QAbstractButton *box) { return box->property(LegendProperty).toString(); }
