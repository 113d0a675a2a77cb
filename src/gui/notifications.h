// SPDX-License-Identifier: GPL-3.0-or-later
// How the parts of this program tell each other what happened. One rule, so that a newcomer
// knows where to look and a change cannot slip past undo or the modified state:
//
// - Between Qt objects (windows, dialogs, the radio sessions, the test-mode session): Qt
//   signals, connected with function pointers or lambdas. A signal says what happened
//   ("readCompleted", "userClosed"), not what the receiver should do.
// - From core to windows: the document's observer (DocumentObserver). A window that shows the
//   record registers itself and redraws on channelChanged / channelSetChanged /
//   documentReplaced; windows never call each other by name to say the record changed.
// - Where the sender needs an answer (a bool, a choice), a signal is the wrong tool: the
//   receiver implements a small interface the sender holds (RadioSessionsOwner,
//   DocumentCommands).
// - A std::function member is a test seam only, and says so in its comment ("Test seam:"): a
//   file dialog or a clock that a test replaces. A std::function taken as an argument for
//   something to compute (a factory, a key filter) notifies nobody and is fine.
// - The core has no signals: a session reports to its front end through the std::function
//   members of ReportingSessionHost, which RadioSessions turns into signals at once.
//
// Every change to the record goes through Document or a core edit function, never by writing
// the working record from a window; that is what keeps Undo and the modified state true. A
// window (an EditorWindow) reads record() and changes it with edit(), which runs a core edit
// function on the working copy; the document then tells its observers (recordEdited), and the
// undo history takes its step from that, input or not.
//
// Older code not yet moved over: the transfer-session host's callbacks (ReportingSessionHost in
// core, under QtSessionHost and the command line's host without Qt) and the splash's end. Test
// mode without Qt tells a TestModeListener, the observer of its events.
#pragma once
