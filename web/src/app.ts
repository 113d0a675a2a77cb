// SPDX-License-Identifier: GPL-3.0-or-later
// The page: the document, its editors, the file and radio commands and the notices. Every text is
// the core's; the page only arranges them.
import type { Area, CoreModule, Language, Notice, TransferJob, VirtualRadio, WebDocument } from './core_api';
import { renderArea } from './areas';
import { choose, showList } from './dialogs';
import { byId, download, el, readFileBytes } from './dom';
import { ChannelGrid } from './grid';
import { HostEvents, SerialLineHost, VirtualLineHost } from './line_hosts';
import { loadTexts, stripAccelerator, t, type TextKey } from './texts';
import { type SerialPortLike, webSerial } from './web_serial';

type View = 'channels' | Area['key'];
type PortKind = 'virtual' | 'serial';

interface SaveHandle {
  createWritable(): Promise<{ write(data: BlobPart): Promise<void>; close(): Promise<void> }>;
  name: string;
}
type SavePicker = (options: object) => Promise<SaveHandle>;

const store = {
  get(key: string, fallback: string): string {
    try {
      return localStorage.getItem(`kr4100.${key}`) ?? fallback;
    } catch {
      return fallback;
    }
  },
  set(key: string, value: string): void {
    try {
      localStorage.setItem(`kr4100.${key}`, value);
    } catch {
      // private windows may refuse storage; the choice then lasts for this visit
    }
  },
};

export class App {
  private doc: WebDocument;
  private grid: ChannelGrid;
  private view: View = 'channels';
  private job: TransferJob | null = null;
  private virtualRadio: VirtualRadio | null = null;
  private virtualBand = -1;
  private serialPort: SerialPortLike | null = null;
  private readonly serial = webSerial();
  private language: Language;
  // The last transfer over the virtual radio: its wire time and how long it took.
  lastTransfer: { wireMs: number; elapsedMs: number } | null = null;

  constructor(private readonly core: CoreModule) {
    const saved = store.get('language', navigator.language.startsWith('zh') ? 'zh' : 'en');
    this.language = saved === 'zh' ? 'zh' : 'en';
    core.setLanguage(this.language);
    loadTexts(core);
    this.doc = core.newDocument(0);
    this.grid = new ChannelGrid(this.doc, {
      changed: () => this.documentChanged(),
      refused: (message) => this.notify([{ severity: 'warning', text: message }]),
    });
    this.wire();
    this.recaption();
    if (!this.serial) this.notify([{ severity: 'warning', text: t('noSerial') }]);
    void core.mountBackups().catch(() => undefined);
  }

  // ---------------------------------------------------------------------------------------------
  // Controls

