#pragma once

#include <QProxyStyle>

// Where the parts of a skinned combo box lie: a 2-pixel edge, a 17-pixel drop button inside it
// at the right, the edit field left of the button. Painting, hit testing and the embedded edit
// all read their places from here, so the skin and the platform's handling agree. The open list
// drops below the box in a plain 1-pixel frame.
class ComboBoxLayoutStyle : public QProxyStyle {
    Q_OBJECT

public:
    static constexpr int Edge = 2;
    static constexpr int ButtonWidth = 17;
    static constexpr int EditInset = 3;

    // The one instance all skinned combo boxes share; it lives as long as the application.
    static ComboBoxLayoutStyle *instance();

    static QRect buttonRect(const QRect &box);
    static QRect editFieldRect(const QRect &box);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;

private:
    ComboBoxLayoutStyle();
};
