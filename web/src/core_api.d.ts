// SPDX-License-Identifier: GPL-3.0-or-later
// What the page sees of the core compiled to WebAssembly (src/web/web_binding.cpp, embind).
// The page never parses bytes, formats a frequency or words a message itself: it asks here.
// Every text returned is in the language last set with setLanguage.

export type Language = 'en' | 'zh';

// A message for the user, worded by the core; `question` set means the page asks it and answers.
export interface Notice {
  severity: 'information' | 'warning' | 'error';
  text: string;
}

export interface Outcome {
  ok: boolean;
  message: string; // empty when there is nothing to say
  // The message asks whether to go on; nothing has changed yet.
  question?: boolean;
}

// A fill as typed (MHz, kHz, kHz). When some channels would leave the band the first call changes
// nothing and asks (Outcome.question) whether to fill the rest: the same request with rest: true
// does so.
export interface FillRequest {
  start: string;
  step: string;
  offset: string;
  count?: number; // that many new channels after the last one, instead of the chosen rows
  rest?: boolean;
}

// One column of the channel grid, from the core's field table.
export interface GridColumn {
  // stable: chNum, rxFrequency, txFrequency, busy, echo, hiCut, plus10K, nbAnl, rb, scan
  key: string;
  heading: string; // in the current language
  kind: 'number' | 'frequency' | 'switch' | 'choice' | 'text';
  choices: string[]; // for 'choice' and 'switch' (the switch's two states)
  width: number; // in characters, as the desktop grid sizes it
}

// One field of an editor area (option features, keys, scan, messages), from the field table.
export interface AreaField {
  // stable: options by their record names (tot, rbFre, scanMode, ...), keys pf1 and pf2, scan
  // priority, priorityChannel, lookBackA, lookBackB, revert, dropoutDelay, txDwell, messages
  // embMsg1 and embMsg2. setField takes a choice's text (or its position) as value.
  key: string;
  label: string;
  kind: 'switch' | 'choice' | 'number' | 'text';
  choices: string[];
  value: string; // as shown
  enabled: boolean;
}

export interface Area {
  key: 'options' | 'keys' | 'scan' | 'messages';
  caption: string;
  fields: AreaField[];
}

// A group's emergency channel: one of the group's channel numbers, as the desktop's list above
// the grid offers them. A delete or move that takes the channel away moves the choice to the
// group's first channel (the core's recheck); undo brings it back with the rest.
export interface EmergencyChoice {
  label: string; // "A Emergency Channel", in the current language
  choices: string[]; // the group's channel numbers, ascending
  value: string; // the chosen one, empty when the record names no channel of the group
}

export type BulkCommand =
  | 'switchOn' | 'switchOff' // arg: the column key of a switch
  | 'moveUp' | 'moveDown' | 'insert' | 'delete' | 'sort';

export interface WebDocument {
  readonly fileName: string;
  readonly modified: boolean;
  readonly bandCode: number;
  save(): Uint8Array; // the 14531-byte data file; the document counts as saved afterwards
  setFileName(name: string): void;
  // The title as the desktop's window words it (model, band, file name), in the current
  // language, marked while the document is modified.
  caption(): string;

  groupCount(): number; // 6
  groupCaption(group: number): string;
  columns(): GridColumn[];
  // rows shown: the channels plus the empty row to type into. Row r is channel number r + 1, as
  // on the desktop grid (rows between channels are empty rows); at most 60.
  rowCount(group: number): number;
  cell(group: number, row: number, column: string): string;
  // Typed text: frequencies normalised and range-checked by the core. A refusal leaves the cell.
  setCell(group: number, row: number, column: string, text: string): Outcome;
  bulk(group: number, rows: number[], command: BulkCommand, arg: string): Outcome;
  fill(group: number, rows: number[], request: FillRequest): Outcome;

  emergency(group: number): EmergencyChoice;
  // chNum: one of emergency(group).choices; anything else is refused and changes nothing.
  setEmergency(group: number, chNum: string): Outcome;

  areas(): Area[];
  setField(area: string, key: string, value: string): Outcome;

