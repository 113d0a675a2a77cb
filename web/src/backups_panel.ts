// SPDX-License-Identifier: GPL-3.0-or-later
// The backups of every read and write kept in the browser: listed newest first, opened as the
// document, compared with the open document, or written back to the radio, as the desktop's
// backups window does.
import type { BackupEntry } from './core_api';
import { compareWithDocument } from './compare';
import { el } from './dom';
import type { FileCommands } from './file_commands';
import type { RadioCommands } from './radio_commands';
import type { Shell } from './shell';
import { t, type TextKey } from './texts';

const kindKey = { read: 'BackupRead', write: 'BackupWrite', written: 'BackupWritten' } as const;

export class BackupsPanel {
  constructor(private readonly shell: Shell, private readonly files: FileCommands,
              private readonly radio: RadioCommands) {}

  async show(): Promise<void> {
    this.shell.commitEdits();
    await this.shell.core.mountBackups().catch(() => undefined);
    const backups = this.shell.core.listBackups();
    const dialog = el('dialog', { class: 'backups', 'aria-labelledby': 'backups-title' });
    dialog.append(el('h2', { id: 'backups-title', text: t('BackupsCaption') }));
    dialog.append(el('p', { text: t('backupsInBrowser') }));
    if (backups.length === 0) dialog.append(el('p', { text: t('noBackups') }));
    else dialog.append(this.table(dialog, backups));
    const close = el('button', { type: 'button', text: t('close') });
    close.addEventListener('click', () => dialog.close());
    dialog.append(el('div', { class: 'buttons' }, close));
    dialog.addEventListener('close', () => dialog.remove());
    document.body.append(dialog);
    dialog.showModal();
  }

  private table(dialog: HTMLDialogElement, backups: BackupEntry[]): HTMLTableElement {
    const table = el('table', { class: 'backup-list', 'aria-label': t('tableBackups') });
    table.append(el('thead', {}, el('tr', {},
      ...(['BackupDate', 'BackupKind', 'BackupRadio', 'BackupFile'] as const)
        .map((key) => el('th', { scope: 'col', text: t(key) })),
      el('th', { scope: 'col', text: '' }))));
    const body = el('tbody');
    for (const backup of backups) {
      // The list was made for the document a command replaces: it closes first.
      const act = (key: TextKey, action: () => Promise<void>) => {
        const button = el('button', { type: 'button', text: t(key), 'aria-label': `${t(key)}: ${backup.name}` });
        button.dataset.action = key;
        button.addEventListener('click', () => {
          dialog.close();
          void action();
        });
        return button;
      };
      body.append(el('tr', {},
        el('td', { text: backup.when }), el('td', { text: t(kindKey[backup.kind]) }),
        el('td', { text: backup.radio }), el('td', { text: backup.name }),
        el('td', {}, act('BackupsOpen', () => this.open(backup.name).then(() => undefined)),
          act('BackupsCompare', () => this.compare(backup.name)),
          act('BackupsWriteBack', () => this.writeBack(backup.name)))));
    }
    table.append(body);
    return table;
  }

  private async open(name: string): Promise<boolean> {
    if (this.shell.busy() || !(await this.files.mayReplace())) return false;
    const { document: doc, outcome } = this.shell.core.openBackup(name);
    this.shell.outcome(outcome);
    if (!doc) return false;
    this.shell.replaceDocument(doc);
    return true;
  }

  private async compare(name: string): Promise<void> {
    const { document: doc, outcome } = this.shell.core.openBackup(name);
    if (!doc) {
      this.shell.outcome(outcome);
      return;
    }
    const bytes = doc.save();
    doc.delete();
    await compareWithDocument(this.shell, bytes, name);
  }

  // Written back as the document it becomes, through the write's own question, as the desktop
  // does: what the radio then holds is what the page shows.
  private async writeBack(name: string): Promise<void> {
    if (await this.open(name)) await this.radio.write();
  }
}
