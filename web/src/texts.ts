// SPDX-License-Identifier: GPL-3.0-or-later
// The page words nothing itself: every text comes from the core's tables through texts(). These
// are the keys it asks for; the browser test checks that the core has each in both languages.
import type { CoreModule } from './core_api';

export const PAGE_TEXT_KEYS = [
  'ProductTitle', 'FileName',
  // Commands, worded as the desktop's menus (the page drops their accelerators).
  'mnuFileNew', 'mnuFileOpen', 'mnuFileSave', 'mnuReadFromRadio', 'mnuWriteToRadio',
  'mnuExportChannels', 'mnuImportChannels', 'mnuFileCompare', 'mnuEditUndo', 'mnuEditRedo',
  'mnuBackups', 'mnuVerifyAfterWrite', 'mnuChannelInfo', 'mnuEditChannels',
  // The page's own: language, band, port, what stays in the desktop program.
  'language', 'LanguageEnglish', 'LanguageChinese', 'band', 'band0', 'band1', 'port',
  'virtualRadio', 'serialCable', 'choosePort', 'portPermission', 'stopBits', 'flowControl',
  'flowNone', 'flowRtsCts', 'noSerial', 'desktopOnly', 'groupWriteDesktopOnly', 'dropFile',
  'offlineReady', 'progress', 'cancel', 'ok', 'yes', 'no', 'close', 'notices', 'groups',
  // The desktop's messages the page asks or shows itself.
  'NewDocument', 'SaveQuestion', 'ReadQuestion', 'WriteQuestion', 'FileError', 'ReadCaption', 'WriteCaption',
  'VerifyCaption', 'CompletionPercentage',
  // The channel grid's commands on the chosen rows and the fill's fields.
  'bulkSetAttribute', 'bulkFill', 'bulkMoveUp', 'bulkMoveDown', 'bulkInsert', 'bulkDelete',
  'bulkSort', 'fillStart', 'fillStep', 'fillOffset', 'fillOverRows', 'fillNewChannels', 'fillCount',
  // The write preview's buttons, compare and backups.
  'previewWrite', 'previewCancel', 'CompareCaption', 'CompareEqual', 'BackupsCaption',
  'backupsInBrowser', 'noBackups', 'BackupsOpen', 'BackupsCompare', 'BackupsWriteBack',
  'BackupDate', 'BackupKind', 'BackupRadio', 'BackupFile', 'BackupRead', 'BackupWrite',
  'BackupWritten', 'tableBackups',
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