  canUndo(): boolean;
  canRedo(): boolean;
  undo(): void;
  redo(): void;

  exportCsv(): string;
  importCsv(text: string): Outcome;
  // The differences from another data file, one line each, worded as the desktop shows them.
  compareWith(bytes: Uint8Array, name: string): { outcome: Outcome; lines: string[] };
  delete(): void; // embind: frees the C++ object
}

// The stop bits and flow control the user chose beside the port.
export interface PortChoice {
  stopBits: 1 | 2;
  rtsCts: boolean;
}

// The page's side of a serial line: the binding calls these; they return at once.
export interface LineHost {
  // Opens (or reopens, when the port search changes them) the line with these settings; bytes
  // sent meanwhile wait for the line to be open. False: no such line.
  open(stopBits: 1 | 2, rtsCts: boolean): boolean;
  close(): void;
  write(bytes: Uint8Array): void;
  startTimer(milliseconds: number): void; // one timer: calling again restarts it
  stopTimer(): void;
  now(): number; // milliseconds, performance.now()
  // A question to the user, worded by the core: returns the index of the answer chosen. A message
  // that is no question (the radio's identity refused) comes with one answer.
  ask(text: string, answers: string[]): number;
  progress(percent: number): void;
  // A write's verify began (true) or ended (false): the progress then shows VerifyCaption.
  readingBack(on: boolean): void;
  // Always called from inside TransferJob.timer() (the job starts the timer with 0 ms to end),
  // never from inside another call into the job, so the page may delete the job here.
  finished(success: boolean): void;
}

export interface TransferJob {
  // Bytes that arrived on the line; the core assembles replies and recognises echoes.
  received(bytes: Uint8Array): void;
  timer(): void; // the host's timer ran out
  cancel(): void;
  // The cable was pulled: nothing more goes out; the session then times out and asks, as the
  // desktop program does when its port fails mid-transfer.
  lineLost(): void;
  // After finished(): what the user is told, the document a read made (null otherwise), and the
  // names of the backups kept in the backup store.
  notices(): Notice[];
  takeDocument(): WebDocument | null;
  delete(): void;
}

export interface BackupEntry {
  name: string;
  kind: 'read' | 'write' | 'written';
  when: string; // as the desktop shows it
  radio: string;
}

export interface VirtualRadio {
  // Bytes from the computer; returns the radio's answer so far (the page paces it at 9600 baud).
  receive(bytes: Uint8Array): Uint8Array;
  memory(): Uint8Array; // the radio's 8 KiB memory image
  pullCable(afterBytes: number): void; // goes silent after sending this many more bytes
  delete(): void;
}

export interface CoreModule {
  setLanguage(language: Language): void;
  // The page's own texts, from the core's tables: every key the page uses, both languages.
  texts(): Record<string, string>;

  newDocument(band: 0 | 1): WebDocument;
  // Bytes of a .dat file: the document, or the desktop program's refusal message.
  openDocument(bytes: Uint8Array, name: string): { document: WebDocument | null; outcome: Outcome };

  // The backup store lives at /data in the module's file system, kept in IndexedDB; call
  // syncBackups after a job has finished to persist it. Pruned by the desktop program's rules.
  mountBackups(): Promise<void>;
  syncBackups(): Promise<void>;
  listBackups(): BackupEntry[];
  openBackup(name: string): { document: WebDocument | null; outcome: Outcome };

  // The write preview against the last read or written content of the radio the document is for
  // (from the backup store): null when there is nothing to compare against.
  writePreview(document: WebDocument): string | null;

  // The session opens the line with the user's port settings first, as the desktop's settings
  // give them; a search for working settings may change them later (LineHost.open again).
  readRadio(host: LineHost, band: 0 | 1, port: PortChoice): TransferJob;
  writeRadio(host: LineHost, document: WebDocument, verify: boolean, port: PortChoice): TransferJob;

  newVirtualRadio(band: 0 | 1): VirtualRadio;
}

// In node, pass {wasmBinary} (the .wasm file's bytes): node's fetch cannot read a file URL.
export default function createCore(options?: object): Promise<CoreModule>;
