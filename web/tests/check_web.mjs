// SPDX-License-Identifier: GPL-3.0-or-later
// The page in headless Chromium (Debian's, through playwright-core): reads and writes over a
// serial port whose other end is the virtual radio of the core module, edits by keyboard, files
// in and out, the accessibility of its controls, and how fast it is ready. Run by
// scripts/check-web.sh, which serves the site and sets the environment read below.
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
const url = process.env.KR4100_URL ?? 'http://127.0.0.1:8000/';
const site = process.env.KR4100_SITE ?? join(here, '../../build-web/site');
const cli = process.env.KR4100_CLI ?? join(here, '../../build/KR-4100/V600/kr4100-cli');
const sim = process.env.KR4100_SIM ?? join(dirname(cli), 'kr4100-sim');
const fake = process.env.KR4100_FAKE_CORE === '1';
const work = mkdtempSync(join(tmpdir(), 'kr4100-web-'));

// The image a write sends: 0x0010 up to 0x1DE0 (the first 16 bytes go only on a repeat).
const WRITE_FROM = 0x0010;
const WRITE_END = 0x1de0;
const IDENTITY = [0x1d90, 0x1d9e];

// The keys the page asks the core for, as texts.ts lists them.
const pageKeys = [...readFileSync(join(here, '../src/texts.ts'), 'utf8')
  .match(/PAGE_TEXT_KEYS = \[([\s\S]*?)\] as const/)[1]
  .matchAll(/'([A-Za-z0-9]+)'/g)].map((m) => m[1]);

// ------------------------------------------------------------------------------------------------
// In the page before its own scripts: a Web Serial port whose far end is the core module's virtual
// radio (a separate instance, as a radio is a separate device), unpaced; and a save picker that
// keeps what is written.
function pageStubs() {
  const state = {
    opened: [], frames: [], delivered: 0, pullAfter: Infinity, radio: null, band: 0, core: null,
    saved: null, pulled: false,
  };
  window.__fake = state;
  const coreOf = () => (state.core ??= import('/kr4100_core.js').then((m) => m.default()));
  state.radioMemory = async () => Array.from(state.radio.memory());
  state.useRadio = async (band) => {
    const core = await coreOf();
    state.radio?.delete();
    state.radio = core.newVirtualRadio(band);
  };

  class FakePort extends EventTarget {
    constructor() {
      super();
      this.readable = null;
      this.writable = null;
    }
    async open(options) {
      if (this.readable) throw new DOMException('The port is already open.', 'InvalidStateError');
      if (state.pulled) throw new DOMException('The device has been lost.', 'NetworkError');
      state.opened.push(options);
      if (!state.radio) await state.useRadio(state.band);
      let controller;
      this.readable = new ReadableStream({ start: (c) => { controller = c; } });
      this.writable = new WritableStream({
        write: (chunk) => {
          const bytes = new Uint8Array(chunk);
          state.frames.push(Array.from(bytes));
          const answer = state.radio.receive(bytes);
          if (answer.length === 0) return;
          setTimeout(() => {
            if (!this.readable) return;
            const room = state.pullAfter - state.delivered;
            if (answer.length < room) {
              state.delivered += answer.length;
              controller.enqueue(answer);
              return;
            }
            // The adapter is pulled: what got through arrives, then the stream fails as Chrome's does.
            if (room > 0) controller.enqueue(answer.slice(0, room));
            state.delivered = state.pullAfter;
            state.pulled = true;
            controller.error(new DOMException('The device has been lost.', 'NetworkError'));
            this.readable = null;
            this.writable = null;
            navigator.serial.dispatchEvent(new Event('disconnect'));
          }, 0);
        },
      });
    }
    async close() {
      this.readable = null;
      this.writable = null;
    }
    getInfo() {
      return { usbVendorId: 0x0403, usbProductId: 0x6001 };
    }
  }
  const port = new FakePort();
  class FakeSerial extends EventTarget {
    async requestPort() { return port; }
    async getPorts() { return [port]; }
  }
  Object.defineProperty(navigator, 'serial', { value: new FakeSerial(), configurable: true });

  window.showSaveFilePicker = async (options) => ({
    name: options.suggestedName,
    async createWritable() {
      const parts = [];
      return {
        async write(data) { parts.push(new Uint8Array(await new Blob([data]).arrayBuffer())); },
        async close() {
          const bytes = [];
          for (const part of parts) bytes.push(...part);
          state.saved = { name: options.suggestedName, bytes };
        },
      };
    },
  });
}

// ------------------------------------------------------------------------------------------------
// A small runner: each case in a fresh browser context, its failures collected, a closing count.

const results = { passed: 0, failed: 0, skipped: 0 };
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox'],
});

class Skip extends Error {}
function skip(reason) {
  throw new Skip(reason);
}
function check(condition, message) {
  if (!condition) throw new Error(message);
}

async function openPage({ answers = () => true } = {}) {
  const context = await browser.newContext();
  await context.addInitScript(pageStubs);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  // The core's questions come as the browser's own dialogs: answered by the case.
  page.on('dialog', (dialog) => {
    void (answers(dialog.message()) ? dialog.accept() : dialog.dismiss());
  });
  const started = Date.now();
  await page.goto(url);
  await page.waitForSelector('body[data-ready]', { timeout: 10_000 });
  check(await page.getAttribute('body', 'data-ready') === 'true', 'the page did not start');
  return { context, page, errors, loadMs: Date.now() - started };
}

