// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the application shell: main-window menus, the small shell dialogs, language names, the
// product title, and the composed main-window caption and incompatible-version question.
#pragma once

#include <string>
#include <string_view>

#include "core/texts/bilingual.h"

namespace kr4100 {

enum class ShellText : int {
  // Menu commands of the main window, by menu name.
  mnuFileNew,
  mnuFileOpen,
  mnuFileSave,
  mnuFileSaveAs,
  mnuFilePrint,
  mnuFileExit,
  mnuModelInfo,
  mnuChannelInfo,
  mnuOptFeature,
  mnuKeyAssignm,
  mnuScanInfo,
  mnuDTMF,
  mnuFleetSync,
  mnuTestFre,
  mnuEmbeddedMsg,
  mnuEMG,
  mnuReadFromRadio,
  mnuWriteToRadio,
  mnuMWriteToRadio,
  mnuTest,
  mnuRadioInfo,
  mnuSetRadioInfo,
  mnuComm,
  mnuLanguage,
  MnuInitial,
  mnuTreeView,
  mnuViewToolbar,
  mnuViewStatusBar,
  mnuWindowCascade,
  mnuWindowTileVertical,
  mnuWindowTileHorizontal,
  mnuWindowArrangeIcons,
  mnuCloseAll,
  mnuHelpAbout,
  // Top-level menus.
  mnuFile,
  mnuModel,
  mnuEdit,
  mnuProgram,
  mnuTools,
  mnuSetup,
  mnuView,
  mnuWindow,
  mnuHelp,
  // Shell dialogs, status bar and caption.
  ModelType,          // model dialog: model list label
  Frequency,          // model dialog: band list label
  ModelInformation,   // model dialog caption
  CommunicationPort,  // port dialog caption
  Com,                // port dialog label and status-bar port prefix
  LanguageMode,       // language dialog label
  LanguageSetup,      // language dialog caption
  FileName,           // main-window caption
  // Language names offered by the language dialog (English = language 1, Chinese = language 2).
  LanguageEnglish,
  LanguageChinese,
  ProductTitle,  // "KR-4100", the same in both languages
  // Channel CSV: File menu.
  mnuExportChannels,
  mnuImportChannels,
  // Comparing the document with a data file.
  mnuFileCompare,
  // Undo and redo of the working record (Edit menu).
  mnuEditUndo,
  mnuEditRedo,
  // Backups and read-back verify.
  mnuOpenBackup,        // File menu: the file dialog on the backups folder
  mnuVerifyAfterWrite,  // Setup menu: checkable, read the radio back after every write
  mnuBackups,           // File menu: the backups window
  // Edit menu: the channel grid's commands on the chosen rows.
  mnuEditChannels,
  // Serial trace.
  mnuRecordSerialTrace,  // Setup menu: checkable, every radio session's traffic to a file
  TraceFolderTip,        // where the trace files go: "{folder}"
  // The about box and its versions variant.
  AboutCaption,
  VersionsCaption,
  AboutPurpose,
  VersionsButton,
  VersionsAccepted,  // above the list of accepted data file and firmware versions
  AboutLicence,      // the terms the program is given under
  // The window comparing the document with a data file.
  CompareCaption,
  CompareThisDocument,  // column headings of the differences
  CompareTheFile,
  CompareTableName,  // for assistive tools
  CompareEqual,
  CompareDiffering,  // "{n}": how many settings differ
  CompareOneDiffering,
  CompareClose,      // without an accelerator, as the backups window's
  // The print dialog.
  PrintCaption,
  PrintButton,
  PdfButton,
  PdfFilter,  // the PDF file dialog's filter
  // The radio-information dialogs; their model and band labels are the model dialog's.
  RadioInfoCaption,
  RadioInfoSerialNumber,
  RadioInfoSetCaption,
  RadioInfoVersion,  // the same in both languages, as it has always read
  RadioInfoRead,
  RadioInfoWrite,
  RadioInfoTimeSync,
  LocalInfoCaption,  // titled as its menu command; "Embedded Message" is the message editor
  LocalInfoDealer,
  Count
};

const Bilingual& Shell(ShellText id);
inline const char* ShellTextIn(ShellText id, int language) {
  return Shell(id).in(language);
}

// Main-window caption: model name, "[" band "]", "[" "File Name" ":" file name "]". The file name
// is the document name after its last "\" or "/".
std::string MainWindowCaption(std::string_view modelName, std::string_view bandText,
                              std::string_view documentName, int language);

// The question asked when a data file's version is not accepted by this program: the question,
// the file's version in display form ("V6.00") and this program's version, on three lines.
std::string IncompatibleVersionQuestion(std::string_view fileTagDisplay, int language);

}  // namespace kr4100
