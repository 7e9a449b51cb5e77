#pragma once

#include "skin/dialog/tsui_dialog.h"

#include <QMetaType>
#include <QSize>
#include <QString>
#include <array>

class TfrmMsg;

enum class TsuiIconType : std::uint8_t { suiNone, suiWarning, suiStop, suiInformation, suiHelp };
Q_DECLARE_METATYPE(TsuiIconType)

// A skinned message box: a text, an optional icon and one to three buttons in a row at the
// bottom right. ShowModal builds the window, sizes it to the text, shows it modally and returns
// the modal result of the button that closed it (Cancel when it was closed by its title bar).
class TsuiMessageDialog : public TsuiDialog {
    Q_OBJECT
    Q_PROPERTY(int ButtonCursor READ buttonCursor WRITE setButtonCursor)
    Q_PROPERTY(int ButtonCount READ buttonCount WRITE setButtonCount)
    Q_PROPERTY(QString Button1Caption READ button1Caption WRITE setButton1Caption)
    Q_PROPERTY(QString Button2Caption READ button2Caption WRITE setButton2Caption)
    Q_PROPERTY(QString Button3Caption READ button3Caption WRITE setButton3Caption)
    Q_PROPERTY(int Button1ModalResult READ button1ModalResult WRITE setButton1ModalResult)
    Q_PROPERTY(int Button2ModalResult READ button2ModalResult WRITE setButton2ModalResult)
    Q_PROPERTY(int Button3ModalResult READ button3ModalResult WRITE setButton3ModalResult)
    Q_PROPERTY(TsuiIconType IconType READ iconType WRITE setIconType)
    Q_PROPERTY(QString Text READ text WRITE setText)

public:
    static constexpr int MaxButtons = 3;
    // The button row under the text.
    static constexpr QSize ButtonSize{73, 25};
    static constexpr int ButtonGap = 20;
    static constexpr int RowMargin = 20;
    static constexpr int RightMargin = 24;
    // Without an icon the text moves to the icon's place and, with few buttons, the window
    // narrows by what the icon took.
    static constexpr int NoIconNarrowing = 64;
    static constexpr int IconCount = 4;

    explicit TsuiMessageDialog(QObject *owner);

    int buttonCount() const { return button_count_; }
    // Values outside 1..3 are clamped.
    void setButtonCount(int count);
    // Button number 1..3; other numbers are ignored.
    QString buttonCaption(int number) const;
    void setButtonCaption(int number, const QString &caption);
    int buttonModalResult(int number) const;
    void setButtonModalResult(int number, int result);

    QString button1Caption() const { return buttonCaption(1); }
    void setButton1Caption(const QString &caption) { setButtonCaption(1, caption); }
    QString button2Caption() const { return buttonCaption(2); }
    void setButton2Caption(const QString &caption) { setButtonCaption(2, caption); }
    QString button3Caption() const { return buttonCaption(3); }
    void setButton3Caption(const QString &caption) { setButtonCaption(3, caption); }
    int button1ModalResult() const { return buttonModalResult(1); }
    void setButton1ModalResult(int result) { setButtonModalResult(1, result); }
    int button2ModalResult() const { return buttonModalResult(2); }
    void setButton2ModalResult(int result) { setButtonModalResult(2, result); }
    int button3ModalResult() const { return buttonModalResult(3); }
    void setButton3ModalResult(int result) { setButtonModalResult(3, result); }

    TsuiIconType iconType() const { return icon_; }
    void setIconType(TsuiIconType icon) { icon_ = icon; }
    QString text() const { return text_; }
    void setText(const QString &text) { text_ = text; }

    int ShowModal() override;

    // Builds the window of one showing, laid out and styled, not yet shown. ShowModal uses it;
    // it is public so that the layout can be looked at without a modal loop.
    TfrmMsg *CreateMessageWindow() const;

private:
    int button_count_ = 1;
    std::array<QString, MaxButtons> captions_{QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral("Cancel")};
    std::array<int, MaxButtons> results_{1, 2, 2};
    TsuiIconType icon_ = TsuiIconType::suiNone;
    QString text_ = QStringLiteral("Hello world!");
};
