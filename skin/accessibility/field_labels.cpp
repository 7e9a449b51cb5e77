#include "skin/accessibility/field_labels.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr const char *LegendProperty = "quillonLegendMeaning";

void name_combo_parts(QWidget *field, const QString &name)
{
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
    name_field_by_caption(field, label->text());
}

void name_field_by_caption(QWidget *field, const QString &caption)
{
    const QString name = spoken_label(caption);
    field->setAccessibleName(name);
    name_combo_parts(field, name);
}

void show_as_legend(QAbstractButton *box, const QString &meaning)
{
    box->setProperty(LegendProperty, meaning);
}

QString legend_meaning(const QAbstractButton *box) { return box->property(LegendProperty).toString(); }
