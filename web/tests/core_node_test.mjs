// SPDX-License-Identifier: GPL-3.0-or-later
// The core compiled to WebAssembly, driven as the page drives it: documents, the grid, files,
// and whole transfers against the virtual radio in the same module, over a line written here.
// Usage: node core_node_test.mjs <site folder> [kr4100-cli]
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const site = resolve(process.argv[2] ?? 'build-web/site');
const cli = process.argv[3] ?? '';
const { default: createCore } = await import(pathToFileURL(join(site, 'kr4100_core.js')).href);
// The module is built for the browser: here it gets its binary handed over instead of fetching it.
const core = await createCore({ wasmBinary: readFileSync(join(site, 'kr4100_core.wasm')) });

const results = [];
async function check(name, body) {
  try {
    await body();
    results.push([name, 'ok']);
  } catch (error) {
    results.push([name, 'FAILED']);
    console.error(`${name}: ${error.stack ?? error}`);
  }
}

// A serial line between a job and the virtual radio, unpaced: every reply arrives on the next
// turn of the event loop. answers: what ask() chooses, in order (then Cancel).
function line(radio, { answers = [], refuseOpen = false, onProgress = null } = {}) {
  const state = { asked: [], progress: [], opened: 0, openedWith: [], readingBack: [], job: null, timer: null };
  state.done = new Promise((resolveDone) => {
    state.host = {
      open(stopBits, rtsCts) {
        state.opened += 1;
        state.openedWith.push([stopBits, rtsCts]);
        return !(refuseOpen || state.unplugged);
      },
      close() {},
      write(bytes) {
        const reply = radio.receive(bytes);
        if (reply.length > 0) setImmediate(() => state.job?.received(reply));
      },
      startTimer(ms) {
        clearTimeout(state.timer);
        state.timer = setTimeout(() => state.job.timer(), ms);
      },
      stopTimer() {
        clearTimeout(state.timer);
      },
      now: () => performance.now(),
      ask(text, choices) {
        state.asked.push(text);
        assert.ok(choices.length >= 1);
        return answers.length > 0 ? answers.shift() : choices.length - 1;
      },
      progress(percent) {
        state.progress.push(percent);
        onProgress?.(state, percent);
      },
      readingBack(on) {
        state.readingBack.push([on, state.progress.at(-1)]);
      },
      finished(success) {
        resolveDone(success);
      },
    };
  });
  return state;
}

// The port settings the user chose: 1 stop bit, no flow control unless a case says otherwise.
const PLAIN = { stopBits: 1, rtsCts: false };

async function run(state, start) {
  state.job = start(state.host);
  const success = await state.done;
  const notices = state.job.notices();
  return { success, notices, job: state.job };
}

function texts(notices) {
  return notices.map((n) => n.text);
}

await check('a new document has the grid of the desktop program', () => {
  const doc = core.newDocument(0);
  assert.equal(doc.groupCount(), 6);
  assert.equal(doc.groupCaption(1), 'Band B');
  const keys = doc.columns().map((c) => c.key);
  assert.deepEqual(keys, ['chNum', 'rxFrequency', 'txFrequency', 'busy', 'echo', 'hiCut',
    'plus10K', 'nbAnl', 'rb', 'scan']);
  const scan = doc.columns().find((c) => c.key === 'scan');
  assert.equal(scan.kind, 'switch');
  assert.deepEqual(scan.choices, ['Del', 'Add']);
  assert.equal(doc.cell(0, 0, 'rxFrequency'), '28.015000');
  assert.equal(doc.cell(1, 0, 'rxFrequency'), '28.145000');
  assert.equal(doc.rowCount(0), 2); // channel 1 and the row to type into
  assert.equal(doc.modified, false);
  doc.delete();
});