async function run(name, body) {
  let opened = null;
  const open = async (options) => (opened = await openPage(options));
  try {
    await body(open);
    if (opened?.errors.length) throw new Error(`errors in the page: ${opened.errors.join('; ')}`);
    results.passed++;
    console.log(`ok      ${name}`);
  } catch (error) {
    if (error instanceof Skip) {
      results.skipped++;
      console.log(`skipped ${name}: ${error.message}`);
    } else {
      results.failed++;
      console.log(`FAILED  ${name}: ${error.stack ?? error}`);
    }
  } finally {
    await opened?.context.close();
  }
}

// ------------------------------------------------------------------------------------------------
// Page helpers

const gridCell = (page, row, col) =>
  page.locator(`table[role=grid] td[data-row="${row}"][data-col="${col}"]`);
const rxColumn = async (page) => (await columnsOf(page)).findIndex((c) => c.kind === 'frequency');
const cellText = async (page, row, col) => (await gridCell(page, row, col).textContent()).trim();

// Column indices by kind, from the core's own table: the first two frequencies are RX and TX.
async function columnsOf(page) {
  return page.evaluate(() => {
    const doc = window.kr4100.core.newDocument(0);
    const columns = doc.columns();
    doc.delete();
    return columns;
  });
}

async function noticeTexts(page) {
  return page.locator('#notices li').allTextContents();
}

async function waitForJob(page, before, timeout = 60_000) {
  await page.waitForFunction((mark) => (document.body.dataset.lastJob ?? '') !== mark, before, { timeout });
}

// Starts a read or a write and says yes to the page's question before it (the plain question,
// or the write preview).
async function startJob(page, button) {
  const before = (await page.getAttribute('body', 'data-last-job')) ?? '';
  await page.click(button);
  const question = page.locator('dialog.question[open]');
  await question.waitFor({ timeout: 5000 });
  await question.locator('button').first().click();
  return before;
}

async function savedBytes(page) {
  await page.evaluate(() => (window.__fake.saved = null));
  await page.click('#cmd-save');
  await page.waitForFunction(() => window.__fake.saved !== null);
  return Uint8Array.from(await page.evaluate(() => window.__fake.saved.bytes));
}

async function openBytes(page, bytes, name) {
  await page.setInputFiles('#file-open', { name, mimeType: 'application/octet-stream', buffer: Buffer.from(bytes) });
}

function cliPack(datBytes) {
  if (fake) skip('the stand-in core has no data file the command line reads');
  if (!existsSync(cli)) skip(`no command line at ${cli}`);
  const input = join(work, `doc-${Date.now()}.dat`);
  const output = `${input}.img`;
  writeFileSync(input, datBytes);
  execFileSync(cli, ['pack', input, output]);
  return new Uint8Array(readFileSync(output));
}

// The desktop's own write of a data file: kr4100-cli over a pseudo-terminal to kr4100-sim, which
// saves its memory after the end frame and at exit. Resolves with the radio's 8 KiB afterwards.
async function desktopWrite(datBytes) {
  if (fake) skip('the stand-in core has no data file the command line reads');
  if (!existsSync(cli) || !existsSync(sim)) skip(`no command line or virtual radio beside ${cli}`);
  const input = join(work, `write-${Date.now()}.dat`);
  const image = `${input}.img`;
  writeFileSync(input, datBytes);
  const radio = spawn(sim, ['--band', '0', '--save', image], { stdio: ['ignore', 'pipe', 'pipe'] });
  try {
    const device = await new Promise((resolve, reject) => {
      let out = '';
      radio.stdout.on('data', (chunk) => {
        out += chunk;
        if (out.includes('\n')) resolve(out.split('\n')[0].trim());
      });
      radio.on('exit', (code) => reject(new Error(`kr4100-sim ended (${code}) before it served a port`)));
      setTimeout(() => reject(new Error('kr4100-sim served no port within 5 s')), 5000);
    });
    execFileSync(cli, ['write', '--port', device, '--no-backup', input], { timeout: 120_000, stdio: 'pipe' });
  } finally {
    const ended = new Promise((resolve) => radio.once('exit', resolve));
    radio.kill('SIGTERM');
    await ended;
  }
  return new Uint8Array(readFileSync(image));
}

function firstDifference(a, b, from, to, except = []) {
  for (let i = from; i < to; i++) {
    if (except.some(([lo, hi]) => i >= lo && i < hi)) continue;
    if (a[i] !== b[i]) return `0x${i.toString(16)}: ${a[i]} != ${b[i]}`;
  }
  return null;
}

async function readOverSerial(page) {
  await page.selectOption('#port-kind', 'serial');
  const before = await startJob(page, '#cmd-read');
  await waitForJob(page, before);
}

// ------------------------------------------------------------------------------------------------
// Cases

await run('the page is usable within 2 s of loading, the .wasm at most 2 MB', async (open) => {
  const { page, loadMs } = await open();
  const readyAt = await page.evaluate(() => window.kr4100.readyAt);
  check(readyAt < 2000 && loadMs < 2000, `ready after ${Math.round(readyAt)} ms (${loadMs} ms to the test)`);
  check(await page.locator('table[role=grid] td[role=gridcell]').count() > 0, 'no grid shown');
  check(await page.isEnabled('#cmd-read'), 'Read from Radio is disabled with a serial port present');
  if (fake) skip('the stand-in core has no .wasm');
  const size = statSync(join(site, 'kr4100_core.wasm')).size;
  check(size <= 2_000_000, `the .wasm is ${size} bytes`);
});

