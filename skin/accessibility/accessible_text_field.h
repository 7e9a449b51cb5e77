#pragma once

#include <QAccessibleWidget>

class QLineEdit;
class QPlainTextEdit;

// A text field as assistive tools read and edit it, related to what labels it: a label whose
// buddy it is, its combo box's label when it is a combo box's editor, or the caption of the group
// it is named by. Qt's own text field interfaces know only the first, and cannot be extended.
class AccessibleTextField : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit AccessibleTextField(QWidget *field);

    void *interface_cast(QAccessible::InterfaceType type) override;
    using QAccessibleWidget::text;
    QAccessible::State state() const override;
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation match) const override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

protected:
    virtual QString allText() const = 0;
    virtual bool isReadOnly() const = 0;
    virtual void setAllText(const QString &text) = 0;
};

// A one-line edit: a skinned edit, or a combo box's editor.
class AccessibleLineEdit : public AccessibleTextField {
public:
    explicit AccessibleLineEdit(QLineEdit *edit);

    using AccessibleTextField::text;
    // Its value is its text.
    QString text(QAccessible::Text t) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;

protected:
    QString allText() const override;
    bool isReadOnly() const override;
    void setAllText(const QString &text) override;

private:
    QLineEdit *edit() const;
};

// A multi-line pane: a log or a memo.
class AccessiblePlainText : public AccessibleTextField {
public:
    explicit AccessiblePlainText(QPlainTextEdit *pane);

    QAccessible::State state() const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;

protected:
    QString allText() const override;
    bool isReadOnly() const override;
    void setAllText(const QString &text) override;

private:
    QPlainTextEdit *pane() const;
};
