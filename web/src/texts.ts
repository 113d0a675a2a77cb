// SPDX-License-Identifier: GPL-3.0-or-later
// The page words nothing itself: every text comes from the core's tables through texts(). These
// are the keys it asks for; the browser test checks that the core has each in both languages.
import type { CoreModule } from './core_api';

export const PAGE_TEXT_KEYS = [
  'ProductTitle', 'FileName',
  // Commands, worded as the desktop's menus (without their accelerators).
  'mnuFileNew', 'mnuFileOpen', 'mnuFileSave', 'mnuReadFromRadio', 'mnuWriteToRadio',
  'mnuExportChannels', 'mnuImportChannels', 'mnuFileCompare', 'mnuEditUndo', 'mnuEditRedo',
  'mnuBackups', 'mnuVerifyAfterWrite', 'mnuChannelInfo', 'mnuOptFeature', 'mnuKeyAssignm',
  'mnuScanInfo', 'mnuEmbeddedMsg', 'mnuComm', 'mnuLanguage', 'mnuEditChannels',
  'LanguageEnglish', 'LanguageChinese',
  // The band a new document is for, and the two bands.
  'webNewBand', 'band0', 'band1',
  // The channel grid's bulk commands and the fill's fields.
  'bulkSwitchOn', 'bulkSwitchOff', 'bulkSwitchColumn', 'bulkFill', 'bulkMoveUp', 'bulkMoveDown',
  'bulkInsert', 'bulkDelete', 'bulkSort', 'fillStart', 'fillStep', 'fillOffset', 'webGroups',
  'webRowSelect',
  // Port choice.
  'webPortVirtual', 'webPortSerial', 'webStopBits', 'webFlowControl', 'webFlowNone',
  'webFlowHardware',
  'webChoosePort',
  // What this browser cannot do, and what stays in the desktop program.
  'webNoSerial', 'webDesktopOnly',
  // Transfers, preview, notices.
  'webProgress', 'webCancel', 'webClose', 'webNotices', 'webDropHere', 'previewWrite',
  'previewCancel', 'webYes', 'webNo',
  // Messages of the desktop program the page asks itself.
  'NewDocument', 'SaveQuestion', 'OkButton', 'FileError',
  // Compare and backups.
  'CompareCaption', 'CompareEqual', 'BackupsCaption', 'BackupsNone', 'BackupsOpen',
  'BackupsCompare', 'BackupsWriteBack', 'BackupDate', 'BackupKind', 'BackupRadio', 'BackupFile',
  'BackupRead', 'BackupWrite', 'BackupWritten',
] as const;

export type TextKey = (typeof PAGE_TEXT_KEYS)[number];

let table: Record<string, string> = {};

export function loadTexts(core: CoreModule): void {
  table = core.texts();
}

// A key the core lacks shows as itself, so that the gap is visible (and the test fails on it).
// Desktop captions carry accelerators ("&Open", "打开(&O)"): a page has no menu bar for them.
export function t(key: TextKey): string {
  const text = table[key];
  return text === undefined ? key : stripAccelerator(text);
}

export function stripAccelerator(text: string): string {
  return text.replace(/\(&[A-Za-z]\)$/, '').replace(/&(?=[^&])/g, '').replace(/&&/g, '&');
}
