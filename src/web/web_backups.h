// SPDX-License-Identifier: GPL-3.0-or-later
// The backups the page's reads and writes keep (in the module's file system, over the browser's
// storage): listed, opened and measured against, by the core's rules.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "web/web_document.h"

namespace kr4100::web {

struct BackupListing {
  std::string name;
  std::string kind;  // read, write, written; empty for a file of no known shape
  std::string when;
  std::string radio;
};

std::vector<BackupListing> ListWebBackups();
// A backup as an untitled document (Save asks for a name, as after a read).
Opened OpenWebBackup(const std::string& name);
// The write confirmation's text, with one line for each setting the write changes, measured
// against the last read or written content of the document's radio; nothing to measure against:
// nothing.
std::optional<std::string> WebWritePreview(const WebDocument& document);

}  // namespace kr4100::web