await check('typed frequencies are normalised, out-of-band ones refused, and undone', () => {
  const doc = core.newDocument(0);
  let outcome = doc.setCell(0, 1, 'rxFrequency', '28.1234');
  assert.equal(outcome.ok, true);
  assert.equal(doc.cell(0, 1, 'rxFrequency'), '28.123400');
  assert.equal(doc.cell(0, 1, 'txFrequency'), '28.123400');
  assert.equal(doc.rowCount(0), 3);
  assert.equal(doc.modified, true);

  outcome = doc.setCell(0, 1, 'rxFrequency', '31');
  assert.equal(outcome.ok, false);
  assert.equal(outcome.message, 'Frequency is out of range.');
  assert.equal(doc.cell(0, 1, 'rxFrequency'), '28.123400');

  assert.equal(doc.setCell(0, 1, 'busy', 'Enable').ok, true);
  assert.equal(doc.cell(0, 1, 'busy'), 'Enable');
  doc.undo();
  assert.equal(doc.cell(0, 1, 'busy'), 'Disable');
  doc.undo();
  assert.equal(doc.cell(0, 1, 'rxFrequency'), '');
  assert.equal(doc.canUndo(), false);
  doc.redo();
  assert.equal(doc.cell(0, 1, 'rxFrequency'), '28.123400');

  core.setLanguage('zh');
  assert.equal(doc.setCell(0, 1, 'rxFrequency', '27').message, '频率超出范围。');
  assert.equal(doc.cell(0, 0, 'scan'), '添加');
  core.setLanguage('en');
  doc.delete();
});

await check('bulk commands, areas and the channel file go through the core', () => {
  const doc = core.newDocument(0);
  let outcome = doc.fill(0, [0, 1, 2], { start: '28.2', step: '12.5', offset: '0' });
  assert.equal(outcome.ok, true, outcome.message);
  assert.deepEqual([0, 1, 2].map((r) => doc.cell(0, r, 'rxFrequency')),
    ['28.200000', '28.212500', '28.225000']);
  outcome = doc.bulk(0, [0, 1, 2], 'delete', '');
  assert.equal(outcome.ok, false); // a group keeps one channel
  assert.equal(outcome.message.length > 0, true);
  assert.equal(doc.bulk(0, [1], 'switchOn', 'echo').ok, true);
  doc.bulk(0, [0, 1, 2], 'switchOff', 'scan');
  assert.equal(doc.cell(0, 2, 'scan'), 'Del');

  const options = doc.areas().find((a) => a.key === 'options');
  const tot = options.fields.find((f) => f.key === 'tot');
  assert.equal(tot.kind, 'choice');
  assert.equal(doc.setField('options', 'tot', tot.choices[3]).ok, true);
  assert.equal(doc.areas()[0].fields.find((f) => f.key === 'tot').value, tot.choices[3]);
  assert.equal(doc.setField('messages', 'embMsg1', 'HELLO').ok, true);
  assert.equal(doc.areas().find((a) => a.key === 'messages').fields[0].value, 'HELLO');
  assert.equal(doc.setField('messages', 'embMsg1', '你好').ok, false);

  const csv = doc.exportCsv();
  const other = core.newDocument(0);
  assert.equal(other.importCsv(csv).ok, true);
  assert.equal(other.cell(0, 2, 'rxFrequency'), '28.225000');
  const refused = other.importCsv(csv.replace('28.225000', '40.000000'));
  assert.equal(refused.ok, false);
  assert.match(refused.message, /40/);

  const compared = other.compareWith(doc.save(), 'doc.dat');
  assert.equal(compared.outcome.ok, true);
  assert.ok(compared.lines.some((l) => /Message 1/.test(l)), compared.lines.join('\n'));
  doc.delete();
  other.delete();
});

