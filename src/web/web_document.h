// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's document: the core's Document with the desktop's undo steps, seen as the page
// sees it (grid cells and editor areas as texts, commands by name). Every decision is a call into
// the core; this layer only names things and turns the core's results into texts.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/config/channel_bulk.h"
#include "core/config/document.h"
#include "core/config/undo_steps.h"

namespace kr4100::web {

// The interface language of everything the page is told.
int Language();
void SetLanguage(int language);

struct Outcome {
  bool ok = false;
  std::string message;    // empty when there is nothing to say
  bool question = false;  // the message asks whether to go on; nothing has changed yet
};

// A fill as typed (MHz, kHz, kHz), over the chosen rows or, with a count, that many new channels
// after the last one; `rest` goes on when some channels would leave the band.
struct FillRequest {
  std::string start;
  std::string step;
  std::string offset;
  int count = 0;
  bool rest = false;
};

struct GridColumn {
  std::string key;
  std::string heading;
  std::string kind;  // number, frequency, switch
  std::vector<std::string> choices;
  int width = 0;
};

struct AreaField {
  std::string key;
  std::string label;
  std::string kind;  // switch, choice, number, text
  std::vector<std::string> choices;
  std::string value;
  bool enabled = true;
};

struct Area {
  std::string key;  // options, keys, scan, messages
  std::string caption;
  std::vector<AreaField> fields;
};

// A group's emergency channel as the channel-information window offers it.
struct EmergencyChoice {
  std::string label;
  std::vector<std::string> choices;  // the group's channel numbers, in order
  std::string value;                 // empty when the record names none of them
};

struct Comparison {
  Outcome outcome;
  std::vector<std::string> lines;
};

class WebDocument {
 public:
  // A new document of the band (0 or 1), as File New makes it.
  explicit WebDocument(int band);
  // A document the caller has filled (an open, a read): the undo history starts from it.
  explicit WebDocument(std::unique_ptr<Document> doc);

  Document& document() { return *doc_; }
  const Document& document() const { return *doc_; }

  std::string fileName() const { return doc_->state().fileName; }
  bool modified() const { return doc_->IsDocumentModified(); }
  int bandCode() const;
  std::vector<std::uint8_t> save();
  void setFileName(const std::string& name) { doc_->state().fileName = name; }
  // The window's title as the desktop words it, with a mark while the document is modified.
  std::string caption() const;

  static int groupCount();
  std::string groupCaption(int group) const;
  std::vector<GridColumn> columns() const;
  int rowCount(int group) const;
  std::string cell(int group, int row, const std::string& column) const;
  Outcome setCell(int group, int row, const std::string& column, const std::string& text);
  Outcome bulk(int group, const std::vector<int>& rows, const std::string& command,
               const std::string& arg);
  Outcome fill(int group, const std::vector<int>& rows, const FillRequest& request);

  EmergencyChoice emergency(int group) const;
  // The channel number as one of the choices' texts; anything else is refused unchanged.
  Outcome setEmergency(int group, const std::string& chNum);

  std::vector<Area> areas() const;
  Outcome setField(const std::string& area, const std::string& key, const std::string& value);

  bool canUndo() const { return undo_.canUndo(); }
  bool canRedo() const { return undo_.canRedo(); }
  void undo() { undo_.undo(); }
  void redo() { undo_.redo(); }

  std::string exportCsv() const;
  Outcome importCsv(const std::string& text);
  Comparison compareWith(std::span<const std::uint8_t> bytes, const std::string& name) const;

  // The record replaced as a whole by the core (a read): one undo step.
  void checkpoint(const std::string& text = {}) { undo_.checkpoint(text); }

 private:
  void watchWarnings();
  // The undo step of a bulk command that ran, or its refusal.
  Outcome finishBulk(const std::string& command, const RadioConfig& before,
                     const BulkOutcome& done);
  std::string takeWarnings();

  std::unique_ptr<Document> doc_;
  UndoSteps undo_;
  std::vector<MessageId> warnings_;
};

// The document of a data file's bytes, or the desktop program's refusal.
struct Opened {
  std::unique_ptr<WebDocument> document;
  Outcome outcome;
};
Opened OpenDocument(std::span<const std::uint8_t> bytes, const std::string& name);

}  // namespace kr4100::web
