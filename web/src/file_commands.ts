// SPDX-License-Identifier: GPL-3.0-or-later
// The File commands: New, Open (picker or drop), Save, channel CSV out and in, Compare with File,
// with the desktop's questions and refusals.
import { choose } from './dialogs';
import { byId, download, readFileBytes } from './dom';
import { compareWithDocument } from './compare';
import type { Shell } from './shell';
import { t } from './texts';

interface SaveHandle {
  createWritable(): Promise<{ write(data: BlobPart): Promise<void>; close(): Promise<void> }>;
  name: string;
}
type SavePicker = (options: object) => Promise<SaveHandle>;

export class FileCommands {
  constructor(private readonly shell: Shell) {}

  wire(): void {
    const click = (id: string, action: () => unknown) =>
      byId(id).addEventListener('click', () => void action());
    click('cmd-new', () => this.newDocument());
    click('cmd-open', () => byId<HTMLInputElement>('file-open').click());
    click('cmd-save', () => this.save());
    click('cmd-export', () => this.exportCsv());
    click('cmd-import', () => byId<HTMLInputElement>('file-csv').click());
    click('cmd-compare', () => byId<HTMLInputElement>('file-compare').click());
    this.onFile('file-open', async (file) => this.open(await readFileBytes(file), file.name));
    this.onFile('file-csv', async (file) => this.importCsv(await file.text()));
    this.onFile('file-compare', async (file) =>
      compareWithDocument(this.shell, await readFileBytes(file), file.name));

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
  }

  private onFile(id: string, action: (file: File) => Promise<void>): void {
    const input = byId<HTMLInputElement>(id);
    input.addEventListener('change', () => {
      const file = input.files?.[0];
      input.value = '';
      if (file) void action(file);
    });
  }

  // Before the document is replaced: a modified one may be saved first (Yes), dropped (No), or
  // the command stopped (Cancel).
  async mayReplace(): Promise<boolean> {
    if (!this.shell.doc.modified) return true;
    const answer = await choose(t('SaveQuestion'), [t('yes'), t('no'), t('cancel')]);
    if (answer === 2) return false;
    if (answer === 0) return this.save();
    return true;
  }

  private async newDocument(): Promise<void> {
    if ((await choose(t('NewDocument'), [t('ok'), t('cancel')])) !== 0) return;
    const band = byId<HTMLSelectElement>('new-band').value === '1' ? 1 : 0;
    this.shell.replaceDocument(this.shell.core.newDocument(band));
  }

  async open(bytes: Uint8Array, name: string): Promise<void> {
    if (this.shell.busy() || !(await this.mayReplace())) return;
    const { document: doc, outcome } = this.shell.core.openDocument(bytes, name);
    this.shell.outcome(outcome);
    if (doc) this.shell.replaceDocument(doc);
  }

  // The File System Access API where the browser has it, a download elsewhere. The picker comes
  // first, so that cancelling it leaves the document unsaved.
  async save(): Promise<boolean> {
    this.shell.commitEdits();
    const doc = this.shell.doc;
    const picker = (window as unknown as { showSaveFilePicker?: SavePicker }).showSaveFilePicker;
    const name = doc.fileName.split(/[\\/]/).pop() || 'new.dat';
    if (!picker) {
      download(doc.save(), name, 'application/octet-stream');
      this.shell.documentChanged();
      return true;
    }
    let handle: SaveHandle;
    try {
      handle = await picker({
        suggestedName: name,
        types: [{ description: t('ProductTitle'), accept: { 'application/octet-stream': ['.dat'] } }],
      });
    } catch {
      return false; // cancelled
    }
    try {
      const out = await handle.createWritable();
      await out.write(doc.save() as BlobPart);
      await out.close();
    } catch (error) {
      this.shell.notify([{ severity: 'error', text: `${t('FileError')} ${String(error)}` }]);
      return false;
    }
    doc.setFileName(handle.name);
    this.shell.documentChanged();
    return true;
  }

  private exportCsv(): void {
    this.shell.commitEdits();
    const doc = this.shell.doc;
    const base = (doc.fileName.split(/[\\/]/).pop() || 'new.dat').replace(/\.dat$/i, '');
    download(doc.exportCsv(), `${base}.csv`, 'text/csv');
  }

  private importCsv(text: string): void {
    this.shell.commitEdits();
    this.shell.outcome(this.shell.doc.importCsv(text));
    this.shell.renderDocument();
  }
}
