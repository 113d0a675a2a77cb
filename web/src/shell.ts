// SPDX-License-Identifier: GPL-3.0-or-later
// What the command groups (files, radio, backups) need of the page: its document and the ways to
// show what happened. The App is the one shell.
import type { CoreModule, Notice, Outcome, WebDocument } from './core_api';
import type { TextKey } from './texts';

export interface Shell {
  readonly core: CoreModule;
  readonly doc: WebDocument;
  busy(): boolean; // a transfer runs
  commitEdits(): void; // the grid's open editor, taken as typed
  replaceDocument(doc: WebDocument): void;
  renderDocument(): void;
  documentChanged(): void;
  updateCommands(): void;
  notify(notices: Notice[]): void;
  // A notice of the page's own words, which follows a language switch.
  say(severity: Notice['severity'], key: TextKey): void;
  // Shows the outcome's message, if any, as information or error; true when it went well.
  outcome(outcome: Outcome): boolean;
}
