#pragma once

class QWidget;

// Sets the window's Tab order to reading order: rows from top to bottom, each row from left to
// right (right to left in a mirrored window). A container without focus of its own (a group box,
// a panel, the frame) is placed as one block, its controls in reading order inside it; a control
// that takes the focus is one stop, whatever parts it is built of.
void SetReadingTabOrder(QWidget *window);