await check("each group's emergency channel: the group's channels, the core's recheck, undo", () => {
  const doc = core.newDocument(0);
  assert.deepEqual(doc.emergency(1), { label: 'B Emergency Channel', choices: ['1'], value: '1' });
  // Channels 1, 2, 3 and 6: the list offers the numbers there are, gaps left out.
  assert.equal(doc.fill(1, [0, 1, 2], { start: '28.3', step: '10', offset: '0' }).ok, true);
  assert.equal(doc.setCell(1, 5, 'rxFrequency', '28.9').ok, true);
  assert.deepEqual(doc.emergency(1).choices, ['1', '2', '3', '6']);

  assert.equal(doc.setEmergency(1, '6').ok, true);
  assert.equal(doc.emergency(1).value, '6');
  assert.equal(doc.emergency(0).value, '1', 'the other groups keep theirs');
  for (const wrong of ['4', '61', '0', 'x', '']) {
    assert.equal(doc.setEmergency(1, wrong).ok, false, wrong);
    assert.equal(doc.emergency(1).value, '6', wrong);
  }
  const reopened = core.openDocument(doc.save(), 'emg.dat').document;
  assert.equal(reopened.emergency(1).value, '6');
  reopened.delete();

  // Moved, it stays with its channel; deleted, the group's first channel takes over.
  assert.equal(doc.bulk(1, [5], 'moveUp', '').ok, true);
  assert.equal(doc.emergency(1).value, '5');
  assert.equal(doc.bulk(1, [4], 'delete', '').ok, true);
  assert.deepEqual(doc.emergency(1), { label: 'B Emergency Channel', choices: ['1', '2', '3'], value: '1' });
  doc.undo();
  assert.equal(doc.emergency(1).value, '5');
  doc.undo();
  assert.equal(doc.emergency(1).value, '6');
  doc.undo();
  assert.equal(doc.emergency(1).value, '1', 'the choice itself is one undo step');
  doc.redo();
  assert.equal(doc.emergency(1).value, '6');
  // Emptying the channel's frequency deletes it: the same recheck.
  assert.equal(doc.setCell(1, 5, 'rxFrequency', '').ok, true);
  assert.equal(doc.emergency(1).value, '1');

  core.setLanguage('zh');
  assert.equal(doc.emergency(2).label, 'C 紧急信道');
  core.setLanguage('en');
  assert.deepEqual(doc.emergency(6), { label: '', choices: [], value: '' });
  assert.equal(doc.setEmergency(-1, '1').ok, false);
  doc.delete();
});

await check('a fill that would leave the band asks first and fills the rest when told', () => {
  const doc = core.newDocument(0); // 28.000 .. 29.700 MHz
  const fill = { start: '29.6', step: '50', offset: '0' };
  let outcome = doc.fill(0, [0, 1, 2, 3], fill);
  assert.equal(outcome.ok, false);
  assert.equal(outcome.question, true);
  assert.match(outcome.message, /29\.750000/, outcome.message);
  assert.equal(doc.cell(0, 0, 'rxFrequency'), '28.015000'); // nothing changed yet
  // New channels after the last one, as the desktop's fill makes them; past channel 60 refused.
  const more = { start: '28.1', step: '10', offset: '0', count: 2 };
  const firstOfB = doc.cell(1, 0, 'rxFrequency');
  assert.equal(doc.fill(1, [], more).ok, true);
  assert.deepEqual([0, 1, 2, 3].map((r) => doc.cell(1, r, 'rxFrequency')),
    [firstOfB, '28.100000', '28.110000', '']);
  outcome = doc.fill(1, [], { ...more, count: 1e9 });
  assert.equal(outcome.ok, false);
  assert.match(outcome.message, /60/, outcome.message);
  // What the page did not type as text counts as left empty: refused, not thrown.
  assert.equal(doc.fill(0, [0], { start: 29.6, step: '50', offset: '0' }).ok, false);
  assert.equal(doc.fill(0, [0], null).ok, false);
  outcome = doc.fill(0, [0, 1, 2, 3], { ...fill, rest: true });
  assert.equal(outcome.ok, true, outcome.message);
  assert.deepEqual([0, 1, 2, 3].map((r) => doc.cell(0, r, 'rxFrequency')),
    ['29.600000', '29.650000', '29.700000', '']);
  doc.undo();
  assert.equal(doc.cell(0, 0, 'rxFrequency'), '28.015000');
  assert.equal(doc.cell(0, 1, 'rxFrequency'), '');
  doc.delete();
});

await check('a saved file reopens byte-exact; a truncated one is refused as the desktop does', () => {
  const doc = core.newDocument(1);
  doc.setCell(2, 4, 'rxFrequency', '29.5');
  const bytes = doc.save();
  assert.equal(bytes.length, 14531);
  assert.equal(doc.modified, false);
  const opened = core.openDocument(bytes, 'saved.dat');
  assert.equal(opened.outcome.ok, true);
  assert.equal(opened.document.fileName, 'saved.dat');
  assert.equal(opened.document.bandCode, 1);
  assert.deepEqual(opened.document.save(), bytes);

  const cut = core.openDocument(bytes.slice(0, 14000), 'cut.dat');
  assert.equal(cut.document, null);
  assert.equal(cut.outcome.message, 'Fail to start the software. This version does not exist.');
  const foreign = core.openDocument(new Uint8Array(14531), 'zeros.dat');
  assert.equal(foreign.outcome.message, 'Unknown version Of DataFile!');
  opened.document.delete();
  doc.delete();
});

