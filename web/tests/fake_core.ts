// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the core module, for trying the page before the WebAssembly build exists. It
// keeps the contract's shapes and a rough version of its rules, nothing more: it is never shipped
// (check-web.sh puts it into a separate test site only when asked to), and the browser test's
// byte-exact checks are skipped against it.
import type {
  Area, BackupEntry, BulkCommand, CoreModule, GridColumn, Language, LineHost, Notice, Outcome,
  PortChoice, TransferJob, VirtualRadio, WebDocument,
} from '../src/core_api';
import { PAGE_TEXT_KEYS } from '../src/texts';

const FILE_SIZE = 14531;
const MEMORY_SIZE = 8192;
const BLOCK = 64;
let language: Language = 'en';

const BAND_TEXTS = ['28.000000 - 29.700000 MHz', '25.615000 - 30.105000 MHz'];
const SWITCHES = ['busy', 'echo', 'hiCut', 'plus10k', 'nbAnl', 'rb'];
const words = (en: string, zh: string) => (language === 'zh' ? zh : en);

interface Channel { rx: string; tx: string; switches: boolean[]; scan: boolean }
// emergency: per group, the emergency channel's row (files from before it was kept lack it).
interface State { band: 0 | 1; groups: Channel[][]; options: Record<string, string>; emergency?: number[] }

function columns(): GridColumn[] {
  const onOff = [words('Disable', '不使用'), words('Enable', '使用')];
  return [
    { key: 'rxFrequency', heading: words('RX Frequency', '接收频率'), kind: 'frequency', choices: [], width: 11 },
    { key: 'txFrequency', heading: words('TX FreQuency', '发射频率'), kind: 'frequency', choices: [], width: 11 },
    ...SWITCHES.map((key) => ({ key, heading: key.toUpperCase(), kind: 'switch' as const, choices: onOff, width: 8 })),
    { key: 'scan', heading: words('Scan', '扫描'), kind: 'choice', choices: [words('Del', '删除'), words('Add', '添加')], width: 6 },
  ];
}

function edges(band: 0 | 1): [number, number] {
  return band === 0 ? [28, 29.7] : [25.615, 30.105];
}

function emptyState(band: 0 | 1): State {
  return {
    band, groups: Array.from({ length: 6 }, () => []), options: { tot: '3', beep: 'On', msg1: '' },
    emergency: [0, 0, 0, 0, 0, 0],
  };
}

const encoder = new TextEncoder();
const decoder = new TextDecoder();

function encode(state: State, size: number): Uint8Array {
  const bytes = new Uint8Array(size).fill(0xff);
  bytes.set(encoder.encode(JSON.stringify(state)));
  return bytes;
}

function decode(bytes: Uint8Array): State | null {
  const end = bytes.indexOf(0xff);
  try {
    return JSON.parse(decoder.decode(bytes.subarray(0, end < 0 ? bytes.length : end))) as State;
  } catch {
    return null;
  }
}

const ok = (message = ''): Outcome => ({ ok: true, message });
const refused = (message: string): Outcome => ({ ok: false, message });