  private wire(): void {
    const click = (id: string, action: () => unknown) =>
      byId(id).addEventListener('click', () => void action());
    click('cmd-new', () => this.newDocument());
    click('cmd-open', () => byId<HTMLInputElement>('file-open').click());
    click('cmd-save', () => this.save());
    click('cmd-export', () => this.exportCsv());
    click('cmd-import', () => byId<HTMLInputElement>('file-csv').click());
    click('cmd-compare', () => byId<HTMLInputElement>('file-compare').click());
    click('cmd-backups', () => this.showBackups());
    click('cmd-undo', () => this.undo());
    click('cmd-redo', () => this.redo());
    click('cmd-read', () => this.read());
    click('cmd-write', () => this.write(this.doc));
    click('cmd-choose-port', () => this.choosePort());
    click('cmd-cancel', () => this.job?.cancel());

    this.onFile('file-open', async (file) => this.open(await readFileBytes(file), file.name));
    this.onFile('file-csv', async (file) => this.importCsv(await file.text()));
    this.onFile('file-compare', async (file) => this.compare(await readFileBytes(file), file.name));

    const language = byId<HTMLSelectElement>('language');
    language.value = this.language;
    language.addEventListener('change', () => this.setLanguage(language.value === 'zh' ? 'zh' : 'en'));

    for (const [id, key, fallback] of [
      ['port-kind', 'port', 'virtual'], ['stop-bits', 'stopBits', '1'], ['flow', 'flow', 'none'],
    ] as const) {
      const select = byId<HTMLSelectElement>(id);
      select.value = store.get(key, fallback);
      if (select.selectedIndex < 0) select.value = fallback;
      select.addEventListener('change', () => {
        store.set(key, select.value);
        this.updateCommands();
      });
    }
    const verify = byId<HTMLInputElement>('verify');
    verify.checked = store.get('verify', '1') === '1';
    verify.addEventListener('change', () => store.set('verify', verify.checked ? '1' : '0'));

    document.addEventListener('keydown', (e) => {
      const ctrl = e.ctrlKey || e.metaKey;
      if (!ctrl || e.altKey || this.job) return;
      // Undo in a text field undoes its typing, not the document.
      const inField = (e.target as HTMLElement).closest?.('input, select, textarea');
      if (inField) return;
      const key = e.key.toLowerCase();
      if (key === 'z' && !e.shiftKey) this.undo();
      else if (key === 'y' || (key === 'z' && e.shiftKey)) this.redo();
      else return;
      e.preventDefault();
    });

    // A data file dropped anywhere on the page opens as the Open command would.
    document.addEventListener('dragover', (e) => {
      if (e.dataTransfer?.types.includes('Files')) e.preventDefault();
    });
    document.addEventListener('drop', (e) => {
      const file = e.dataTransfer?.files[0];
      if (!file) return;
      e.preventDefault();
      void readFileBytes(file).then((bytes) => this.open(bytes, file.name));
    });

    byId('view-tabs').addEventListener('keydown', (e) => this.tabKeys(e, 'view-tabs'));
    byId('group-tabs').addEventListener('keydown', (e) => this.tabKeys(e, 'group-tabs'));
    byId('grid-host').append(this.grid.table);
    // A switch for many rows: the column and the state are the grid's own words.
    click('bulk-set', () => {
      const value = byId<HTMLSelectElement>('bulk-value');
      this.bulk(value.selectedIndex === 1 ? 'switchOn' : 'switchOff', byId<HTMLSelectElement>('bulk-column').value);
    });
    byId('bulk-column').addEventListener('change', () => this.fillBulkValues());
    click('bulk-fill', () => this.bulk('fill', JSON.stringify({
      start: byId<HTMLInputElement>('fill-start').value,
      step: byId<HTMLInputElement>('fill-step').value,
      offset: byId<HTMLInputElement>('fill-offset').value,
    })));
    for (const command of ['moveUp', 'moveDown', 'insert', 'delete', 'sort'] as const) {
      click(`bulk-${command}`, () => this.bulk(command, ''));
    }
  }

  private onFile(id: string, action: (file: File) => Promise<void>): void {
    const input = byId<HTMLInputElement>(id);
    input.addEventListener('change', () => {
      const file = input.files?.[0];
      input.value = '';
      if (file) void action(file);
    });
  }

  // Arrow keys walk a tab list and choose as they go, as tabs do.
  private tabKeys(e: KeyboardEvent, listId: string): void {
    const tabs = [...byId(listId).querySelectorAll<HTMLElement>('[role=tab]')];
    const at = tabs.indexOf(e.target as HTMLElement);
    if (at < 0) return;
    let next = at;
    if (e.key === 'ArrowRight') next = (at + 1) % tabs.length;
    else if (e.key === 'ArrowLeft') next = (at - 1 + tabs.length) % tabs.length;
    else if (e.key === 'Home') next = 0;
    else if (e.key === 'End') next = tabs.length - 1;
    else return;
    e.preventDefault();
    tabs[next].click();
    tabs[next].focus();
  }

  // ---------------------------------------------------------------------------------------------
  // Texts and state

  private setLanguage(language: Language): void {
    this.grid.commit(false);
    this.language = language;
    store.set('language', language);
    this.core.setLanguage(language);
    loadTexts(this.core);
    this.recaption();
  }

