// SPDX-License-Identifier: GPL-3.0-or-later
// The page: the document, its editors and the notices, with the file, radio and backup commands
// beside it. Every text is the core's; the page only arranges them.
import type {
  Area, CoreModule, FillRequest, Language, Notice, Outcome, WebDocument,
} from './core_api';
import { renderArea } from './areas';
import { BackupsPanel } from './backups_panel';
import { choose } from './dialogs';
import { byId, el } from './dom';
import { FileCommands } from './file_commands';
import { ChannelGrid } from './grid';
import { RadioCommands } from './radio_commands';
import type { Shell } from './shell';
import { store } from './store';
import { loadTexts, stripAccelerator, t, type TextKey } from './texts';

type View = 'channels' | Area['key'];

// Element ids and the texts they show, as the desktop captions the same commands.
const CAPTIONS: [string, TextKey][] = [
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
  ['label-fill-offset', 'fillOffset'], ['label-fill-count', 'fillCount'],
  ['bulk-title', 'mnuEditChannels'],
];
const OPTION_CAPTIONS: [string, TextKey[]][] = [
  ['language', ['LanguageEnglish', 'LanguageChinese']], ['new-band', ['band0', 'band1']],
  ['port-kind', ['virtualRadio', 'serialCable']], ['flow', ['flowNone', 'flowRtsCts']],
  ['fill-mode', ['fillOverRows', 'fillNewChannels']],
];

export class App implements Shell {
  doc: WebDocument;
  private readonly grid: ChannelGrid;
  private view: View = 'channels';
  private language: Language;
  private readonly files: FileCommands;
  private readonly radio: RadioCommands;
  private readonly backups: BackupsPanel;

  constructor(readonly core: CoreModule) {
    const saved = store.get('language', navigator.language.startsWith('zh') ? 'zh' : 'en');
    this.language = saved === 'zh' ? 'zh' : 'en';
    core.setLanguage(this.language);
    loadTexts(core);
    this.doc = core.newDocument(0);
    const edits = {
      changed: () => this.documentChanged(),
      refused: (message: string) => this.notify([{ severity: 'warning', text: message }]),
    };
    this.grid = new ChannelGrid(this.doc, edits);
    this.files = new FileCommands(this);
    this.radio = new RadioCommands(this, this.files);
    this.backups = new BackupsPanel(this, this.files, this.radio);
    this.files.wire();
    this.radio.wire();
    this.wire();
    this.recaption();
    if (!this.radio.serial) this.say('warning', 'noSerial');
    void core.mountBackups().catch(() => undefined);
  }

  // The last transfer over the virtual radio, for the check of its pace.
  get lastTransfer(): { wireMs: number; elapsedMs: number } | null {
    return this.radio.lastTransfer;
  }

  // ---------------------------------------------------------------------------------------------
  // Controls

  private wire(): void {
    const click = (id: string, action: () => unknown) =>
      byId(id).addEventListener('click', () => void action());
    click('cmd-backups', () => this.backups.show());
    click('cmd-undo', () => this.undo());
    click('cmd-redo', () => this.redo());
    const language = byId<HTMLSelectElement>('language');
    language.value = this.language;
    language.addEventListener('change', () => this.setLanguage(language.value === 'zh' ? 'zh' : 'en'));
    document.addEventListener('keydown', (e) => this.undoKeys(e));
    byId('view-tabs').addEventListener('keydown', (e) => this.tabKeys(e, 'view-tabs'));
    byId('group-tabs').addEventListener('keydown', (e) => this.tabKeys(e, 'group-tabs'));
    byId('grid-host').append(this.grid.table);
    const emergency = byId<HTMLSelectElement>('emergency');
    emergency.addEventListener('change', () => {
      this.commitEdits();
      this.outcome(this.doc.setEmergency(this.grid.group, emergency.value));
      this.documentChanged();
    });
    this.wireBulk(click);
  }