class FakeDocument implements WebDocument {
  private undoStack: string[] = [];
  private redoStack: string[] = [];
  private saved: string;
  constructor(private state: State, public fileName: string) {
    this.saved = JSON.stringify(state);
  }
  get modified() { return JSON.stringify(this.state) !== this.saved; }
  get bandCode() { return this.state.band; }
  snapshot(): State { return JSON.parse(JSON.stringify(this.state)) as State; }
  save(): Uint8Array {
    this.saved = JSON.stringify(this.state);
    return encode(this.state, FILE_SIZE);
  }
  setFileName(name: string) { this.fileName = name; }
  caption() {
    const band = BAND_TEXTS[this.state.band];
    const name = this.fileName.split(/[\\/]/).pop();
    return `KR-4100[${band}][${words('File Name', '文件名')}:${name}]${this.modified ? ' *' : ''}`;
  }
  groupCount() { return 6; }
  groupCaption(g: number) { return words('Group ', '组 ') + 'ABCDEF'[g]; }
  columns() { return columns(); }
  rowCount(g: number) { return Math.min(60, this.state.groups[g].length + 1); }
  cell(g: number, row: number, column: string): string {
    const ch = this.state.groups[g][row];
    if (!ch) return '';
    const cols = columns();
    if (column === 'rxFrequency') return ch.rx;
    if (column === 'txFrequency') return ch.tx;
    if (column === 'scan') return cols[8].choices[ch.scan ? 1 : 0];
    const s = SWITCHES.indexOf(column);
    return s >= 0 ? cols[2].choices[ch.switches[s] ? 1 : 0] : '';
  }
  private change(apply: () => Outcome): Outcome {
    const before = JSON.stringify(this.state);
    const outcome = apply();
    if (JSON.stringify(this.state) !== before) {
      this.undoStack.push(before);
      this.redoStack = [];
    }
    return outcome;
  }
  setCell(g: number, row: number, column: string, text: string): Outcome {
    return this.change(() => {
      const group = this.state.groups[g];
      const ch = group[row];
      if (column === 'rxFrequency' || column === 'txFrequency') {
        if (text.trim() === '') {
          if (!ch) return ok();
          if (column === 'txFrequency') ch.tx = ch.rx;
          else group.splice(row, 1);
          return ok();
        }
        const value = Number(text);
        const [low, high] = edges(this.state.band);
        if (!Number.isFinite(value)) return refused(words('is not numeric.', '不是数字。'));
        if (value < low || value > high) return refused(words('Frequency is out of range.', '频率超出范围。'));
        const shown = value.toFixed(6);
        if (!ch) {
          if (column !== 'rxFrequency') return ok();
          group.push({ rx: shown, tx: shown, switches: [false, true, false, false, false, false], scan: true });
        } else if (column === 'rxFrequency') ch.rx = shown;
        else ch.tx = shown;
        return ok();
      }
      if (!ch) return ok();
      const cols = columns();
      if (column === 'scan') ch.scan = cols[8].choices.indexOf(text) === 1;
      else ch.switches[SWITCHES.indexOf(column)] = cols[2].choices.indexOf(text) === 1;
      return ok();
    });
  }
  bulk(g: number, rows: number[], command: BulkCommand, arg: string): Outcome {
    return this.change(() => {
      const group = this.state.groups[g];
      const chosen = rows.filter((r) => r < group.length);
      if (command === 'switchOn' || command === 'switchOff') {
        for (const r of chosen) group[r].switches[SWITCHES.indexOf(arg)] = command === 'switchOn';
      } else if (command === 'delete') {
        if (chosen.length >= group.length) return refused(words('A group keeps one channel.', '组至少保留一个信道。'));
        for (const r of [...chosen].reverse()) group.splice(r, 1);
        // Roughly the core's recheck: a channel gone leaves the group's first one chosen.
        if (this.state.emergency && this.state.emergency[g] >= group.length) this.state.emergency[g] = 0;
      } else if (command === 'sort') {
        group.sort((a, b) => Number(a.rx) - Number(b.rx));
      } else {
        return refused(`${command}: ${words('not in this stand-in', '替身不支持')}`);
      }
      return ok();
    });
  }
  fill(): Outcome {
    return refused(`fill: ${words('not in this stand-in', '替身不支持')}`);
  }
  emergency(g: number) {
    const group = this.state.groups[g] ?? [];
    const row = this.state.emergency?.[g] ?? 0;
    return {
      label: `${'ABCDEF'[g]} ${words('Emergency Channel', '紧急信道')}`,
      choices: group.map((_, r) => String(r + 1)),
      value: row < group.length ? String(row + 1) : '',
    };
  }
  setEmergency(g: number, chNum: string): Outcome {
    if (!this.emergency(g).choices.includes(chNum)) return { ok: false, message: '' };
    return this.change(() => {
      this.state.emergency ??= [0, 0, 0, 0, 0, 0];
      this.state.emergency[g] = Number(chNum) - 1;
      return ok();
    });
  }
  areas(): Area[] {
    const o = this.state.options;
    return [
      { key: 'options', caption: words('Option Features', '可选功能'), fields: [
        { key: 'tot', label: words('Time-out timer', '发射限时'), kind: 'number', choices: [], value: o.tot, enabled: true },
        { key: 'beep', label: words('Beep', '按键音'), kind: 'switch', choices: ['Off', 'On'], value: o.beep, enabled: true },
      ] },
      { key: 'keys', caption: words('Key Assignment', '键设置'), fields: [] },
      { key: 'scan', caption: words('Scan Information', '扫描信息'), fields: [] },
      { key: 'messages', caption: words('Embedded Message', '嵌入信息'), fields: [
        { key: 'msg1', label: words('Message 1', '信息 1'), kind: 'text', choices: [], value: o.msg1, enabled: true },
      ] },
    ];
  }
  setField(_area: string, key: string, value: string): Outcome {
    return this.change(() => {
      if (key === 'tot' && !/^\d+$/.test(value)) return refused(words('is not numeric.', '不是数字。'));
      this.state.options[key] = value;
      return ok();
    });
  }
  canUndo() { return this.undoStack.length > 0; }
  canRedo() { return this.redoStack.length > 0; }
  undo() {
    const last = this.undoStack.pop();
    if (last === undefined) return;
    this.redoStack.push(JSON.stringify(this.state));
    this.state = JSON.parse(last) as State;
  }
  redo() {
    const next = this.redoStack.pop();
    if (next === undefined) return;
    this.undoStack.push(JSON.stringify(this.state));
    this.state = JSON.parse(next) as State;
  }
  exportCsv(): string {
    const lines = ['Group,RX,TX'];
    this.state.groups.forEach((group, g) => group.forEach((ch) => lines.push(`${'ABCDEF'[g]},${ch.rx},${ch.tx}`)));
    return lines.join('\r\n') + '\r\n';
  }
  importCsv(text: string): Outcome {
    return this.change(() => {
      const groups: Channel[][] = Array.from({ length: 6 }, () => []);
      const lines = text.split(/\r?\n/).filter((l) => l.trim() !== '').slice(1);
      for (const [i, line] of lines.entries()) {
        const [letter, rx, tx] = line.split(',');
        const g = 'ABCDEF'.indexOf(letter);
        if (g < 0 || !Number.isFinite(Number(rx))) return refused(`${words('Line', '行')} ${i + 2}`);
        groups[g].push({ rx, tx: tx || rx, switches: [false, true, false, false, false, false], scan: true });
      }
      this.state.groups = groups;
      return ok();
    });
  }
  compareWith(bytes: Uint8Array, name: string) {
    const other = bytes.length === FILE_SIZE ? decode(bytes) : null;
    if (!other) return { outcome: refused(words('file error.', '文件错误。')), lines: [] };
    const lines: string[] = [];
    for (let g = 0; g < 6; g++) {
      const a = this.state.groups[g], b = other.groups[g] ?? [];
      for (let r = 0; r < Math.max(a.length, b.length); r++) {
        if (JSON.stringify(a[r]) !== JSON.stringify(b[r])) {
          lines.push(`${'ABCDEF'[g]} ${r + 1}: ${a[r]?.rx ?? '-'} / ${b[r]?.rx ?? '-'} (${name})`);
        }
      }
    }
    return { outcome: ok(), lines };
  }
  delete() {}
}