await run('the grid is an ARIA grid and every control is named, in both languages', async (open) => {
  const { page } = await open();
  for (const language of ['en', 'zh']) {
    await page.selectOption('#language', language);
    const report = await page.evaluate((keys) => {
      const problems = [];
      const texts = window.kr4100.core.texts();
      for (const key of keys) if (!texts[key]) problems.push(`the core has no text "${key}"`);
      const grid = document.querySelector('[role=grid]');
      if (!grid?.getAttribute('aria-label')) problems.push('the grid has no name');
      const rows = grid.querySelectorAll('[role=row]');
      if (rows.length < 2) problems.push('the grid has no rows');
      if (rows[0].querySelectorAll('[role=columnheader]').length === 0) problems.push('no column headers');
      for (const row of [...rows].slice(1)) {
        if (row.querySelectorAll('[role=gridcell]').length === 0) problems.push('a row without cells');
      }
      const focusable = grid.querySelectorAll('td[tabindex="0"]');
      if (focusable.length !== 1) problems.push(`${focusable.length} cells in the tab order, not 1`);
      if (document.querySelectorAll('[role=tablist] [role=tab]').length < 7) problems.push('the group or view tabs are missing');
      const nameOf = (node) => {
        const labelled = node.getAttribute('aria-labelledby');
        if (labelled) return labelled.split(/\s+/).map((id) => document.getElementById(id)?.textContent ?? '').join(' ').trim();
        if (node.getAttribute('aria-label')) return node.getAttribute('aria-label').trim();
        if (node.labels?.length) return [...node.labels].map((l) => l.textContent).join(' ').trim();
        return node.matches('button, [role=tab]') ? node.textContent.trim() : '';
      };
      for (const node of document.querySelectorAll('button, select, input, textarea, [role=tab], [tabindex]')) {
        if (node.closest('[hidden]') || node.hidden || node.matches('td')) continue;
        const name = nameOf(node);
        if (!name) problems.push(`unnamed control: ${node.outerHTML.slice(0, 80)}`);
        else if (keys.includes(name)) problems.push(`a control shows the bare key "${name}"`);
      }
      return { problems, read: document.getElementById('cmd-read').textContent, want: texts.mnuReadFromRadio };
    }, pageKeys);
    check(report.problems.length === 0, `${language}: ${report.problems.join('; ')}`);
    check(report.want && report.read === report.want.replace(/\(&.\)$/, '').replace(/&/g, ''),
      `${language}: Read from Radio reads "${report.read}"`);
  }
});

await run('an edit in the grid by keyboard', async (open) => {
  const { page } = await open();
  const columns = await columnsOf(page);
  const rx = columns.findIndex((c) => c.kind === 'frequency');
  const tx = columns.findIndex((c, i) => c.kind === 'frequency' && i > rx);
  const busy = columns.findIndex((c) => c.kind === 'switch');
  const last = (await page.locator('table[role=grid] tbody tr').count()) - 1;
  // The empty row at the end takes a new channel: typing starts the editor, Enter commits.
  await gridCell(page, 0, rx).click();
  await page.keyboard.press('Control+End');
  await page.keyboard.press('Home');
  for (let i = 0; i < rx; i++) await page.keyboard.press('ArrowRight');
  await page.keyboard.type('28.5');
  check(await page.locator('table[role=grid] input.cell-editor').count() === 1, 'typing opened no editor');
  await page.keyboard.press('Enter');
  check(await cellText(page, last, rx) === '28.500000', `RX reads "${await cellText(page, last, rx)}"`);
  check(await cellText(page, last, tx) === '28.500000', 'TX did not follow RX');
  const focused = await page.evaluate(() => document.activeElement?.dataset.col);
  check(Number(focused) === rx + 1, 'Enter did not go on to the next cell');

  // Escape leaves the cell as it was.
  await gridCell(page, last, rx).focus();
  await page.keyboard.press('Enter');
  await page.keyboard.type('29');
  await page.keyboard.press('Escape');
  check(await cellText(page, last, rx) === '28.500000', 'Escape did not cancel');

  // Out of the band: refused, the cell kept, the core's message shown.
  const notices = (await noticeTexts(page)).length;
  await page.keyboard.press('F2');
  await page.keyboard.press('Control+A');
  await page.keyboard.type('31');
  await page.keyboard.press('Enter');
  check(await cellText(page, last, rx) === '28.500000', 'an out-of-band frequency was taken');
  check((await noticeTexts(page)).length > notices, 'the refusal was not shown');

  // Space flips a switch; Ctrl+Z and Ctrl+Y take it back and again.
  await gridCell(page, last, busy).focus();
  const off = await cellText(page, last, busy);
  await page.keyboard.press(' ');
  const on = await cellText(page, last, busy);
  check(on !== off && columns[busy].choices.includes(on), `Space left the switch at "${on}"`);
  await page.keyboard.press('Control+z');
  check(await cellText(page, last, busy) === off, 'Ctrl+Z did not undo the switch');
  await page.keyboard.press('Control+y');
  check(await cellText(page, last, busy) === on, 'Ctrl+Y did not redo the switch');
  check((await page.textContent('#doc-caption')).includes('*'), 'the caption does not show the change');

  // The bulk command sets a switch for the chosen rows; its column and states are the grid's own.
  check(await page.locator('#bulk-column option').count() === columns.filter((c) => c.kind === 'switch').length,
    'the bulk command does not offer every switch');
  await page.selectOption('#bulk-column', columns[busy].key);
  await page.selectOption('#bulk-value', '0');
  await page.click('#bulk-set');
  check(await cellText(page, last, busy) === off, 'the bulk command did not set the switch');
  await gridCell(page, last, busy).focus();

  // Arrow keys move the one focusable cell: down to the empty row the new channel left below it.
  await page.keyboard.press('ArrowDown');
  const moved = await page.evaluate(() => ({
    row: Number(document.activeElement.dataset.row),
    tabbable: document.querySelectorAll('table[role=grid] td[tabindex="0"]').length,
  }));
  check(moved.row === last + 1 && moved.tabbable === 1, `ArrowDown: ${JSON.stringify(moved)}`);
});