const radio = core.newVirtualRadio(0);
let readDoc = null;

await check('a full read makes a document and keeps a backup', async () => {
  const state = line(radio);
  // The session opens the line with the user's port settings, as the desktop's settings give them.
  const chosen = { stopBits: 2, rtsCts: true };
  const { success, notices, job } = await run(state, (host) => core.readRadio(host, 0, chosen));
  assert.equal(success, true, texts(notices).join('\n'));
  assert.deepEqual(texts(notices), ['Read Data Completed.']);
  assert.deepEqual(state.openedWith[0], [2, true]);
  assert.deepEqual(state.readingBack, [], 'a read has no verify');
  assert.equal(state.progress.at(-1), 100);
  readDoc = job.takeDocument();
  assert.notEqual(readDoc, null);
  assert.equal(job.takeDocument(), null);
  job.delete();
  assert.equal(readDoc.cell(0, 0, 'rxFrequency'), '28.015000');
  assert.equal(readDoc.cell(3, 0, 'rxFrequency'), '28.085000');
  const backups = core.listBackups();
  assert.equal(backups.length, 1);
  assert.equal(backups[0].kind, 'read');
  assert.match(backups[0].name, /_read_/);
});

await check('a backup opens as an untitled document; a radio never read has no preview', () => {
  const [backup] = core.listBackups();
  const opened = core.openBackup(backup.name);
  assert.equal(opened.outcome.ok, true);
  assert.equal(opened.document.fileName, 'new.dat');
  assert.equal(opened.document.cell(0, 0, 'rxFrequency'), '28.015000');
  opened.document.delete();
  assert.equal(core.openBackup('../nothing.dat').document, null);
  const other = core.newDocument(1);
  assert.equal(core.writePreview(other), null);
  other.delete();
});