class FakeRadio implements VirtualRadio {
  memory_: Uint8Array;
  private silentAfter = Infinity;
  constructor(band: 0 | 1) {
    const state = emptyState(band);
    state.groups[0].push({ rx: '28.100000', tx: '28.100000', switches: [false, true, false, false, false, false], scan: true });
    this.memory_ = encode(state, MEMORY_SIZE);
  }
  // Frames: 'R' n -> 'W' n + 64 bytes; 'W' n + 64 bytes -> 0x06.
  receive(bytes: Uint8Array): Uint8Array {
    let answer: number[] = [];
    if (bytes[0] === 0x52) {
      const n = bytes[1];
      answer = [0x57, n, ...this.memory_.subarray(n * BLOCK, (n + 1) * BLOCK)];
    } else if (bytes[0] === 0x57) {
      this.memory_.set(bytes.subarray(2, 2 + BLOCK), bytes[1] * BLOCK);
      answer = [0x06];
    }
    const allowed = Math.max(0, Math.min(answer.length, this.silentAfter));
    this.silentAfter -= allowed;
    return Uint8Array.from(answer.slice(0, allowed));
  }
  memory() { return this.memory_.slice(); }
  pullCable(afterBytes: number) { this.silentAfter = afterBytes; }
  delete() {}
}

const backups: { entry: BackupEntry; bytes: Uint8Array }[] = [];

function keepBackup(kind: BackupEntry['kind'], state: State) {
  const when = new Date().toISOString().replace('T', ' ').slice(0, 19);
  const name = `${when.replace(/\D/g, '')}_${kind}_KR-4100_band${state.band}.dat`;
  backups.unshift({ entry: { name, kind, when, radio: `KR-4100 band ${state.band}` }, bytes: encode(state, FILE_SIZE) });
}