  // A switch for many rows (its column and states the grid's own words), the fill, and the
  // commands that move rows.
  private wireBulk(click: (id: string, action: () => unknown) => void): void {
    click('bulk-set', () => {
      const value = byId<HTMLSelectElement>('bulk-value');
      this.bulk(value.selectedIndex === 1 ? 'switchOn' : 'switchOff', byId<HTMLSelectElement>('bulk-column').value);
    });
    byId('bulk-column').addEventListener('change', () => this.fillBulkValues());
    click('bulk-fill', () => this.fill());
    // As the desktop's fill: the chosen rows, or a number of new channels after the last one.
    const mode = byId<HTMLSelectElement>('fill-mode');
    mode.addEventListener('change', () => {
      byId<HTMLInputElement>('fill-count').disabled = mode.value !== 'new';
    });
    for (const command of ['moveUp', 'moveDown', 'insert', 'delete', 'sort'] as const) {
      click(`bulk-${command}`, () => this.bulk(command, ''));
    }
  }

  private undoKeys(e: KeyboardEvent): void {
    const ctrl = e.ctrlKey || e.metaKey;
    if (!ctrl || e.altKey || this.busy()) return;
    // Undo in a text field undoes its typing, not the document.
    const inField = (e.target as HTMLElement).closest?.('input, select, textarea');
    if (inField) return;
    const key = e.key.toLowerCase();
    if (key === 'z' && !e.shiftKey) this.undo();
    else if (key === 'y' || (key === 'z' && e.shiftKey)) this.redo();
    else return;
    e.preventDefault();
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
    this.commitEdits();
    this.language = language;
    store.set('language', language);
    this.core.setLanguage(language);
    loadTexts(this.core);
    this.recaption();
  }

  private recaption(): void {
    document.documentElement.lang = this.language === 'zh' ? 'zh-CN' : 'en';
    for (const [id, key] of CAPTIONS) byId(id).textContent = t(key);
    // The page's own notices read in the new language; the core's stay as they were said.
    for (const item of document.querySelectorAll<HTMLElement>('#notices [data-text-key]')) {
      item.textContent = t(item.dataset.textKey as TextKey);
    }
    // A transfer under way keeps its own caption until it ends.
    if (!this.busy()) byId('label-progress').textContent = t('progress');
    for (const [id, keys] of OPTION_CAPTIONS) {
      const select = byId<HTMLSelectElement>(id);
      keys.forEach((key, i) => {
        select.options[i].textContent = t(key);
      });
    }
    byId('group-tabs').setAttribute('aria-label', t('groups'));
    byId('view-tabs').setAttribute('aria-label', t('ProductTitle'));
    for (const id of ['file-open', 'file-csv', 'file-compare']) {
      const input = byId(id);
      input.setAttribute('aria-label', byId(input.dataset.for ?? '').textContent ?? '');
    }
    this.renderDocument();
  }

  private tab(id: string, controls: string, selected: boolean, caption: string, choose: () => void): HTMLElement {
    const tab = el('button', {
      type: 'button', role: 'tab', id, 'aria-controls': controls,
      'aria-selected': selected ? 'true' : 'false', tabindex: selected ? 0 : -1, text: caption,
    });
    tab.addEventListener('click', choose);
    return tab;
  }

  // View tabs: the channel grid and the core's areas, captioned by the core; and the group tabs.
  private renderTabs(): void {
    const views: { key: View; caption: string }[] = [
      { key: 'channels', caption: t('mnuChannelInfo') },
      ...this.doc.areas().map((a) => ({ key: a.key as View, caption: stripAccelerator(a.caption) })),
    ];
    byId('view-tabs').replaceChildren(...views.map((v) =>
      this.tab(`view-${v.key}`, 'view-panel', v.key === this.view, v.caption, () => this.showView(v.key))));
    byId('view-panel').setAttribute('aria-labelledby', `view-${this.view}`);
    const groups: HTMLElement[] = [];
    for (let g = 0; g < this.doc.groupCount(); g++) {
      groups.push(this.tab(`group-${g}`, 'grid-host', g === this.grid.group, this.doc.groupCaption(g), () => {
        this.grid.setGroup(g);
        this.renderDocument();
      }));
    }
    byId('group-tabs').replaceChildren(...groups);
    byId('grid-host').setAttribute('aria-labelledby', `group-${this.grid.group}`);
  }

  renderDocument(): void {
    this.renderTabs();
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
    this.commitEdits();
    this.view = view;
    this.renderDocument();
    byId(`view-${view}`).focus();
  }