await check('a full write with verify leaves what the command line packs', async () => {
  readDoc.setCell(0, 1, 'rxFrequency', '28.3');
  readDoc.setCell(3, 9, 'rxFrequency', '29.1');
  readDoc.setCell(3, 9, 'txFrequency', '29.2');
  readDoc.setField('messages', 'embMsg2', 'WEB TEST');
  const preview = core.writePreview(readDoc);
  assert.notEqual(preview, null);
  assert.match(preview, /^Write data to radio\./, preview);
  assert.match(preview, /Group A channel 2 Channel: absent -> present/, preview);
  assert.match(preview, /Message 2: \(empty\) -> WEB TEST/, preview);

  const before = radio.memory();
  const state = line(radio);
  const { success, notices, job } = await run(state, (host) => core.writeRadio(host, readDoc, true, PLAIN));
  job.delete();
  assert.equal(success, true, texts(notices).join('\n'));
  assert.deepEqual(state.openedWith[0], [1, false]);
  // The verify is reported once it begins, when the write's blocks are all sent.
  assert.deepEqual(state.readingBack.map(([on]) => on), [true]);
  assert.ok(state.readingBack[0][1] >= 99, `the verify began at ${state.readingBack[0][1]}%`);
  assert.deepEqual(texts(notices), ['Write Data Completed.']);
  assert.ok(core.listBackups().some((b) => b.kind === 'written'));
  assert.equal(core.writePreview(readDoc).includes('changes nothing'), true);

  const memory = radio.memory();
  assert.equal(memory.length, 8192);
  // A write sends 0x0000..0x1DDF; the radio keeps its own identity (0x1D90..0x1D9D, "PHT52")
  // and everything after the configuration as it was.
  const written = (a) => a < 0x1de0 && !(a >= 0x1d90 && a < 0x1d9e);
  assert.deepEqual([...memory.slice(0x1d90, 0x1d95)], [0x50, 0x48, 0x54, 0x35, 0x32]);
  for (let a = 0; a < 8192; a += 1) {
    if (!written(a)) assert.equal(memory[a], before[a], `0x${a.toString(16)} changed`);
  }
  if (!cli || !existsSync(cli)) {
    console.log(`(no kr4100-cli at "${cli}": the radio's memory is not compared with its pack)`);
    return;
  }
  const dir = mkdtempSync(join(tmpdir(), 'kr4100-web-'));
  try {
    writeFileSync(join(dir, 'doc.dat'), readDoc.save());
    execFileSync(cli, ['pack', join(dir, 'doc.dat'), join(dir, 'doc.img')]);
    const packed = new Uint8Array(readFileSync(join(dir, 'doc.img')));
    const differing = [];
    for (let a = 0; a < 8192; a += 1) {
      if (written(a) && memory[a] !== packed[a]) differing.push(`0x${a.toString(16)}: ${memory[a]} != ${packed[a]}`);
    }
    assert.equal(packed.length, 8192);
    assert.deepEqual(differing, []);
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
});

await check('a cable pulled mid-read asks, as the desktop program does, until the user gives up', async () => {
  radio.pullCable(600); // the radio's last bytes before the plug comes out
  const pull = (state) => {
    if (state.unplugged || !radio) return;
    state.unplugged = true; // the page's port reports the loss; it cannot be opened again
    state.job.lineLost();
  };
  const state = line(radio, { answers: [0], onProgress: (s, percent) => percent >= 5 && pull(s) });
  const started = performance.now();
  const { success, notices, job } = await run(state, (host) => core.readRadio(host, 0, PLAIN));
  job.delete();
  assert.equal(success, false);
  assert.equal(state.unplugged, true);
  // OK to the first question starts the transfer again on the open port, which stays silent;
  // the second is answered Cancel.
  assert.deepEqual(state.asked, ['Check Connection. Retry or Cancel?',
    'Check Connection. Retry or Cancel?']);
  assert.ok(performance.now() - started >= 600); // the reply timers ran on the page's clock
  assert.deepEqual(texts(notices), []);
  assert.equal(core.listBackups().filter((b) => b.kind === 'read').length, 1);
});

await check('a line that does not open says so', async () => {
  const state = line(core.newVirtualRadio(0), { refuseOpen: true });
  const { success, notices, job } = await run(state, (host) => core.readRadio(host, 0, PLAIN));
  job.delete();
  assert.equal(success, false);
  assert.deepEqual(texts(notices), ['Cannot Open Communication Port.']);
});

await check('the page\'s texts come from the core in both languages', () => {
  const en = core.texts();
  assert.equal(en.desktopOnly, 'Test mode and the service functions are in the desktop program.');
  // Texts the desktop already has come from its tables, not typed again.
  assert.equal(en.BackupsWriteBack, 'Write Back to Radio');
  assert.equal(en.FileName, 'File Name');
  assert.equal(en.band1, '25.615000 - 30.105000 MHz');
  assert.equal(en.mnuReadFromRadio.length > 0, true);
  assert.equal(en.bulkFill.includes('&'), false);
  core.setLanguage('zh');
  const zh = core.texts();
  core.setLanguage('en');
  assert.deepEqual(Object.keys(zh), Object.keys(en));
  assert.notEqual(zh.noSerial, en.noSerial);
});

await check('the document\'s caption is worded as the desktop titles its window', () => {
  const doc = core.newDocument(1);
  assert.equal(doc.caption(), 'KR-4100[25.615000 - 30.105000 MHz][File Name:new.dat]');
  doc.setCell(0, 1, 'rxFrequency', '28.3');
  assert.ok(doc.caption().endsWith('] *'), doc.caption());
  doc.setFileName('C:\\radios\\car.dat');
  core.setLanguage('zh');
  const zh = doc.caption();
  core.setLanguage('en');
  assert.equal(zh, 'KR-4100[25.615000 - 30.105000 MHz][文件名:car.dat] *');
  doc.delete();
});

readDoc?.delete();
radio.delete();
for (const [name, verdict] of results) console.log(`${verdict.padEnd(6)} ${name}`);
process.exit(results.every(([, verdict]) => verdict === 'ok') ? 0 : 1);