  private recaption(): void {
    document.documentElement.lang = this.language === 'zh' ? 'zh-CN' : 'en';
    const label = (id: string, key: TextKey) => {
      byId(id).textContent = t(key);
    };
    const captions: [string, TextKey][] = [
      ['cmd-new', 'mnuFileNew'], ['cmd-open', 'mnuFileOpen'], ['cmd-save', 'mnuFileSave'],
      ['cmd-export', 'mnuExportChannels'], ['cmd-import', 'mnuImportChannels'],
      ['cmd-compare', 'mnuFileCompare'], ['cmd-backups', 'mnuBackups'], ['cmd-undo', 'mnuEditUndo'],
      ['cmd-redo', 'mnuEditRedo'], ['cmd-read', 'mnuReadFromRadio'], ['cmd-write', 'mnuWriteToRadio'],
      ['cmd-choose-port', 'choosePort'], ['cmd-cancel', 'cancel'],
      ['label-verify', 'mnuVerifyAfterWrite'], ['label-language', 'language'],
      ['label-band', 'band'], ['label-port', 'port'], ['label-stop-bits', 'stopBits'],
      ['label-flow', 'flowControl'], ['desktop-only', 'desktopOnly'],
      ['group-write-note', 'groupWriteDesktopOnly'], ['drop-hint', 'dropFile'],
      ['notices-title', 'notices'], ['bulk-set', 'bulkSetAttribute'],
      ['bulk-fill', 'bulkFill'], ['bulk-moveUp', 'bulkMoveUp'], ['bulk-moveDown', 'bulkMoveDown'],
      ['bulk-insert', 'bulkInsert'], ['bulk-delete', 'bulkDelete'], ['bulk-sort', 'bulkSort'],
      ['label-fill-start', 'fillStart'], ['label-fill-step', 'fillStep'],
      ['label-fill-offset', 'fillOffset'], ['bulk-title', 'mnuEditChannels'],
    ];
    for (const [id, key] of captions) label(id, key);
    const options = (id: string, keys: TextKey[]) => {
      const select = byId<HTMLSelectElement>(id);
      keys.forEach((key, i) => {
        select.options[i].textContent = t(key);
      });
    };
    options('language', ['LanguageEnglish', 'LanguageChinese']);
    options('new-band', ['band0', 'band1']);
    options('port-kind', ['virtualRadio', 'serialCable']);
    options('flow', ['flowNone', 'flowRtsCts']);
    byId('group-tabs').setAttribute('aria-label', t('groups'));
    byId('view-tabs').setAttribute('aria-label', t('ProductTitle'));
    for (const id of ['file-open', 'file-csv', 'file-compare']) {
      const input = byId(id);
      input.setAttribute('aria-label', byId(input.dataset.for ?? '').textContent ?? '');
    }
    this.renderDocument();
  }

  private renderDocument(): void {
    // View tabs: the channel grid and the core's areas, captioned by the core.
    const views: { key: View; caption: string }[] = [
      { key: 'channels', caption: t('mnuChannelInfo') },
      ...this.doc.areas().map((a) => ({ key: a.key as View, caption: stripAccelerator(a.caption) })),
    ];
    const viewTabs = byId('view-tabs');
    viewTabs.replaceChildren(...views.map((v) => {
      const tab = el('button', {
        type: 'button', role: 'tab', id: `view-${v.key}`, 'aria-controls': 'view-panel',
        'aria-selected': v.key === this.view ? 'true' : 'false', tabindex: v.key === this.view ? 0 : -1,
        text: v.caption,
      });
      tab.addEventListener('click', () => this.showView(v.key));
      return tab;
    }));
    byId('view-panel').setAttribute('aria-labelledby', `view-${this.view}`);

    const groupTabs = byId('group-tabs');
    const groups = this.doc.groupCount();
    const tabs: HTMLElement[] = [];
    for (let g = 0; g < groups; g++) {
      const tab = el('button', {
        type: 'button', role: 'tab', id: `group-${g}`, 'aria-controls': 'grid-host',
        'aria-selected': g === this.grid.group ? 'true' : 'false', tabindex: g === this.grid.group ? 0 : -1,
        text: this.doc.groupCaption(g),
      });
      tab.addEventListener('click', () => {
        this.grid.setGroup(g);
        this.renderDocument();
      });
      tabs.push(tab);
    }
    groupTabs.replaceChildren(...tabs);
    byId('grid-host').setAttribute('aria-labelledby', `group-${this.grid.group}`);

    const column = byId<HTMLSelectElement>('bulk-column');
    const chosen = column.value;
    column.replaceChildren(...this.grid.switchColumns().map((c) =>
      el('option', { value: c.key, text: c.heading })));
    if (chosen) column.value = chosen;
    if (column.selectedIndex < 0 && column.options.length > 0) column.selectedIndex = 0;
    this.fillBulkValues();

    const channels = this.view === 'channels';
    byId('channels').hidden = !channels;
    byId('area-host').hidden = channels;
    if (channels) this.grid.render();
    else {
      renderArea(byId('area-host'), this.doc, this.view as Area['key'], {
        changed: () => this.documentChanged(),
        refused: (message) => this.notify([{ severity: 'warning', text: message }]),
      });
    }
    this.documentChanged();
  }