await run('a fill that would leave the band asks in the page, and fills the rest only on Yes', async (open) => {
  if (fake) skip('the stand-in core has no fill');
  const { page } = await open();
  const rx = await rxColumn(page);
  // The new document's channel and the empty row below it, chosen by Shift+Space.
  await gridCell(page, 0, rx).focus();
  await page.keyboard.press('Shift+Space');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Shift+Space');
  await page.fill('#fill-start', '29.65');
  await page.fill('#fill-step', '100');
  await page.fill('#fill-offset', '0');
  const question = page.locator('dialog.question[open]');
  for (const [answer, first] of [['last', '28.015000'], ['first', '29.650000']]) {
    await page.click('#bulk-fill');
    await question.waitFor({ timeout: 5000 });
    check((await question.textContent()).includes('29.750000'), 'the question does not name the channel left out');
    check(await cellText(page, 0, rx) === '28.015000', 'the fill changed the grid before it was answered');
    await question.locator('button')[answer]().click();
    await question.waitFor({ state: 'detached' });
    // The answer is taken once the dialog has gone: wait for the grid to show what it did.
    await gridCell(page, 0, rx).filter({ hasText: first }).waitFor({ timeout: 2000 }).catch(() => {});
    check(await cellText(page, 0, rx) === first, `answered ${answer}: the first row shows ${await cellText(page, 0, rx)}`);
  }
  check(await cellText(page, 1, rx) === '', 'the channel that would leave the band was made');

  // New channels after the last one, as many as typed, as the desktop's fill offers.
  check(await page.isDisabled('#fill-count'), 'the count is open while the fill is over the chosen rows');
  await page.selectOption('#fill-mode', 'new');
  await page.fill('#fill-count', '2');
  await page.fill('#fill-start', '28.2');
  await page.fill('#fill-step', '10');
  await page.click('#bulk-fill');
  await gridCell(page, 2, rx).filter({ hasText: '28.210000' }).waitFor({ timeout: 2000 }).catch(() => {});
  const made = [];
  for (const row of [0, 1, 2, 3]) made.push(await cellText(page, row, rx));
  check(made.join() === '29.650000,28.200000,28.210000,', `new channels: ${made.join()}`);
});

// The desktop's reading of a data file, as kr4100-cli dump prints it.
function cliDump(datBytes) {
  if (fake) skip('the stand-in core has no data file the command line reads');
  if (!existsSync(cli)) skip(`no command line at ${cli}`);
  const input = join(work, `dump-${Date.now()}.dat`);
  writeFileSync(input, datBytes);
  return JSON.parse(execFileSync(cli, ['dump', input], { encoding: 'utf8' }));
}

await run('a group\'s emergency channel chosen by keyboard, saved as the desktop saves it', async (open) => {
  // The stand-in's new document has empty groups: the rows below are the desktop record's.
  if (fake) skip('the stand-in core starts its groups empty');
  const { page } = await open();
  const rx = await rxColumn(page);
  const shown = () => page.evaluate(() => {
    const select = document.getElementById('emergency');
    return { value: select.value, choices: [...select.options].map((o) => o.value), label: select.labels[0]?.textContent };
  });
  // Group B gets channels 2 and 3 beside its first.
  await page.click('#group-1');
  for (const [row, text] of [[1, '28.3'], [2, '28.4']]) {
    await gridCell(page, row, rx).click();
    await page.keyboard.type(text);
    await page.keyboard.press('Enter');
  }
  let now = await shown();
  const words = await page.evaluate(() => window.kr4100.app.doc.emergency(1).label);
  check(now.label === words && /^B /.test(words), `the list is labelled "${now.label}"`);
  check(now.choices.join() === '1,2,3' && now.value === '1', `the list: ${JSON.stringify(now)}`);
  const before = await savedBytes(page);

  // From the group tabs, Tab reaches the list; the arrow keys choose.
  await page.focus('#group-1');
  await page.keyboard.press('Tab');
  check(await page.evaluate(() => document.activeElement.id) === 'emergency', 'Tab from the group tabs does not reach the list');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  check((await shown()).value === '3', `the list shows ${(await shown()).value} after two ArrowDown`);
  check(await page.evaluate(() => window.kr4100.app.doc.emergency(1).value) === '3', 'the choice did not reach the document');
  check((await page.textContent('#doc-caption')).includes('*'), 'the caption does not show the change');
  const after = await savedBytes(page);

  // The desktop reads the one option changed, group B's channel 3 (stored as 2), the rest as
  // before; and saves the document to the very same bytes.
  const [was, is] = [cliDump(before), cliDump(after)];
  const emgB = 24 + 1;
  check(was.OptFeat[emgB] === 0 && is.OptFeat[emgB] === 2, `group B's option byte: ${was.OptFeat[emgB]} -> ${is.OptFeat[emgB]}`);
  is.OptFeat[emgB] = was.OptFeat[emgB];
  check(JSON.stringify(is) === JSON.stringify(was), 'the saved file changed more than the emergency channel');
  const input = join(work, `emergency-${Date.now()}.dat`);
  writeFileSync(input, after);
  execFileSync(cli, ['resave', input, `${input}.resaved`]);
  const resaved = new Uint8Array(readFileSync(`${input}.resaved`));
  check(resaved.length === after.length && firstDifference(resaved, after, 0, after.length) === null,
    `the desktop saves the document differently: ${firstDifference(resaved, after, 0, after.length)}`);

  // Channel 3 deleted: the core's recheck moves the choice to the group's first channel; undo
  // brings both back. Another group shows its own.
  await gridCell(page, 2, rx).click();
  await page.click('#bulk-delete');
  now = await shown();
  check(now.choices.join() === '1,2' && now.value === '1', `after the delete: ${JSON.stringify(now)}`);
  await gridCell(page, 0, rx).focus();
  await page.keyboard.press('Control+z');
  now = await shown();
  check(now.choices.join() === '1,2,3' && now.value === '3', `after undo: ${JSON.stringify(now)}`);
  await page.click('#group-0');
  now = await shown();
  check(/^A /.test(now.label) && now.choices.join() === '1' && now.value === '1', `group A: ${JSON.stringify(now)}`);
  await page.click('#group-1');
  check((await shown()).value === '3', 'group B lost its choice on the way back');
  await page.selectOption('#language', 'zh');
  check(/紧急/.test((await shown()).label), `in Chinese the list reads "${(await shown()).label}"`);
});

