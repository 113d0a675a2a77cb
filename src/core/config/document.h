// SPDX-License-Identifier: GPL-3.0-or-later
// The one document of the program: the working copy every editor changes, the saved copy last
// loaded from or stored to a file, and the document state beside them (model, band, file name).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/config/calendar_date.h"
#include "core/config/channel_attributes.h"
#include "core/config/conversions.h"
#include "core/config/model_band.h"
#include "core/config/radio_config.h"

namespace kr4100 {

struct ChannelTables;

// The name of a document that has never been saved (a new one, or one read from a radio).
inline constexpr const char* kNewDocumentName = "new.dat";

struct DocState {
  std::string modelText = kDefaultModelCode;
  std::string bandText = kBand0Text;
  BandEdges edges;                       // derived from bandText by SetBandEdges
  std::string fileName = kNewDocumentName;  // full path, or "new.dat" before the first save
  std::string previousFileName;          // the name before the last successful open
  bool neverSaved = true;                // Save acts as Save As while set
};

// Windows that show the document subscribe here instead of being called by name.
class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  // A channel of the current group changed (its grid row and the edit dialog show it again).
  virtual void channelChanged(int /*chNum*/) {}
  // A channel was created or deleted: emergency-channel lists are rebuilt before the re-check.
  virtual void channelSetChanged() {}
  // The whole working copy was replaced (new document, file or template read).
  virtual void documentReplaced() {}
  // An editor changed the working copy (through Edit or a channel routine): the undo history
  // looks for a step, whether or not the user's input is what it watches.
  virtual void recordEdited() {}
};

// Which template a new document reads over its defaults.
enum class TemplateKind { NewDocument, InitialSetting };
// The template file of a band, as the installation's "Init" folder names it.
std::string TemplateFileName(int bandCode, TemplateKind kind);

class Document {
 public:
  Document();

  RadioConfig& working() { return working_; }
  const RadioConfig& working() const { return working_; }
  const RadioConfig& saved() const { return saved_; }
  DocState& state() { return state_; }
  const DocState& state() const { return state_; }

  // Folder holding the band templates ("<program>/Init"); empty: no template is read.
  void setTemplateDir(std::filesystem::path dir) { templateDir_ = std::move(dir); }
  const std::filesystem::path& templateDir() const { return templateDir_; }
  // Where range warnings go (the GUI shows them as message boxes).
  void setWarningSink(WarningSink sink) { warn_ = std::move(sink); }
  const WarningSink& warningSink() const { return warn_; }
  // Today's date for ProgDate; the local calendar date unless a test sets its own.
  void setToday(std::function<CalendarDate()> today) { today_ = std::move(today); }

  void addObserver(DocumentObserver* observer);
  void removeObserver(DocumentObserver* observer);

  // Every change an editor makes to the working copy: `change` is a core edit function applied
  // to it, and the observers hear of it afterwards. Windows change the record only so (or by the
  // channel routines below), never by writing working() themselves.
  template <class Change>
  auto Edit(Change&& change) {
    if constexpr (std::is_void_v<std::invoke_result_t<Change, RadioConfig&>>) {
      std::forward<Change>(change)(working_);
      notifyEdited();
    } else {
      auto result = std::forward<Change>(change)(working_);
      notifyEdited();
      return result;
    }
  }

  // The group the channel grid shows. Bookkeeping rather than content: it makes no edit.
  void SelectGroup(int group);
  // A group's emergency channel, by the channel number its list shows.
  void SetEmergencyChannel(int group, int chNum);

  // Band text and model text changed together: the edges follow the band text.
  void setModelAndBand(std::string modelText, std::string bandText);

  void CommitWorkingCopy();
  void RestoreWorkingCopy();
  void SyncModelInfo();
  void SyncDocState();

  // A new document at start-up: named "new.dat", never saved, defaults with the band's
  // new-document template read over them, unmodified.
  void InitNewDocument();
  // New document and "Initial Setting" from the menu: the record is reset the same way, but the
  // document keeps its name and never-saved flag, so Save still goes to the file last used.
  void ResetToNewDocument(TemplateKind kind);

  // Reads a data file without checks over the working record (template files). On any failure
  // the working record stays as it was and the saved copy becomes equal to it. True when read.
  bool ReadTemplate(const std::filesystem::path& path);
  // The same over a template's content already in memory: its first 14531 bytes are the record,
  // whatever follows is ignored, as the file read ignores it; fewer bytes are a failure.
  bool ReadTemplateBytes(std::span<const std::uint8_t> content);

  // Replaces the saved copy with a complete record read from a file and makes it the working
  // copy. Used by the data-file open once every check has passed.
  void LoadSaved(const RadioConfig& fromFile);
  // Replaces the working copy as a whole (a read from the radio); the document state follows its
  // ModelInfo. The saved copy stays, so the document counts as modified until it is saved.
  void ReplaceWorking(const RadioConfig& record);
  // Puts an earlier working copy back together with the model and band it had (undo and redo);
  // the saved copy and the file name stay, so the modified test keeps comparing with the file.
  void RestoreWorking(const RadioConfig& record, std::string modelText, std::string bandText);
  // Puts back a saved copy without touching the working copy (a save that did not reach the file).
  void LoadSavedCopyOnly(const RadioConfig& saved) { saved_ = saved; }

  bool IsDocumentUnchanged() const;
  bool IsDocumentModified() const { return !IsDocumentUnchanged(); }

  int FindChannelSlot(int chNum, int group) const;
  void AppendChannel(int chNum, int group, std::string_view freText);
  void DeleteChannelSlot(int slot, int group);
  void SetChannelField(ChInfo& entry, int column, std::string_view value);
  // False when a frequency was refused after the range warning; the channel (or the free number)
  // is then left exactly as it was.
  bool SetChannelValue(int chNum, int column, std::string_view value);
  // Puts in the channel tables of all groups in one go (a channel import or a grid paste): the
  // emergency channels are re-checked and every window shows the document again.
  void ReplaceChannelTables(const ChannelTables& tables);
  // Edit for a change of many channels at once (core/config/channel_bulk.h): afterwards the
  // emergency channels are re-checked and every window shows the document again.
  template <class Change>
  auto EditChannels(Change&& change) {
    auto result = std::forward<Change>(change)(working_);
    channelTablesEdited();
    return result;
  }

 private:
  void fillDefaults();
  void setDefaultTestFrequencies();
  void emergencyRecheck();
  void channelTablesEdited();
  void notifyReplaced();
  void notifyChannelChanged(int chNum);
  void notifyEdited();

  RadioConfig working_;
  RadioConfig saved_;
  DocState state_;
  std::filesystem::path templateDir_;
  WarningSink warn_;
  std::function<CalendarDate()> today_;
  std::vector<DocumentObserver*> observers_;
};

// True when two records hold the same user-editable, saved content (see IsDocumentUnchanged).
bool SameDocumentContent(const RadioConfig& a, const RadioConfig& b);

}  // namespace kr4100