class FakeJob implements TransferJob {
  private block = 0;
  private buffer: number[] = [];
  private notes: Notice[] = [];
  private read: FakeDocument | null = null;
  private image = new Uint8Array(MEMORY_SIZE);
  private ended = false;
  private verifying = false;
  constructor(private readonly host: LineHost, private readonly writing: Uint8Array | null,
              private readonly verify: boolean, port: PortChoice) {
    host.open(port.stopBits, port.rtsCts);
    this.next();
  }
  private blocks() { return this.writing ? MEMORY_SIZE / BLOCK : MEMORY_SIZE / BLOCK; }
  private sending() { return this.writing !== null && !this.verifying; }
  private expected() { return this.sending() ? 1 : BLOCK + 2; }
  private next() {
    if (this.block >= this.blocks() && this.sending() && this.verify) {
      this.verifying = true;
      this.block = 0;
      this.host.readingBack(true);
    }
    if (this.block >= this.blocks()) {
      if (this.writing) {
        keepBackup('written', decode(this.writing)!);
        this.notes.push({ severity: 'information', text: words('Write Data Completed.', '写入数据完成。') });
      } else {
        const state = decode(this.image);
        if (!state) {
          this.notes.push({ severity: 'error', text: 'unusable image' });
          return this.finish(false);
        }
        this.read = new FakeDocument(state, 'new.dat');
        keepBackup('read', state);
        this.notes.push({ severity: 'information', text: words('Read Data Completed.', '读取数据完成。') });
      }
      return this.finish(true);
    }
    const frame = this.sending()
      ? [0x57, this.block, ...this.writing!.subarray(this.block * BLOCK, (this.block + 1) * BLOCK)]
      : [0x52, this.block];
    this.host.write(Uint8Array.from(frame));
    this.host.startTimer(300);
  }
  received(bytes: Uint8Array) {
    if (this.ended) return;
    this.buffer.push(...bytes);
    if (this.buffer.length < this.expected()) return;
    const reply = this.buffer.splice(0, this.expected());
    this.host.stopTimer();
    if (!this.sending()) this.image.set(reply.slice(2), this.block * BLOCK);
    this.block++;
    this.host.progress((100 * this.block) / this.blocks());
    this.next();
  }
  timer() {
    if (this.ended) return;
    const again = this.host.ask(words('Check Connection. Retry or Cancel?', '请检查连接。重试或取消？'),
      [words('Retry', '重试'), words('Cancel', '取消')]);
    if (again === 0) {
      this.buffer = [];
      this.next();
    } else {
      this.notes.push({ severity: 'error', text: words('Cancelled.', '已取消。') });
      this.finish(false);
    }
  }
  cancel() {
    this.notes.push({ severity: 'warning', text: words('Cancelled.', '已取消。') });
    this.finish(false);
  }
  lineLost() {
    this.notes.push({ severity: 'error', text: words('The cable was disconnected.', '连接线已断开。') });
    this.finish(false);
  }
  private finish(success: boolean) {
    if (this.ended) return;
    this.ended = true;
    this.host.close();
    this.host.finished(success);
  }
  notices() { return this.notes; }
  takeDocument() { const d = this.read; this.read = null; return d; }
  delete() {}
}

function texts(): Record<string, string> {
  const table: Record<string, string> = {};
  for (const key of PAGE_TEXT_KEYS) table[key] = language === 'zh' ? `中${key}` : `${key} (en)`;
  // What the stand-in's captions are made of reads as the core's does.
  table.ProductTitle = 'KR-4100';
  table.FileName = words('File Name', '文件名');
  table.band0 = BAND_TEXTS[0];
  table.band1 = BAND_TEXTS[1];
  return table;
}

export default async function createCore(): Promise<CoreModule> {
  return {
    setLanguage(l: Language) { language = l; },
    texts,
    newDocument: (band) => new FakeDocument(emptyState(band), 'new.dat'),
    openDocument(bytes, name) {
      const state = bytes.length === FILE_SIZE ? decode(bytes) : null;
      if (!state) return { document: null, outcome: refused(words('file error.', '文件错误。')) };
      return { document: new FakeDocument(state, name), outcome: ok() };
    },
    mountBackups: async () => {},
    syncBackups: async () => {},
    listBackups: () => backups.map((b) => b.entry),
    openBackup(name) {
      const found = backups.find((b) => b.entry.name === name);
      const state = found ? decode(found.bytes) : null;
      return state ? { document: new FakeDocument(state, name), outcome: ok() }
        : { document: null, outcome: refused(words('file error.', '文件错误。')) };
    },
    writePreview(doc) {
      const last = backups.find((b) => b.entry.kind !== 'write');
      if (!last) return null;
      const { lines } = doc.compareWith(last.bytes, last.entry.name);
      return `${words('Write data to radio.', '向对讲机写入数据。')} ${lines.length}`;
    },
    readRadio: (host, _band, port) => new FakeJob(host, null, false, port),
    writeRadio(host, doc, verify, port) {
      const state = (doc as FakeDocument).snapshot();
      keepBackup('write', state);
      return new FakeJob(host, encode(state, MEMORY_SIZE), verify, port);
    },
    newVirtualRadio: (band) => new FakeRadio(band),
  };
}