await run('a full read from the radio over the serial port', async (open) => {
  const { page } = await open();
  await page.selectOption('#stop-bits', '2');
  await readOverSerial(page);
  const opened = await page.evaluate(() => window.__fake.opened);
  check(opened.length > 0, 'the port was never opened');
  const o = opened[0];
  check(o.baudRate === 9600 && o.dataBits === 8 && o.parity === 'none' && o.stopBits === 2 &&
    o.flowControl === 'none', `opened with ${JSON.stringify(o)}`);
  const notices = await page.locator('#notices li.error').count();
  check(notices === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);
  check(await page.locator('#progress').evaluate((p) => p.value) === 100, 'the progress bar did not reach 100');
  // What was read packs back into the radio's own memory.
  const memory = await page.evaluate(() => window.__fake.radioMemory());
  const packed = cliPack(await savedBytes(page));
  const difference = firstDifference(packed, memory, WRITE_FROM, WRITE_END, [IDENTITY]);
  check(difference === null, `the read document packs differently from the radio: ${difference}`);
});

await run('the port\'s stop bits and flow control: kept with the port, the session opens with them', async (open) => {
  const { page } = await open();
  await page.selectOption('#port-kind', 'serial');
  await page.selectOption('#stop-bits', '2');
  await page.selectOption('#flow', 'hardware');
  await page.reload();
  await page.waitForSelector('body[data-ready=true]');
  const kept = await page.evaluate(() => ['port-kind', 'stop-bits', 'flow'].map((id) => document.getElementById(id).value));
  check(kept.join() === 'serial,2,hardware', `after a reload the port reads ${kept.join()}`);
  const before = await startJob(page, '#cmd-read');
  await waitForJob(page, before);
  const opened = await page.evaluate(() => window.__fake.opened);
  check(opened.length > 0 && opened[0].stopBits === 2 && opened[0].flowControl === 'hardware',
    `opened with ${JSON.stringify(opened[0])}`);
  check(await page.locator('#notices li.error').count() === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);
});

await run('the caption is the core\'s, as the desktop titles its window', async (open) => {
  const { page } = await open();
  const shown = await page.evaluate(() => ({ caption: document.getElementById('doc-caption').textContent,
    title: document.title, texts: window.kr4100.core.texts() }));
  check(shown.caption === `KR-4100[${shown.texts.band0}][${shown.texts.FileName}:new.dat]`, `the caption reads "${shown.caption}"`);
  check(shown.title === shown.caption, `the window's title reads "${shown.title}"`);
});

await run('a write and its verify, the radio byte-exact with the command line\'s pack', async (open) => {
  const { page } = await open();
  await readOverSerial(page);
  const columns = await columnsOf(page);
  const rx = columns.findIndex((c) => c.kind === 'frequency');
  const last = (await page.locator('table[role=grid] tbody tr').count()) - 1;
  await gridCell(page, last, rx).click();
  await page.keyboard.type('29.125');
  await page.keyboard.press('Enter');
  await page.check('#verify');
  await page.evaluate(() => (window.__fake.frames = []));
  const identity = (await page.evaluate(() => window.__fake.radioMemory())).slice(...IDENTITY);
  // Every caption the progress shows, in order.
  await page.evaluate(() => {
    const label = document.getElementById('label-progress');
    window.__captions = [];
    new MutationObserver(() => window.__captions.push(label.textContent))
      .observe(label, { childList: true, characterData: true, subtree: true });
  });
  const before = await startJob(page, '#cmd-write');
  await waitForJob(page, before);
  const { captions, texts } = await page.evaluate(() =>
    ({ captions: window.__captions, texts: window.kr4100.core.texts() }));
  const writing = captions.findIndex((c) => c.startsWith(texts.WriteCaption));
  const verifying = captions.findIndex((c) => c.startsWith(texts.VerifyCaption));
  check(writing >= 0 && verifying > writing, `the progress read: ${[...new Set(captions)].join(' | ')}`);
  check(await page.locator('#notices li.error').count() === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);
  const frames = await page.evaluate(() => window.__fake.frames);
  const firstWrite = frames.findIndex((f) => f[0] === 0x57 && f.length > 4);
  const readAfter = frames.findIndex((f, i) => i > firstWrite && f[0] === 0x52);
  check(firstWrite >= 0, 'no block was written');
  check(readAfter > firstWrite, 'nothing was read back to verify the write');
  const memory = await page.evaluate(() => window.__fake.radioMemory());
  // The identity reply goes back as the radio gave it; the pack, made for no radio, has none.
  check(memory.slice(...IDENTITY).every((b, i) => b === identity[i]), 'the write changed the radio\'s identity');
  const saved = await savedBytes(page);
  const packed = cliPack(saved);
  const difference = firstDifference(packed, memory, WRITE_FROM, WRITE_END, [IDENTITY]);
  check(difference === null, `the radio differs from the pack: ${difference}`);
  // The desktop's own write of the same document leaves its virtual radio exactly so: all 8 KiB.
  const desktop = await desktopWrite(saved);
  check(desktop.length === 8192 && memory.length === 8192, `memories of ${desktop.length} and ${memory.length} bytes`);
  const whole = firstDifference(desktop, memory, 0, 8192);
  check(whole === null, `the radio after the page's write differs from the desktop's: ${whole}`);
});

