// SPDX-License-Identifier: GPL-3.0-or-later
// The two lines a transfer can run over: the virtual radio in the page, paced as a 9600-baud
// cable would pace it, and a serial port through Web Serial. The core's session drives both
// through the same LineHost and decides everything; these only move bytes and keep time.
import type { LineHost, TransferJob, VirtualRadio } from './core_api';
import type { SerialPortLike } from './web_serial';

// 9600 baud, a start bit, eight data bits and a stop bit: ten bit times a byte.
export const BYTE_MS = 10_000 / 9600;

// A browser holds a timer set from inside another timer for at least 4 ms: a 1-byte answer would
// take twice its wire time. Short waits go through message round trips instead, which nothing
// holds back; the page is busy for those few milliseconds only while a transfer runs.
const channel = new MessageChannel();
const waiting: (() => void)[] = [];
channel.port1.onmessage = () => waiting.shift()?.();

function preciseTimeout(action: () => void, milliseconds: number): () => void {
  let cancelled = false;
  if (milliseconds >= 5) {
    const id = window.setTimeout(action, milliseconds);
    return () => window.clearTimeout(id);
  }
  const due = performance.now() + milliseconds;
  const step = () => {
    if (cancelled) return;
    if (performance.now() >= due) action();
    else {
      waiting.push(step);
      channel.port2.postMessage(null);
    }
  };
  waiting.push(step);
  channel.port2.postMessage(null);
  return () => {
    cancelled = true;
  };
}

export interface HostEvents {
  ask(text: string, answers: string[]): number;
  progress(percent: number): void;
  readingBack(on: boolean): void;
  finished(success: boolean): void;
}

// What both hosts share: the one reply timer on the page's clock, the job it feeds, and the
// user-facing callbacks. Once finished, nothing more reaches the job.
abstract class BaseHost implements LineHost {
  job: TransferJob | null = null;
  protected done = false;
  private timerCancel: (() => void) | undefined;

  constructor(protected readonly events: HostEvents) {}

  abstract open(stopBits: 1 | 2, rtsCts: boolean): boolean;
  abstract close(): void;
  abstract write(bytes: Uint8Array): void;

  startTimer(milliseconds: number): void {
    this.stopTimer();
    this.timerCancel = preciseTimeout(() => {
      this.timerCancel = undefined;
      if (!this.done) this.job?.timer();
    }, milliseconds);
  }
  stopTimer(): void {
    this.timerCancel?.();
    this.timerCancel = undefined;
  }
  now(): number {
    return performance.now();
  }
  ask(text: string, answers: string[]): number {
    return this.events.ask(text, answers);
  }
  progress(percent: number): void {
    this.events.progress(percent);
  }
  readingBack(on: boolean): void {
    this.events.readingBack(on);
  }
  finished(success: boolean): void {
    this.done = true;
    this.stopTimer();
    this.close();
    this.events.finished(success);
  }
  protected deliver(bytes: Uint8Array): void {
    if (!this.done && bytes.length > 0) this.job?.received(bytes);
  }
  protected lost(): void {
    if (!this.done) this.job?.lineLost();
  }
}

// The virtual radio answers at once; the line between is what takes time. Bytes the page sends
// reach the radio after their wire time, and its answer comes back byte by byte at the same rate,
// each byte delivered when it would have arrived (several at once when the page's clock is late).
export class VirtualLineHost extends BaseHost {
  private isOpen = false;
  private pending: Uint8Array[] = []; // sent before the line was open
  private outFreeAt = 0; // when the computer's last byte will have left
  private inFreeAt = 0; // when the radio's last byte will have arrived
  private arriving: { at: number; byte: number }[] = [];
  private head = 0;
  private deliveryTimer: (() => void) | undefined;
  private generation = 0;
  private wireBytes = 0;
  private startedAt: number | undefined;
  private endedAt: number | undefined;

  constructor(events: HostEvents, private readonly radio: VirtualRadio) {
    super(events);
  }

  open(): boolean {
    this.isOpen = true;
    const waiting = this.pending;
    this.pending = [];
    for (const bytes of waiting) this.write(bytes);
    return true;
  }

  close(): void {
    this.isOpen = false;
    this.generation++;
    this.arriving = [];
    this.head = 0;
    this.deliveryTimer?.();
    this.deliveryTimer = undefined;
  }