  // The current group's emergency channel. Any change may have moved it (a delete, a move, an
  // undo), so it is shown again after each; the list is rebuilt only when its channels changed,
  // not to disturb a user walking it with the arrow keys.
  private renderEmergency(): void {
    const choice = this.doc.emergency(this.grid.group);
    byId('emergency-label').textContent = choice.label;
    const select = byId<HTMLSelectElement>('emergency');
    const shown = [...select.options].map((o) => o.value);
    if (shown.join() !== choice.choices.join()) {
      select.replaceChildren(...choice.choices.map((n) => el('option', { value: n, text: n })));
    }
    select.value = choice.value;
  }

  // After any change: the caption (the core's, as the desktop titles its window), the emergency
  // channel and what can be done now.
  documentChanged(): void {
    this.renderEmergency();
    const title = this.doc.caption();
    byId('doc-caption').textContent = title;
    document.title = title;
    this.updateCommands();
  }

  busy(): boolean {
    return this.radio.job !== null;
  }

  updateCommands(): void {
    const busy = this.busy();
    const serial = this.radio.serial !== null;
    const portKind = this.radio.portKind();
    const set = (id: string, enabled: boolean) => {
      (byId(id) as HTMLButtonElement).disabled = !enabled;
    };
    set('cmd-read', !busy && (portKind === 'virtual' || serial));
    set('cmd-write', !busy && (portKind === 'virtual' || serial));
    set('cmd-choose-port', !busy && portKind === 'serial' && serial);
    set('cmd-undo', !busy && this.doc.canUndo());
    set('cmd-redo', !busy && this.doc.canRedo());
    for (const id of ['cmd-new', 'cmd-open', 'cmd-save', 'cmd-import', 'cmd-compare', 'cmd-backups']) {
      set(id, !busy);
    }
    set('cmd-cancel', busy);
    byId<HTMLSelectElement>('port-kind').options[1].disabled = !serial;
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

  say(severity: Notice['severity'], key: TextKey): void {
    this.notify([{ severity, text: t(key) }]);
    (byId('notices').firstElementChild as HTMLElement | null)?.setAttribute('data-text-key', key);
  }

  outcome(outcome: Outcome): boolean {
    if (outcome.message) {
      this.notify([{ severity: outcome.ok ? 'information' : 'error', text: outcome.message }]);
    }
    return outcome.ok;
  }

  // ---------------------------------------------------------------------------------------------
  // The document

  commitEdits(): void {
    this.grid.commit(false);
  }

  replaceDocument(doc: WebDocument): void {
    this.commitEdits();
    const old = this.doc;
    this.doc = doc;
    this.grid.setDocument(doc);
    old.delete();
    this.view = 'channels';
    this.renderDocument();
  }

  private undo(): void {
    if (!this.doc.canUndo()) return;
    this.commitEdits();
    this.doc.undo();
    this.renderDocument();
  }

  private redo(): void {
    if (!this.doc.canRedo()) return;
    this.commitEdits();
    this.doc.redo();
    this.renderDocument();
  }

  // The fill as typed; when some channels would leave the band the core asks first, as the
  // desktop's fill does, and fills the rest only when told.
  private async fill(): Promise<void> {
    this.commitEdits();
    const request: FillRequest = {
      start: byId<HTMLInputElement>('fill-start').value,
      step: byId<HTMLInputElement>('fill-step').value,
      offset: byId<HTMLInputElement>('fill-offset').value,
    };
    if (byId<HTMLSelectElement>('fill-mode').value === 'new') {
      const typed = Number.parseInt(byId<HTMLInputElement>('fill-count').value, 10);
      request.count = Math.min(Math.max(Number.isFinite(typed) ? typed : 1, 1), 60);
    }
    const group = this.grid.group;
    const rows = this.grid.chosenRows();
    let outcome = this.doc.fill(group, rows, request);
    if (outcome.question) {
      if ((await choose(outcome.message, [t('yes'), t('no')])) !== 0) return;
      outcome = this.doc.fill(group, rows, { ...request, rest: true });
    }
    this.outcome(outcome);
    this.grid.render(false);
    this.documentChanged();
  }

  private bulk(command: Parameters<WebDocument['bulk']>[2], arg: string): void {
    this.commitEdits();
    this.outcome(this.doc.bulk(this.grid.group, this.grid.chosenRows(), command, arg));
    this.grid.render(false);
    this.documentChanged();
  }
}
