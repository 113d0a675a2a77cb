// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's channel commands: the channel tables of all groups exported to a CSV file
// and imported from one (an import is checked whole before it changes anything), and the Edit
// menu's entries for the channel grid's commands on its chosen rows.
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

#include "app/frm_main.h"
#include "core/config/channel_csv.h"
#include "core/config/file_io.h"
#include "editors/frm_comm_ch_info.h"
#include "gui/qt_paths.h"

namespace kr4100 {
namespace {

constexpr std::uintmax_t kMaxCsvBytes = 16u << 20;  // far beyond six full groups
constexpr std::size_t kProblemsShown = 20;          // a message box must still fit the screen
constexpr Bilingual kCsvFilter{"CSV file (*.csv)", "CSV 文件 (*.csv)"};

}  // namespace

// The grid owns the commands, since they work on the rows chosen in it; the entries are offered
// while it is open.
void frmMain::createChannelCommandsMenu() {
  QMenu* edit = menus_[ShellText::mnuEdit];
  auto* channels = new QMenu(edit);
  channels->setObjectName(QStringLiteral("mnuEditChannels"));
  edit->addSeparator();
  edit->addMenu(channels);
  menus_.insert(ShellText::mnuEditChannels, channels);
  connect(edit, &QMenu::aboutToShow, this, [this] { updateMenus(); });
  connect(channels, &QMenu::aboutToShow, this, [this, channels] {
    channels->clear();
    if (auto* grid = qobject_cast<frmCommChInfo*>(childWindow(QStringLiteral("frmCommChInfo"))))
      grid->addChannelCommandsTo(channels);
  });
}

void frmMain::exportChannels() {
  commitEdits();
  const DocState& state = ctx_.doc().state();
  // Beside the data file, under its name; a document never saved suggests the documents folder.
  const QFileInfo document(QString::fromStdString(state.fileName));
  const QDir folder =
      state.neverSaved ? QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                       : document.absoluteDir();
  QString path = chooseSaveFile(
      folder.filePath(document.completeBaseName() + QStringLiteral(".csv")), ctx_.pick(kCsvFilter));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  const std::string text = ExportChannelsCsv(ctx_.doc().working(), state.edges);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!WriteFileAtomically(ToPath(path), {bytes, text.size()}))
    ctx_.tell(MessageId::FileError, MsgIcon::Critical);
}

void frmMain::importChannels() {
  commitEdits();
  const QString path = chooseOpenFile(ctx_.pick(kCsvFilter));
  if (path.isEmpty()) return;
  const auto size = RegularFileSize(ToPath(path));
  const auto bytes =
      size && *size <= kMaxCsvBytes ? ReadFilePrefix(ToPath(path), *size) : std::nullopt;
  if (!bytes) {
    ctx_.tell(MessageId::FileError, MsgIcon::Critical);
    return;
  }
  Document& doc = ctx_.doc();
  const ChannelTablesResult result =
      ImportChannelsCsv(std::string(bytes->begin(), bytes->end()), doc.state().edges);
  if (!result.ok()) {
    const std::string problems =
        DescribeCsvProblems(result.problems, doc.state().edges, ctx_.language(), kProblemsShown);
    ctx_.prompter().ask(ctx_.msg(MessageId::ChannelsNotImported) + QStringLiteral("\r\n") +
                            QString::fromStdString(problems),
                        MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  // One change of the working record; the open windows follow through the document.
  doc.ReplaceChannelTables(result.tables);
  history().checkpoint();  // the whole import is one undo step
  openChild(QStringLiteral("frmCommChInfo"));
}

}  // namespace kr4100