await run('a file opened and saved byte-exact', async (open) => {
  const { page } = await open();
  // A data file from the desktop program's own templates where built, else one this page made.
  const template = join(dirname(cli), 'Init', '0_KR-4100.dat');
  let original;
  if (!fake && existsSync(template)) original = new Uint8Array(readFileSync(template));
  else {
    await gridCell(page, 0, await rxColumn(page)).click();
    await page.keyboard.type('28.3');
    await page.keyboard.press('Enter');
    original = await savedBytes(page);
  }
  await openBytes(page, original, 'sample.dat');
  await page.waitForFunction(() => document.getElementById('doc-caption').textContent.includes('sample.dat'));
  const saved = await savedBytes(page);
  check(saved.length === original.length, `saved ${saved.length} bytes of ${original.length}`);
  check(firstDifference(saved, original, 0, original.length) === null, 'the saved file differs');
  if (!fake) check(saved.length === 14531, `a data file of ${saved.length} bytes`);
});

await run('a refused file with its message, in English and in Chinese', async (open) => {
  const { page } = await open();
  const cut = new Uint8Array(1000).fill(0x41);
  const messages = [];
  for (const language of ['en', 'zh']) {
    await page.selectOption('#language', language);
    const caption = await page.textContent('#doc-caption');
    const expected = await page.evaluate((bytes) =>
      window.kr4100.core.openDocument(Uint8Array.from(bytes), 'cut.dat').outcome.message, Array.from(cut));
    check(expected.length > 0, `${language}: the core gives no message for a truncated file`);
    messages.push(expected);
    await openBytes(page, cut, 'cut.dat');
    await page.waitForFunction((text) =>
      [...document.querySelectorAll('#notices li[role=alert]')].some((li) => li.textContent === text), expected);
    check(await page.textContent('#doc-caption') === caption, `${language}: the refused file replaced the document`);
  }
  check(messages[0] !== messages[1], `the refusal reads the same in both languages: ${messages[0]}`);
  check(/[\u4e00-\u9fff]/.test(messages[1]), `the Chinese refusal has no Chinese: ${messages[1]}`);
});

// Every text the page shows as a whole (a leaf element's text, an option, a name, the title),
// outside the notices, which keep the language they were said in.
function shownTexts() {
  const texts = new Set([document.title]);
  for (const node of document.querySelectorAll('body *')) {
    if (node.closest('#notices, script, style')) continue;
    if (node.children.length === 0 && node.textContent.trim()) texts.add(node.textContent.trim());
    for (const name of ['aria-label', 'title']) if (node.getAttribute(name)) texts.add(node.getAttribute(name).trim());
  }
  return [...texts];
}

await run('a language switch at run time changes every text, the caption and the grid', async (open) => {
  const { page } = await open();
  const words = async () => page.evaluate(() => {
    const core = window.kr4100.core;
    const doc = core.newDocument(0);
    const out = { texts: core.texts(), columns: doc.columns().map((c) => c.heading),
      groups: [...Array(doc.groupCount()).keys()].map((g) => doc.groupCaption(g)),
      areas: doc.areas().map((a) => a.caption) };
    doc.delete();
    return out;
  });
  await page.selectOption('#language', 'en');
  const en = await words();
  const captionEn = await page.textContent('#doc-caption');
  await page.selectOption('#language', 'zh');
  const zh = await words();
  const shown = await page.evaluate(shownTexts);
  const plain = (text) => text.replace(/\(&.\)$/, '').replace(/&/g, '');
  // Texts that read differently in Chinese must all have gone from the page.
  const english = new Set();
  for (const key of pageKeys) if (en.texts[key] !== zh.texts[key]) english.add(plain(en.texts[key]));
  for (const list of ['columns', 'groups', 'areas']) {
    en[list].forEach((text, i) => text !== zh[list][i] && english.add(plain(text)));
  }
  const left = shown.filter((text) => english.has(text));
  check(left.length === 0, `still in English after the switch: ${left.join(' | ')}`);
  const captionZh = await page.textContent('#doc-caption');
  check(captionZh !== captionEn && captionZh.includes(zh.texts.FileName), `the caption reads "${captionZh}"`);
  check(await page.evaluate(() => document.documentElement.lang) === 'zh-CN', 'the page\'s language is not Chinese');
});