  write(bytes: Uint8Array): void {
    if (!this.isOpen) {
      this.pending.push(bytes.slice());
      return;
    }
    const now = this.now();
    this.startedAt ??= now;
    this.wireBytes += bytes.length;
    this.outFreeAt = Math.max(this.outFreeAt, now) + bytes.length * BYTE_MS;
    // The radio answers the moment the last byte reaches it; working it out now, with the time it
    // will be sent, spares a timer whose clamping in a busy page would slow every frame.
    this.queueAnswer(this.radio.receive(bytes.slice()), this.outFreeAt);
  }

  // Wire time of everything sent both ways, and the time from the first byte to the end.
  stats(): { wireMs: number; elapsedMs: number } {
    return { wireMs: this.wireBytes * BYTE_MS, elapsedMs: (this.endedAt ?? this.now()) - (this.startedAt ?? 0) };
  }

  finished(success: boolean): void {
    this.endedAt = this.now();
    super.finished(success);
  }

  private queueAnswer(answer: Uint8Array, sentAt: number): void {
    let at = Math.max(this.inFreeAt, sentAt);
    for (const byte of answer) {
      at += BYTE_MS;
      this.arriving.push({ at, byte });
    }
    this.wireBytes += answer.length;
    this.inFreeAt = at;
    this.schedule();
  }

  // Bytes on the way are handed over every 16 ms or so, as a USB adapter does; the last one
  // exactly when it is due, as it decides when the session goes on.
  private schedule(): void {
    if (this.deliveryTimer !== undefined || this.head >= this.arriving.length) return;
    const now = this.now();
    const lastAt = this.arriving[this.arriving.length - 1].at;
    let wakeAt = Math.max(this.arriving[this.head].at, now + 16);
    if (wakeAt > lastAt - 8) wakeAt = lastAt;
    const generation = this.generation;
    this.deliveryTimer = preciseTimeout(() => {
      this.deliveryTimer = undefined;
      if (generation === this.generation) this.deliverDue();
    }, Math.max(0, wakeAt - now));
  }

  private deliverDue(): void {
    const now = this.now();
    const due: number[] = [];
    while (this.head < this.arriving.length && this.arriving[this.head].at <= now + 0.05) {
      due.push(this.arriving[this.head++].byte);
    }
    if (this.head === this.arriving.length) {
      this.arriving = [];
      this.head = 0;
    }
    this.deliver(Uint8Array.from(due));
    this.schedule();
  }
}

// A serial port the user granted. open() answers at once as the contract asks; the port opens
// behind it and every write waits for that. A read that fails (the adapter was pulled) is the
// line lost; a failed open is too, so the session reports it rather than waiting forever.
// The stop bits and flow control are the session's: it starts with the ones the user chose.
export class SerialLineHost extends BaseHost {
  private ready: Promise<boolean> = Promise.resolve(false);
  private reader: ReadableStreamDefaultReader<Uint8Array> | null = null;
  private closing = false;
  private portOpen = false;

  constructor(events: HostEvents, private readonly port: SerialPortLike) {
    super(events);
  }

  open(stopBits: 1 | 2, rtsCts: boolean): boolean {
    const previous = this.ready;
    this.ready = previous.then(async () => {
      await this.shut();
      try {
        await this.port.open({
          baudRate: 9600, dataBits: 8, parity: 'none', stopBits,
          flowControl: rtsCts ? 'hardware' : 'none',
        });
      } catch {
        this.lost();
        return false;
      }
      this.portOpen = true;
      this.closing = false;
      void this.readLoop();
      return true;
    });
    return true;
  }

  close(): void {
    this.ready = this.ready.then(async () => {
      await this.shut();
      return false;
    });
  }

  write(bytes: Uint8Array): void {
    const copy = bytes.slice();
    this.ready = this.ready.then(async (open) => {
      if (!open || !this.port.writable) return open;
      const writer = this.port.writable.getWriter();
      try {
        await writer.write(copy);
      } catch {
        this.lost();
      } finally {
        writer.releaseLock();
      }
      return open;
    });
  }

  private async readLoop(): Promise<void> {
    while (this.port.readable && !this.closing) {
      this.reader = this.port.readable.getReader();
      try {
        for (;;) {
          const { value, done } = await this.reader.read();
          if (done) break;
          if (value) this.deliver(value);
        }
      } catch {
        if (!this.closing) {
          this.lost();
          return;
        }
      } finally {
        this.reader?.releaseLock();
        this.reader = null;
      }
    }
  }

  private async shut(): Promise<void> {
    if (!this.portOpen) return;
    this.closing = true;
    try {
      await this.reader?.cancel();
    } catch {
      // a port already gone has nothing to cancel
    }
    try {
      await this.port.close();
    } catch {
      // nor anything to close
    }
    this.portOpen = false;
  }
}
