#include "forms/live_run/run_hint.h"

#include <QApplication>

RunHint::RunHint(QWidget *parent, const QRect &area, Qt::Alignment alignment)
    : QLabel(QStringLiteral("Abbrechen mit Esc"), parent)
{
    setObjectName(QStringLiteral("runHint"));
    setGeometry(area);
    setAlignment(alignment | Qt::AlignVCenter);
    hide();
}

RunHintsShown::RunHintsShown() { showAll(true); }

RunHintsShown::~RunHintsShown() { showAll(false); }

void RunHintsShown::showAll(bool shown)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        for (RunHint *hint : window->findChildren<RunHint *>())
            hint->setVisible(shown);
}