  private fillBulkValues(): void {
    const key = byId<HTMLSelectElement>('bulk-column').value;
    const value = byId<HTMLSelectElement>('bulk-value');
    const chosen = value.selectedIndex;
    const column = this.grid.switchColumns().find((c) => c.key === key);
    value.replaceChildren(...(column?.choices ?? []).map((choice, i) =>
      el('option', { value: String(i), text: choice })));
    value.selectedIndex = chosen >= 0 && chosen < value.options.length ? chosen : value.options.length - 1;
  }

  private showView(view: View): void {
    this.grid.commit(false);
    this.view = view;
    this.renderDocument();
    byId(`view-${view}`).focus();
  }

  // After any change: the caption (file name, modified mark) and what can be done now.
  private documentChanged(): void {
    const name = this.doc.fileName;
    const title = `${t('ProductTitle')} [${t(this.doc.bandCode === 1 ? 'band1' : 'band0')}]` +
      `[${t('FileName')}:${name}]${this.doc.modified ? ' *' : ''}`;
    byId('doc-caption').textContent = title;
    document.title = title;
    this.updateCommands();
  }

  private updateCommands(): void {
    const busy = this.job !== null;
    const portKind = byId<HTMLSelectElement>('port-kind').value as PortKind;
    const radioReachable = portKind === 'virtual' || this.serial !== null;
    const set = (id: string, enabled: boolean) => {
      (byId(id) as HTMLButtonElement).disabled = !enabled;
    };
    set('cmd-read', !busy && radioReachable);
    set('cmd-write', !busy && radioReachable);
    set('cmd-choose-port', !busy && portKind === 'serial' && this.serial !== null);
    set('cmd-undo', !busy && this.doc.canUndo());
    set('cmd-redo', !busy && this.doc.canRedo());
    for (const id of ['cmd-new', 'cmd-open', 'cmd-save', 'cmd-import', 'cmd-compare', 'cmd-backups']) {
      set(id, !busy);
    }
    set('cmd-cancel', busy);
    byId<HTMLSelectElement>('port-kind').options[1].disabled = this.serial === null;
    byId('progress-box').hidden = !busy;
  }

  notify(notices: Notice[]): void {
    const list = byId('notices');
    for (const notice of notices) {
      if (!notice.text) continue;
      const item = el('li', { class: `notice ${notice.severity}`, text: notice.text });
      // Errors interrupt a screen reader; the rest waits its turn in the polite region.
      if (notice.severity === 'error') item.setAttribute('role', 'alert');
      list.prepend(item);
    }
    while (list.children.length > 20) list.lastElementChild?.remove();
  }

  private outcome(outcome: { ok: boolean; message: string }): boolean {
    if (outcome.message) {
      this.notify([{ severity: outcome.ok ? 'information' : 'error', text: outcome.message }]);
    }
    return outcome.ok;
  }

