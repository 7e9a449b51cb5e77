#include "skin/accessibility/accessible_text_field.h"

#include "skin/accessibility/field_labels.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

int clamped(int offset, int count) { return qBound(0, offset, count); }

QRect global_rect(const QWidget *widget, const QRect &local)
{
    return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

} // namespace

AccessibleTextField::AccessibleTextField(QWidget *field)
    : QAccessibleWidget(field, QAccessible::EditableText)
{
}

void *AccessibleTextField::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State AccessibleTextField::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = isReadOnly();
    s.editable = !s.readOnly;
    s.selectableText = true;
    return s;
}

QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
AccessibleTextField::relations(QAccessible::Relation match) const
{
    auto found = QAccessibleWidget::relations(match);
    if (match & QAccessible::Label)
        if (QWidget *labelling = labelling_widget(widget()))
            if (QAccessibleInterface *label = QAccessible::queryAccessibleInterface(labelling))
                found.append({label, QAccessible::Label});
    return found;
}

QString AccessibleTextField::text(int startOffset, int endOffset) const
{
    const QString all = allText();
    const int start = clamped(startOffset, static_cast<int>(all.size()));
    const int end = endOffset < 0 ? static_cast<int>(all.size()) : clamped(endOffset, static_cast<int>(all.size()));
    return end > start ? all.mid(start, end - start) : QString();
}

int AccessibleTextField::characterCount() const { return static_cast<int>(allText().size()); }

QString AccessibleTextField::attributes(int, int *startOffset, int *endOffset) const
{
    // Plain text: one run without attributes.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void AccessibleTextField::deleteText(int startOffset, int endOffset) { replaceText(startOffset, endOffset, {}); }

void AccessibleTextField::insertText(int offset, const QString &text) { replaceText(offset, offset, text); }

void AccessibleTextField::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (isReadOnly())
        return;
    QString all = allText();
    const int start = clamped(startOffset, static_cast<int>(all.size()));
    const int end = qMax(start, endOffset < 0 ? static_cast<int>(all.size())
                                              : clamped(endOffset, static_cast<int>(all.size())));
    setAllText(all.replace(start, end - start, text));
}

AccessibleLineEdit::AccessibleLineEdit(QLineEdit *edit)
    : AccessibleTextField(edit)
{
}

QLineEdit *AccessibleLineEdit::edit() const { return static_cast<QLineEdit *>(widget()); }

QString AccessibleLineEdit::text(QAccessible::Text t) const
{
    return t == QAccessible::Value ? allText() : AccessibleTextField::text(t);
}

QString AccessibleLineEdit::allText() const { return edit()->text(); }

bool AccessibleLineEdit::isReadOnly() const { return edit()->isReadOnly(); }

void AccessibleLineEdit::setAllText(const QString &text) { edit()->setText(text); }

void AccessibleLineEdit::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !edit()->hasSelectedText())
        return;
    *startOffset = edit()->selectionStart();
    *endOffset = edit()->selectionEnd();
}

int AccessibleLineEdit::selectionCount() const { return edit()->hasSelectedText() ? 1 : 0; }

void AccessibleLineEdit::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void AccessibleLineEdit::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        edit()->deselect();
}

void AccessibleLineEdit::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        edit()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::cursorPosition() const { return edit()->cursorPosition(); }

void AccessibleLineEdit::setCursorPosition(int position) { edit()->setCursorPosition(position); }

QRect AccessibleLineEdit::characterRect(int offset) const
{
    // Measured from the caret, whose rectangle the edit tells (with its scrolling and margins).
    const QString all = allText();
    const int at = clamped(offset, static_cast<int>(all.size()));
    const QFontMetrics metrics = edit()->fontMetrics();
    const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.x() + metrics.horizontalAdvance(all.left(at)) -
                  metrics.horizontalAdvance(all.left(edit()->cursorPosition()));
    const int width = at < all.size() ? metrics.horizontalAdvance(all.at(at)) : 1;
    return global_rect(edit(), QRect(x, caret.y(), width, caret.height()));
}

int AccessibleLineEdit::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = edit()->mapFromGlobal(point);
    return edit()->rect().contains(local) ? edit()->cursorPositionAt(local) : -1;
}

void AccessibleLineEdit::scrollToSubstring(int startIndex, int) { edit()->setCursorPosition(startIndex); }

AccessiblePlainText::AccessiblePlainText(QPlainTextEdit *pane)
    : AccessibleTextField(pane)
{
}

QPlainTextEdit *AccessiblePlainText::pane() const { return static_cast<QPlainTextEdit *>(widget()); }

QAccessible::State AccessiblePlainText::state() const
{
    QAccessible::State s = AccessibleTextField::state();
    s.multiLine = true;
    return s;
}

QString AccessiblePlainText::allText() const { return pane()->toPlainText(); }

bool AccessiblePlainText::isReadOnly() const { return pane()->isReadOnly(); }

void AccessiblePlainText::setAllText(const QString &text) { pane()->setPlainText(text); }

void AccessiblePlainText::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    const QTextCursor cursor = pane()->textCursor();
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !cursor.hasSelection())
        return;
    *startOffset = cursor.selectionStart();
    *endOffset = cursor.selectionEnd();
}

int AccessiblePlainText::selectionCount() const { return pane()->textCursor().hasSelection() ? 1 : 0; }

void AccessiblePlainText::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void AccessiblePlainText::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = pane()->textCursor();
    cursor.clearSelection();
    pane()->setTextCursor(cursor);
}

void AccessiblePlainText::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    const int count = characterCount();
    QTextCursor cursor = pane()->textCursor();
    cursor.setPosition(clamped(startOffset, count));
    cursor.setPosition(clamped(endOffset, count), QTextCursor::KeepAnchor);
    pane()->setTextCursor(cursor);
}

int AccessiblePlainText::cursorPosition() const { return pane()->textCursor().position(); }

void AccessiblePlainText::setCursorPosition(int position)
{
    QTextCursor cursor = pane()->textCursor();
    cursor.setPosition(clamped(position, characterCount()));
    pane()->setTextCursor(cursor);
}

QRect AccessiblePlainText::characterRect(int offset) const
{
    QTextCursor cursor(pane()->document());
    cursor.setPosition(clamped(offset, characterCount()));
    const QRect caret = pane()->cursorRect(cursor);
    const QString line = cursor.block().text();
    const int in_line = cursor.positionInBlock();
    const int width = in_line < line.size() ? pane()->fontMetrics().horizontalAdvance(line.at(in_line)) : 1;
    return global_rect(pane()->viewport(), QRect(caret.x(), caret.y(), width, caret.height()));
}

int AccessiblePlainText::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = pane()->viewport()->mapFromGlobal(point);
    return pane()->viewport()->rect().contains(local) ? pane()->cursorForPosition(local).position() : -1;
}

void AccessiblePlainText::scrollToSubstring(int startIndex, int)
{
    setCursorPosition(startIndex);
    pane()->ensureCursorVisible();
}
