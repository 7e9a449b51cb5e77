#include "forms/fuses/fuse_form.h"

#include "forms/live_run/run_hint.h"
#include "forms/question_dialog.h"
#include "forms/window_button.h"
#include "handlers/handler_boundary.h"
#include "session/fuse_bits.h"
#include "session/fuse_description.h"
#include "session/session.h"
#include "skin/accessibility/field_labels.h"
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_check_box.h"
#include "skin/dialog/tsui_message_dialog.h"
#include "skin/form/tsui_form.h"
#include "skin/panel/tsui_group_box.h"

#include <QHideEvent>
#include <QLabel>
#include <QScopeGuard>

namespace {

constexpr int ClientWidth = 385;
constexpr int ClientHeight = 378;
constexpr int LegendTop = 32;
constexpr int LegendZeroLeft = 16;
constexpr int LegendOneLeft = 64;
constexpr int GroupTop = 72;
constexpr int GroupHeight = 225;
constexpr int LowGroupLeft = 8;
constexpr int HighGroupLeft = 136;
constexpr int ExtendedGroupLeft = 264;
constexpr int ByteGroupWidth = 121;
constexpr int ExtendedGroupWidth = 113;
constexpr int BitBoxLeft = 8;
constexpr int FirstBitBoxTop = 32;
constexpr int BitBoxStep = 24;
constexpr int ValueLabelTop = 304;
constexpr int ValueLabelIndent = 8;
constexpr int ValueLabelWidth = 64;
constexpr int ValueLabelHeight = 13;
constexpr int ButtonTop = 336;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 27;
constexpr int ReadButtonLeft = 16;
constexpr int WriteButtonLeft = 104;
constexpr int CancelButtonLeft = 296;
// High fuse bit 5 is SPIEN on most devices: unprogramming it locks out the serial programmer that
// is writing it, so the box is never offered to the user.
constexpr int LockedHighBit = 5;

TsuiCheckBox *make_check_box(QWidget *parent, const QString &name, const QString &caption, int x, int y)
{
    auto *box = new TsuiCheckBox(parent);
    box->setObjectName(name);
    box->setUIStyle(TsuiUIStyle::MacOS);
    box->setText(caption);
    box->move(x, y);
    box->adjustSize();
    return box;
}

} // namespace