  // ---------------------------------------------------------------------------------------------
  // Document commands

  private replaceDocument(doc: WebDocument): void {
    this.grid.commit(false);
    const old = this.doc;
    this.doc = doc;
    this.grid.setDocument(doc);
    old.delete();
    this.view = 'channels';
    this.renderDocument();
  }

  // Before the document is replaced: a modified one may be saved first (Yes), dropped (No), or
  // the command stopped (Cancel).
  private async mayReplace(): Promise<boolean> {
    if (!this.doc.modified) return true;
    const answer = await choose(t('SaveQuestion'), [t('yes'), t('no'), t('cancel')]);
    if (answer === 2) return false;
    if (answer === 0) return this.save();
    return true;
  }

  private async newDocument(): Promise<void> {
    if ((await choose(t('NewDocument'), [t('ok'), t('cancel')])) !== 0) return;
    const band = byId<HTMLSelectElement>('new-band').value === '1' ? 1 : 0;
    this.replaceDocument(this.core.newDocument(band));
  }

  async open(bytes: Uint8Array, name: string): Promise<void> {
    if (this.job || !(await this.mayReplace())) return;
    const { document: doc, outcome } = this.core.openDocument(bytes, name);
    this.outcome(outcome);
    if (doc) this.replaceDocument(doc);
  }

  // The File System Access API where the browser has it, a download elsewhere. The picker comes
  // first, so that cancelling it leaves the document unsaved.
  private async save(): Promise<boolean> {
    this.grid.commit(false);
    const picker = (window as unknown as { showSaveFilePicker?: SavePicker }).showSaveFilePicker;
    const name = this.doc.fileName.split(/[\\/]/).pop() || 'new.dat';
    if (picker) {
      let handle: SaveHandle;
      try {
        handle = await picker({
          suggestedName: name,
          types: [{ description: t('ProductTitle'), accept: { 'application/octet-stream': ['.dat'] } }],
        });
      } catch {
        return false; // cancelled
      }
      const bytes = this.doc.save();
      try {
        const out = await handle.createWritable();
        await out.write(bytes as BlobPart);
        await out.close();
      } catch (error) {
        this.notify([{ severity: 'error', text: `${t('FileError')} ${String(error)}` }]);
        return false;
      }
      this.doc.setFileName(handle.name);
    } else {
      download(this.doc.save(), name, 'application/octet-stream');
    }
    this.documentChanged();
    return true;
  }

  private exportCsv(): void {
    this.grid.commit(false);
    const base = (this.doc.fileName.split(/[\\/]/).pop() || 'new.dat').replace(/\.dat$/i, '');
    download(this.doc.exportCsv(), `${base}.csv`, 'text/csv');
  }

  private importCsv(text: string): void {
    this.grid.commit(false);
    this.outcome(this.doc.importCsv(text));
    this.renderDocument();
  }

  private async compare(bytes: Uint8Array, name: string): Promise<void> {
    this.grid.commit(false);
    const { outcome, lines } = this.doc.compareWith(bytes, name);
    if (!outcome.ok) {
      this.outcome(outcome);
      return;
    }
    await showList(`${t('CompareCaption')}: ${name}`,
      outcome.message || (lines.length === 0 ? t('CompareEqual') : ''), lines, t('close'));
  }

  private undo(): void {
    if (!this.doc.canUndo()) return;
    this.grid.commit(false);
    this.doc.undo();
    this.renderDocument();
  }

  private redo(): void {
    if (!this.doc.canRedo()) return;
    this.grid.commit(false);
    this.doc.redo();
    this.renderDocument();
  }

  private bulk(command: Parameters<WebDocument['bulk']>[2], arg: string): void {
    this.grid.commit(false);
    const outcome = this.doc.bulk(this.grid.group, this.grid.chosenRows(), command, arg);
    this.outcome(outcome);
    this.grid.render(false);
    this.documentChanged();
  }

  // ---------------------------------------------------------------------------------------------
  // Backups