await run('test mode, the service functions and the group write: in the desktop program, said by the radio commands', async (open) => {
  const { page } = await open();
  for (const language of ['en', 'zh']) {
    await page.selectOption('#language', language);
    const report = await page.evaluate(() => {
      const texts = window.kr4100.core.texts();
      const note = (id) => {
        const node = document.getElementById(id);
        return { text: node.textContent, visible: node.offsetParent !== null,
          besideRead: node.closest('.toolbar')?.contains(document.getElementById('cmd-read')) ?? false };
      };
      return { texts, desktopOnly: note('desktop-only'), groupWrite: note('group-write-note') };
    });
    for (const [key, note] of [['desktopOnly', report.desktopOnly], ['groupWriteDesktopOnly', report.groupWrite]]) {
      check(note.text === report.texts[key] && note.text.length > 0, `${language}: ${key} reads "${note.text}"`);
      check(note.visible && note.besideRead, `${language}: ${key} is not shown beside Read from Radio`);
    }
  }
});

await run('a cable pulled mid-read', async (open) => {
  const questions = [];
  // The first question after the cable went is answered with a retry, the next with cancel.
  const { page } = await open({ answers: (text) => questions.push(text) === 1 });
  const caption = await page.textContent('#doc-caption');
  const grid = await page.locator('table[role=grid]').innerText();
  await page.evaluate(() => (window.__fake.pullAfter = 2500));
  await page.selectOption('#port-kind', 'serial');
  const before = await startJob(page, '#cmd-read');
  await waitForJob(page, before, 30_000);
  check(await page.evaluate(() => window.__fake.pulled), 'the cable was never pulled');
  const told = await page.locator('#notices li.error, #notices li.warning').count();
  check(told > 0 || questions.length > 0, 'nothing said about the lost cable');
  check(await page.textContent('#doc-caption') === caption, 'a half read replaced the document');
  check(await page.locator('table[role=grid]').innerText() === grid, 'the grid changed');
  check(await page.isEnabled('#cmd-read'), 'Read from Radio stays disabled');
});

await run('a read and a write over the paced virtual radio', async (open) => {
  const { page } = await open();
  await page.selectOption('#port-kind', 'virtual');
  const started = Date.now();
  const before = await startJob(page, '#cmd-read');
  await waitForJob(page, before, 120_000);
  const seconds = (Date.now() - started) / 1000;
  check(await page.locator('#notices li.error').count() === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);
  const { wireMs, elapsedMs } = await page.evaluate(() => window.kr4100.app.lastTransfer);
  const ratio = elapsedMs / wireMs;
  console.log(`        (wire time ${(wireMs / 1000).toFixed(2)} s, the read ${(elapsedMs / 1000).toFixed(2)} s, ` +
    `${ratio.toFixed(3)} of it; ${seconds.toFixed(2)} s from the click)`);
  check(ratio >= 0.99, 'the virtual radio answered faster than 9600 baud');
  check(ratio <= 1.03, `the read took ${ratio.toFixed(3)} of its wire time`);

  // A write back of what was read, without verify: the same bound.
  await page.uncheck('#verify');
  const writeStart = await startJob(page, '#cmd-write');
  await waitForJob(page, writeStart, 120_000);
  check(await page.locator('#notices li.error').count() === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);
  const write = await page.evaluate(() => window.kr4100.app.lastTransfer);
  const writeRatio = write.elapsedMs / write.wireMs;
  console.log(`        (the write: wire time ${(write.wireMs / 1000).toFixed(2)} s, ${(write.elapsedMs / 1000).toFixed(2)} s, ` +
    `${writeRatio.toFixed(3)} of it)`);
  check(writeRatio >= 0.99 && writeRatio <= 1.03, `the write took ${writeRatio.toFixed(3)} of its wire time`);
});

await run('channel CSV exported and imported back; Compare with File counts a change', async (open) => {
  const { page } = await open();
  const rx = await rxColumn(page);
  for (const [row, text] of [[0, '28.1'], [1, '29.65']]) {
    await gridCell(page, row, rx).click();
    await page.keyboard.type(text);
    await page.keyboard.press('Enter');
  }
  const grid = await page.locator('table[role=grid]').innerText();
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#cmd-export')]);
  const csv = readFileSync(await download.path());
  check(csv.length > 0, 'an empty CSV file');
  await gridCell(page, 0, rx).click();
  await page.keyboard.type('28.2');
  await page.keyboard.press('Enter');
  await page.setInputFiles('#file-csv', { name: 'channels.csv', mimeType: 'text/csv', buffer: csv });
  await page.waitForFunction((text) => document.querySelector('table[role=grid]').innerText === text, grid,
    { timeout: 5000 }).catch(() => undefined);
  check(await page.locator('table[role=grid]').innerText() === grid, 'the imported channels differ');
  check(await page.locator('#notices li.error').count() === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);

  // The document compared with its own saved file, then with one channel changed.
  const saved = await savedBytes(page);
  const compare = async () => {
    await page.setInputFiles('#file-compare', { name: 'saved.dat', mimeType: 'application/octet-stream', buffer: Buffer.from(saved) });
    const dialog = page.locator('dialog.question[open]');
    await dialog.waitFor();
    const lines = await dialog.locator('ul.lines li').count();
    await dialog.locator('button').last().click();
    return lines;
  };
  check(await compare() === 0, 'the document differs from its own file');
  await gridCell(page, 1, rx).click();
  await page.keyboard.type('29.6');
  await page.keyboard.press('Enter');
  check(await compare() > 0, 'a changed channel is not listed');
});