TForm3::TForm3(Session &session)
    : session_(session)
{
    setObjectName(QStringLiteral("Form3"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setObjectName(QStringLiteral("suiForm1"));
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("Fuses"));
    // Only the control box and the close button.
    suiForm1->setTitleButtonVisible(TsuiForm::suiMax, false);
    suiForm1->setTitleButtonVisible(TsuiForm::suiMin, false);
    setClientSize(ClientWidth, ClientHeight);

    suiCheckBox1 = make_check_box(suiForm1, QStringLiteral("suiCheckBox1"), QStringLiteral("= 0"), LegendZeroLeft,
                                  LegendTop);
    suiCheckBox1->setLoading(true);
    suiCheckBox1->setChecked(true);
    suiCheckBox1->setLoading(false);
    suiCheckBox1->setEnabled(false);
    suiCheckBox2 = make_check_box(suiForm1, QStringLiteral("suiCheckBox2"), QStringLiteral("= 1"), LegendOneLeft,
                                  LegendTop);
    suiCheckBox2->setEnabled(false);
    show_as_legend(suiCheckBox1, QStringLiteral("Legende: markiert = 0"));
    show_as_legend(suiCheckBox2, QStringLiteral("Legende: nicht markiert = 1"));

    suiGroupBox1 = createFuseGroup(QStringLiteral("suiGroupBox1"), QStringLiteral("LowFuse"), LowGroupLeft,
                                   ByteGroupWidth, u'l', l);
    suiGroupBox2 = createFuseGroup(QStringLiteral("suiGroupBox2"), QStringLiteral("HighFuse"), HighGroupLeft,
                                   ByteGroupWidth, u'h', h);
    suiGroupBox3 = createFuseGroup(QStringLiteral("suiGroupBox3"), QStringLiteral("EFuse"), ExtendedGroupLeft,
                                   ExtendedGroupWidth, u'e', e);
    for (int index = 0; index < FuseCaptionCount; ++index) {
        // A click changes that one bit in the session, and the window shows the session again.
        TsuiCheckBox *box = bitBox(index);
        connect_handler(box, &TsuiCheckBox::OnClick, this, [this, box, index] {
            session_.setFuseBit(index, box->isChecked());
            show_session_fuses();
        });
    }
    TsuiCheckBox *locked = h[LockedHighBit];
    locked->setLoading(true);
    locked->setChecked(true);
    locked->setLoading(false);
    locked->setEnabled(false);

    Label1 = createValueLabel(QStringLiteral("Label1"), LowGroupLeft);
    Label2 = createValueLabel(QStringLiteral("Label2"), HighGroupLeft);
    Label3 = createValueLabel(QStringLiteral("Label3"), ExtendedGroupLeft);

    suiButton1 = createButton(QStringLiteral("suiButton1"), QStringLiteral("&Lesen"), ReadButtonLeft);
    suiButton2 = createButton(QStringLiteral("suiButton2"), QStringLiteral("&Schreiben"), WriteButtonLeft);
    suiButton3 = createButton(QStringLiteral("suiButton3"), QStringLiteral("&Abbrechen"), CancelButtonLeft);
    connect_handler(suiButton1, &TsuiButton::OnClick, this, &TForm3::read_fuses);
    connect_handler(suiButton2, &TsuiButton::OnClick, this, &TForm3::write_fuses);
    connect_handler(suiButton3, &TsuiButton::OnClick, this, &TForm3::close);
    // Between "Schreiben" and "Abbrechen": a read or write started here says here how to stop it.
    new RunHint(suiForm1, QRect(WriteButtonLeft + ButtonWidth, ButtonTop, CancelButtonLeft - WriteButtonLeft - ButtonWidth,
                                ButtonHeight),
                Qt::AlignHCenter);

    lockoutDialog = make_question_dialog(this, QStringLiteral("lockoutDialog"), QStringLiteral("Fuses schreiben"),
                                         QStringLiteral("Schreiben"));
    // While the window is shown, its captions follow the device the main window names.
    session_.setFuseDescriptionObserver([this] { show_session_description(); });

    suiForm1->realign();
    centreOnDesktop();
}

TForm3::~TForm3() { session_.setFuseDescriptionObserver(nullptr); }

TsuiGroupBox *TForm3::createFuseGroup(const QString &name, const QString &caption, int left, int width, QChar prefix,
                                      BitBoxes &boxes)
{
    auto *group = new TsuiGroupBox(suiForm1);
    group->setObjectName(name);
    group->setUIStyle(TsuiUIStyle::MacOS);
    group->setCaption(caption);
    group->setGeometry(left, GroupTop, width, GroupHeight);
    for (int n = 0; n < static_cast<int>(boxes.size()); ++n) {
        TsuiCheckBox *box = make_check_box(group, prefix + QString::number(n), QStringLiteral("Bit %1").arg(n),
                                           BitBoxLeft, FirstBitBoxTop + n * BitBoxStep);
        // The captions come from the device's file and repeat ("-"): the byte and bit tell them apart.
        box->setAccessibleDescription(QStringLiteral("%1, Bit %2").arg(caption).arg(n));
        boxes[static_cast<std::size_t>(n)] = box;
    }
    return group;
}

QLabel *TForm3::createValueLabel(const QString &name, int left)
{
    auto *label = new QLabel(suiForm1);
    label->setObjectName(name);
    // The value is avrdude's transfer file as it stands: text, never markup to lay out or load.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(left + ValueLabelIndent, ValueLabelTop, ValueLabelWidth, ValueLabelHeight);
    return label;
}

TsuiButton *TForm3::createButton(const QString &name, const QString &caption, int left)
{
    return make_window_button(suiForm1, name, caption, QRect(left, ButtonTop, ButtonWidth, ButtonHeight));
}

TsuiCheckBox *TForm3::bitBox(int index) const
{
    const BitBoxes &group = index < 8 ? l : (index < 16 ? h : e);
    return group.at(static_cast<std::size_t>(index % 8));
}

void TForm3::FormShow()
{
    // From now until the window hides, another device shows its own captions here at once.
    session_.setFuseDescriptionFollowsDevice(true);
    // The labels show the bytes' numbers again, and then the device's captions.
    session_.setFuseBytes(session_.fuseBytes());
    show_session_fuses();
    update();
    // A file that fails half-way has still set what it had.
    const auto show_after = qScopeGuard([this] { show_session_description(); });
    session_.loadFuseDescription();
}

void TForm3::hideEvent(QHideEvent *event)
{
    // Minimized, the window is still open and keeps following.
    if (!event->spontaneous())
        session_.setFuseDescriptionFollowsDevice(false);
    TForm::hideEvent(event);
}

void TForm3::show_session_description()
{
    const QStringList &captions = session_.fuseCaptions();
    for (int index = 0; index < FuseCaptionCount; ++index) {
        TsuiCheckBox *box = bitBox(index);
        // A caption is the file's text as it stands: an "&" in it marks no accelerator key.
        box->setText(QString(captions[index]).replace(u'&', QStringLiteral("&&")));
        box->adjustSize();
    }
}

void TForm3::show_session_fuses()
{
    const FuseBytes &bytes = session_.fuseBytes();
    const std::array<std::pair<BitBoxes *, FuseByte>, FuseGroupCount> groups{
        {{&l, FuseByte::Low}, {&h, FuseByte::High}, {&e, FuseByte::Extended}}};
    for (const auto &[boxes, which] : groups)
        for (std::size_t n = 0; n < boxes->size(); ++n) {
            // The boxes follow the session here; only the user's clicks go back to it.
            TsuiCheckBox *box = (*boxes)[n];
            box->setLoading(true);
            box->setChecked(!fuse_bit(bytes[which], static_cast<int>(n)));
            box->setLoading(false);
        }
    const FuseTexts &texts = session_.fuseTexts();
    Label1->setText(texts[0]);
    Label2->setText(texts[1]);
    Label3->setText(texts[2]);
    name_fuse_values();
}

void TForm3::name_fuse_values()
{
    // A bare number says nothing to a screen reader: each value is read with its fuse's name.
    const std::array<std::pair<QLabel *, const TsuiGroupBox *>, FuseGroupCount> values{
        {{Label1, suiGroupBox1}, {Label2, suiGroupBox2}, {Label3, suiGroupBox3}}};
    for (const auto &[label, group] : values)
        label->setAccessibleName(group->caption() + u' ' + label->text());
}
