// What every window of the program shares: the document, the start-up state and settings file,
// the installation layout, the message boxes, and the texts in the language in force.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <string>

#include "core/config/document.h"
#include "core/settings/ini_file.h"
#include "core/settings/install_layout.h"
#include "core/settings/startup.h"
#include "core/texts/bilingual.h"
#include "core/texts/messages.h"
#include "core/texts/shell_texts.h"
#include "platform/user_prompter.h"

namespace kr4100 {

class AppContext {
 public:
  AppContext(InstallLayout install, UserPrompter& prompter);

  // The start-up sequence: version table, settings (created when missing; in userConfigDir when
  // the installation cannot hold them), a new document from the installed template.
  void startup(unsigned systemLocaleId, const std::filesystem::path& userConfigDir);

  Document& doc() { return doc_; }
  StartupState& state() { return state_; }
  StartupSettings& settings() { return state_.settings; }
  IniFile& settingsFile() { return settingsFile_; }
  const InstallLayout& install() const { return install_; }
  UserPrompter& prompter() { return prompter_; }

  int language() const { return state_.settings.currentLanguage; }
  QString pick(const Bilingual& text) const { return QString::fromUtf8(text.in(language())); }
  QString msg(MessageId id) const { return pick(Message(id)); }
  QString shell(ShellText id) const { return pick(Shell(id)); }

  // Message boxes with the program's message texts.
  Answer ask(MessageId id, MsgButtons buttons, MsgIcon icon) { return prompter_.ask(msg(id), buttons, icon); }
  void tell(MessageId id, MsgIcon icon = MsgIcon::None) { prompter_.ask(msg(id), MsgButtons::Ok, icon); }

  // The settings file follows the port dialog, the port search and the language dialog at once.
  void savePortSettings();
  void saveLanguage(int language);

  // Optional features switched on from the command line or the settings file.
  bool groupWriteEnabled = false;
  std::string portOverride;           // --port DEVICE: any device path, e.g. a pseudo-terminal
  std::filesystem::path userDataDir;  // the virtual radio's memory lives here

  // Set by the main window: start a new document (the band or the model changed elsewhere).
  std::function<void()> requestNewDocument;

 private:
  InstallLayout install_;
  UserPrompter& prompter_;
  StartupState state_;
  IniFile settingsFile_;
  Document doc_;
};

}  // namespace kr4100