  private async showBackups(): Promise<void> {
    this.grid.commit(false);
    await this.core.mountBackups().catch(() => undefined);
    const backups = this.core.listBackups();
    const dialog = el('dialog', { class: 'backups', 'aria-labelledby': 'backups-title' });
    dialog.append(el('h2', { id: 'backups-title', text: t('BackupsCaption') }));
    dialog.append(el('p', { text: t('backupsInBrowser') }));
    if (backups.length === 0) dialog.append(el('p', { text: t('noBackups') }));
    else {
      const table = el('table', { class: 'backup-list', 'aria-labelledby': 'backups-title' });
      table.append(el('thead', {}, el('tr', {},
        ...(['BackupDate', 'BackupKind', 'BackupRadio', 'BackupFile'] as const)
          .map((key) => el('th', { scope: 'col', text: t(key) })),
        el('th', { scope: 'col', text: '' }))));
      const body = el('tbody');
      const kindKey = { read: 'BackupRead', write: 'BackupWrite', written: 'BackupWritten' } as const;
      for (const backup of backups) {
        const act = (key: TextKey, action: () => Promise<void>) => {
          const button = el('button', { type: 'button', text: t(key), 'aria-label': `${t(key)}: ${backup.name}` });
          button.addEventListener('click', () => {
            dialog.close();
            void action();
          });
          return button;
        };
        body.append(el('tr', {},
          el('td', { text: backup.when }), el('td', { text: t(kindKey[backup.kind]) }),
          el('td', { text: backup.radio }), el('td', { text: backup.name }),
          el('td', {}, act('BackupsOpen', () => this.openBackup(backup.name)),
            act('BackupsCompare', () => this.compareBackup(backup.name)),
            act('BackupsWriteBack', () => this.writeBack(backup.name)))));
      }
      table.append(body);
      dialog.append(table);
    }
    const close = el('button', { type: 'button', text: t('close') });
    close.addEventListener('click', () => dialog.close());
    dialog.append(el('div', { class: 'buttons' }, close));
    dialog.addEventListener('close', () => dialog.remove());
    document.body.append(dialog);
    dialog.showModal();
  }

  private async openBackup(name: string): Promise<void> {
    if (!(await this.mayReplace())) return;
    const { document: doc, outcome } = this.core.openBackup(name);
    this.outcome(outcome);
    if (doc) this.replaceDocument(doc);
  }

  private async compareBackup(name: string): Promise<void> {
    const { document: doc, outcome } = this.core.openBackup(name);
    if (!doc) {
      this.outcome(outcome);
      return;
    }
    const bytes = doc.save();
    doc.delete();
    await this.compare(bytes, name);
  }

  private async writeBack(name: string): Promise<void> {
    const { document: doc, outcome } = this.core.openBackup(name);
    if (!doc) {
      this.outcome(outcome);
      return;
    }
    try {
      await this.write(doc);
    } finally {
      // The job keeps what it sends; the backup's document is ours to free once it has ended.
      await this.jobEnded();
      doc.delete();
    }
  }

  // ---------------------------------------------------------------------------------------------
  // Radio

  private async choosePort(): Promise<boolean> {
    if (!this.serial) return false;
    this.notify([{ severity: 'information', text: t('portPermission') }]);
    try {
      this.serialPort = await this.serial.requestPort();
      return true;
    } catch {
      return false; // the user closed the browser's port chooser
    }
  }

  private jobDone: Promise<void> = Promise.resolve();
  private jobEnded(): Promise<void> {
    return this.jobDone;
  }

  private async host(events: HostEvents): Promise<SerialLineHost | VirtualLineHost | null> {
    const kind = byId<HTMLSelectElement>('port-kind').value as PortKind;
    if (kind === 'virtual') {
      if (!this.virtualRadio || this.virtualBand !== this.doc.bandCode) {
        this.virtualRadio?.delete();
        this.virtualBand = this.doc.bandCode;
        this.virtualRadio = this.core.newVirtualRadio(this.doc.bandCode === 1 ? 1 : 0);
      }
      return new VirtualLineHost(events, this.virtualRadio);
    }
    if (!this.serial) {
      this.notify([{ severity: 'warning', text: t('noSerial') }]);
      return null;
    }
    if (!this.serialPort) {
      const ports = await this.serial.getPorts();
      this.serialPort = ports.length === 1 ? ports[0] : null;
    }
    if (!this.serialPort && !(await this.choosePort())) return null;
    return new SerialLineHost(events, this.serialPort!, this.settings());
  }