await run('backups of a read are listed and open', async (open) => {
  const { page } = await open();
  await readOverSerial(page);
  await page.click('#cmd-backups');
  const dialog = page.locator('dialog.backups[open]');
  await dialog.waitFor();
  const rows = await dialog.locator('tbody tr').count();
  check(rows >= 1, 'no backup of the read');
  const grid = await page.locator('table[role=grid]').innerText();
  await dialog.locator('tbody tr').first().locator('button').first().click();
  await page.waitForFunction(() => !document.querySelector('dialog.backups'));
  check(await page.locator('#notices li.error').count() === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);
  check(await page.locator('table[role=grid]').innerText() === grid, 'the backup opened differs from the read');
});

await run('a backup compared with the document and written back to the radio', async (open) => {
  // The save question before the backup replaces the edited document is answered No.
  const { page } = await open();
  await readOverSerial(page);
  const afterRead = await page.evaluate(() => window.__fake.radioMemory());
  const readGrid = await page.locator('table[role=grid]').innerText();
  const rx = await rxColumn(page);
  await gridCell(page, 0, rx).click();
  await page.keyboard.type('29.5');
  await page.keyboard.press('Enter');
  await page.uncheck('#verify');
  await waitForJob(page, await startJob(page, '#cmd-write'));
  check(firstDifference(afterRead, await page.evaluate(() => window.__fake.radioMemory()), 0, 8192) !== null,
    'the edited write changed nothing in the radio');

  const texts = await page.evaluate(() => window.kr4100.core.texts());
  const readRow = async () => {
    await page.click('#cmd-backups');
    const dialog = page.locator('dialog.backups[open]');
    await dialog.waitFor();
    return dialog.locator('tbody tr').filter({ has: page.locator(`td:text-is("${texts.BackupRead}")`) }).first();
  };
  // Compare: the read's backup against the edited document lists the changed channel.
  await (await readRow()).locator('button[data-action=BackupsCompare]').click();
  const list = page.locator('dialog.question[open]');
  await list.waitFor();
  const lines = await list.locator('ul.lines li').allTextContents();
  check(lines.length > 0, 'the comparison lists no difference');
  await list.locator('button').last().click();

  // Write back: the backup becomes the document, then the write's own question.
  const before = (await page.getAttribute('body', 'data-last-job')) ?? '';
  await (await readRow()).locator('button[data-action=BackupsWriteBack]').click();
  const save = page.locator('dialog.question[open]');
  await save.waitFor();
  check((await save.locator('p.question-text').textContent()) === texts.SaveQuestion, 'no save question first');
  await save.locator('button').nth(1).click();
  const question = page.locator('dialog.question[open]');
  await question.waitFor();
  await question.locator('button').first().click();
  await waitForJob(page, before);
  check(await page.locator('#notices li.error').count() === 0, `errors: ${(await noticeTexts(page)).join(' | ')}`);
  check(await page.locator('table[role=grid]').innerText() === readGrid, 'the document is not the backup');
  const difference = firstDifference(afterRead, await page.evaluate(() => window.__fake.radioMemory()), 0, 8192);
  check(difference === null, `the radio does not hold what was read again: ${difference}`);
});

await run('the page works offline once loaded', async (open) => {
  const { page, context } = await open();
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null ||
    navigator.serviceWorker.ready.then(() => false), null, { timeout: 10_000 }).catch(() => undefined);
  await page.evaluate(() => navigator.serviceWorker.ready);
  // Every file must be in the cache before the network goes.
  await page.waitForFunction(async () => {
    const cache = await caches.open((await caches.keys())[0] ?? 'none');
    return (await cache.keys()).length >= 6;
  }, null, { timeout: 10_000 });
  await context.setOffline(true);
  await page.reload();
  await page.waitForSelector('body[data-ready]', { timeout: 10_000 });
  check(await page.getAttribute('body', 'data-ready') === 'true', 'the page did not start offline');
  await context.setOffline(false);
});

await run('without Web Serial: said on opening, radio commands off, files still edited', async () => {
  const context = await browser.newContext();
  // Chromium has Web Serial: taken away here, as Firefox and Safari lack it.
  await context.addInitScript(() => delete Navigator.prototype.serial);
  try {
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForSelector('body[data-ready=true]');
    const notice = await page.evaluate(() => window.kr4100.core.texts().noSerial);
    check((await noticeTexts(page)).includes(notice), 'no notice about the missing serial port');
    // The page's own notice follows a language switch.
    await page.selectOption('#language', 'zh');
    const zh = await page.evaluate(() => window.kr4100.core.texts().noSerial);
    check((await noticeTexts(page)).includes(zh), 'the notice about the missing serial port stays in English');
    await page.selectOption('#language', 'en');
    await page.selectOption('#port-kind', 'virtual').catch(() => undefined);
    check(await page.locator('#port-kind option[value=serial]').isDisabled(), 'the serial cable can be chosen');
    const rx = await rxColumn(page);
    await gridCell(page, 0, rx).click();
    await page.keyboard.type('28.2');
    await page.keyboard.press('Enter');
    check((await cellText(page, 0, rx)).startsWith('28.2'), 'the grid does not edit');
  } finally {
    await context.close();
  }
});

await browser.close();
console.log(`${results.passed} passed, ${results.failed} failed, ${results.skipped} skipped`);
process.exit(results.failed > 0 ? 1 : 0);
