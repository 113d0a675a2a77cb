// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers are told about the program's grids: each cell's heading, value and
// channel, and the keys that open a grid's context menu from the keyboard.
#pragma once

class QComboBox;
class QEvent;
class QLabel;
class QObject;
class QString;
class QTableWidget;
class QWidget;

namespace kr4100 {

class UiContext;

// Every cell of the grid tells its column heading and its text, and with rowsAreChannels the
// channel of its row; it follows the cells and the headings (a language change replaces them).
void AnnounceCells(QTableWidget* grid, UiContext& ctx, bool rowsAreChannels);

// Names a control after the label beside it, on every platform: the label becomes its buddy (on
// Linux a screen reader takes a combo box's name from that relation only, its accessible name
// being its current value) and the label's text, without accelerator, its accessible name. Call
// again when the label's text changes.
void NameAfterLabel(QWidget* control, QLabel* label);

// A name for a combo box that has no label on screen (a grid's in-place list): a hidden label
// of its own carries it as above.
void NameComboBox(QComboBox* box, const QString& name);

// Qt's own file dialog leaves two of its lists without a label a screen reader can find; from
// this call on, every such dialog gets them as it shows.
void NameToolkitDialogs(QObject* application);

// Shift+F10 or the Menu key pressed, or the context-menu event some platforms make of the Menu
// key: the keyboard's ways to a context menu. Shift+F10 never arrives as such an event here.
bool OpensKeyboardContextMenu(const QEvent* event);

// A keyboard context menu for the grid at its current cell, sent to the grid as the platform
// would send one.
void SendKeyboardContextMenu(QTableWidget* grid);

}  // namespace kr4100