  private settings(): { stopBits: 1 | 2; rtsCts: boolean } {
    return {
      stopBits: byId<HTMLSelectElement>('stop-bits').value === '2' ? 2 : 1,
      rtsCts: byId<HTMLSelectElement>('flow').value === 'hardware',
    };
  }

  // Runs one transfer: the host feeds the job, the progress bar follows, and when it has finished
  // the page shows what the core says and takes over a read's document.
  private async run(caption: TextKey, start: (host: SerialLineHost | VirtualLineHost) => TransferJob): Promise<void> {
    let finish!: () => void;
    this.jobDone = new Promise((resolve) => (finish = resolve));
    const progress = byId<HTMLProgressElement>('progress');
    progress.value = 0;
    byId('label-progress').textContent = `${t(caption)} ${t('CompletionPercentage')}`;
    const events: HostEvents = {
      ask: (text, answers) => {
        // The session waits for the answer where it stands; only the browser's own dialogs do that.
        if (answers.length <= 1) {
          window.alert(text);
          return 0;
        }
        if (answers.length === 2) return window.confirm(text) ? 0 : 1;
        const listing = answers.map((a, i) => `${i + 1}: ${a}`).join('\n');
        const typed = window.prompt(`${text}\n\n${listing}`, '1');
        const chosen = typed === null ? answers.length : Number.parseInt(typed, 10);
        return Number.isInteger(chosen) && chosen >= 1 && chosen <= answers.length
          ? chosen - 1 : answers.length - 1;
      },
      progress: (percent) => {
        progress.value = percent;
        progress.setAttribute('aria-valuetext', `${Math.round(percent)}%`);
      },
      // Called from inside the job: it is taken apart once the call has returned.
      finished: () => setTimeout(() => void this.afterJob(finish), 0),
    };
    const host = await this.host(events);
    this.currentHost = host;
    if (!host) {
      finish();
      return;
    }
    this.grid.commit(false);
    this.job = start(host);
    host.job = this.job;
    this.updateCommands();
    byId('cmd-cancel').focus();
  }

  private currentHost: SerialLineHost | VirtualLineHost | null = null;

  private async afterJob(finish: () => void): Promise<void> {
    const job = this.job;
    if (!job) return;
    if (this.currentHost instanceof VirtualLineHost) this.lastTransfer = this.currentHost.stats();
    this.notify(job.notices());
    const read = job.takeDocument();
    job.delete();
    this.job = null;
    if (read) this.replaceDocument(read);
    else this.updateCommands();
    await this.core.syncBackups().catch(() => undefined);
    finish();
    document.body.dataset.lastJob = String(Date.now());
  }

  private async read(): Promise<void> {
    if (this.job || !(await this.mayReplace())) return;
    if ((await choose(t('ReadQuestion'), [t('ok'), t('cancel')])) !== 0) return;
    const band = this.doc.bandCode === 1 ? 1 : 0;
    await this.run('ReadCaption', (host) => this.core.readRadio(host, band));
  }

  // The preview lists what the write changes in the radio, when the page knows what it holds.
  private async write(doc: WebDocument): Promise<void> {
    if (this.job) return;
    this.grid.commit(false);
    // Without a copy of what the radio holds, the plain question the desktop asks.
    const preview = this.core.writePreview(doc);
    const answer = preview !== null
      ? await choose(preview, [t('previewWrite'), t('previewCancel')])
      : await choose(t('WriteQuestion'), [t('ok'), t('cancel')]);
    if (answer !== 0) return;
    const verify = byId<HTMLInputElement>('verify').checked;
    await this.run('WriteCaption', (host) => this.core.writeRadio(host, doc, verify));
  }
}
