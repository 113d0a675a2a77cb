// SPDX-License-Identifier: GPL-3.0-or-later
// Compare with File and a backup's comparison: the core lists the differences from the open
// document; the page shows them under the desktop's caption.
import { showList } from './dialogs';
import type { Shell } from './shell';
import { t } from './texts';

export async function compareWithDocument(shell: Shell, bytes: Uint8Array, name: string): Promise<void> {
  shell.commitEdits();
  const { outcome, lines } = shell.doc.compareWith(bytes, name);
  if (!outcome.ok) {
    shell.outcome(outcome);
    return;
  }
  await showList(`${t('CompareCaption')}: ${name}`,
    outcome.message || (lines.length === 0 ? t('CompareEqual') : ''), lines, t('close'));
}
