// SPDX-License-Identifier: GPL-3.0-or-later
// The core as the page sees it (web/src/core_api.d.ts): embind glue that turns JavaScript values
// into the web layer's C++ types and back. Nothing is decided here.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/config/model_band.h"
#include "core/texts/web_texts.h"
#include "sim/test_mode_responder.h"
#include "sim/virtual_radio.h"
#include "web/web_backups.h"
#include "web/web_document.h"
#include "web/web_transfer.h"

namespace kr4100::web {
namespace {

using emscripten::val;

std::vector<std::uint8_t> BytesOf(const val& array) {
  return emscripten::convertJSArrayToNumberVector<std::uint8_t>(array);
}

// A copy the page keeps: the module's memory may move when it grows.
val Uint8ArrayOf(std::span<const std::uint8_t> bytes) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(bytes.size(), bytes.data()))
      .call<val>("slice");
}

val ArrayOf(const std::vector<std::string>& texts) {
  val out = val::array();
  for (const std::string& text : texts) out.call<void>("push", text);
  return out;
}

val OutcomeOf(const Outcome& outcome) {
  val out = val::object();
  out.set("ok", outcome.ok);
  out.set("message", outcome.message);
  if (outcome.question) out.set("question", true);
  return out;
}

// ---- the document -----------------------------------------------------------------------------

val Save(WebDocument& doc) {
  return Uint8ArrayOf(doc.save());
}

val Columns(const WebDocument& doc) {
  val out = val::array();
  for (const GridColumn& c : doc.columns()) {
    val column = val::object();
    column.set("key", c.key);
    column.set("heading", c.heading);
    column.set("kind", c.kind);
    column.set("choices", ArrayOf(c.choices));
    column.set("width", c.width);
    out.call<void>("push", column);
  }
  return out;
}

val SetCell(WebDocument& doc, int group, int row, const std::string& column,
            const std::string& text) {
  return OutcomeOf(doc.setCell(group, row, column, text));
}

val Bulk(WebDocument& doc, int group, const val& rows, const std::string& command,
         const std::string& arg) {
  return OutcomeOf(
      doc.bulk(group, emscripten::convertJSArrayToNumberVector<int>(rows), command, arg));
}

// A property the page typed; anything but a string counts as left empty.
std::string TypedText(const val& object, const char* name) {
  const val value = object[name];
  return value.isString() ? value.as<std::string>() : std::string();
}

val Fill(WebDocument& doc, int group, const val& rows, const val& request) {
  if (request.isNull() || request.typeOf().as<std::string>() != "object") return OutcomeOf({});
  // A count past a group's channels is kept past them, so the core refuses it as the desktop does.
  const val count = request["count"];
  const double typedCount = count.isNumber() ? count.as<double>() : 0;
  const FillRequest typed{
      TypedText(request, "start"), TypedText(request, "step"), TypedText(request, "offset"),
      typedCount >= 1 ? static_cast<int>(std::min<double>(typedCount, kChannelsPerGroup + 1)) : 0,
      request["rest"].isTrue()};
  return OutcomeOf(doc.fill(group, emscripten::convertJSArrayToNumberVector<int>(rows), typed));
}

val Emergency(const WebDocument& doc, int group) {
  const EmergencyChoice choice = doc.emergency(group);
  val out = val::object();
  out.set("label", choice.label);
  out.set("choices", ArrayOf(choice.choices));
  out.set("value", choice.value);
  return out;
}

val SetEmergency(WebDocument& doc, int group, const std::string& chNum) {
  return OutcomeOf(doc.setEmergency(group, chNum));
}

val Areas(const WebDocument& doc) {
  val out = val::array();
  for (const Area& a : doc.areas()) {
    val area = val::object();
    area.set("key", a.key);
    area.set("caption", a.caption);
    val fields = val::array();
    for (const AreaField& f : a.fields) {
      val field = val::object();
      field.set("key", f.key);
      field.set("label", f.label);
      field.set("kind", f.kind);
      field.set("choices", ArrayOf(f.choices));
      field.set("value", f.value);
      field.set("enabled", f.enabled);
      fields.call<void>("push", field);
    }
    area.set("fields", fields);
    out.call<void>("push", area);
  }
  return out;
}

val SetField(WebDocument& doc, const std::string& area, const std::string& key,
             const std::string& value) {
  return OutcomeOf(doc.setField(area, key, value));
}

val ImportCsv(WebDocument& doc, const std::string& text) {
  return OutcomeOf(doc.importCsv(text));
}

val CompareWith(const WebDocument& doc, const val& bytes, const std::string& name) {
  const std::vector<std::uint8_t> content = BytesOf(bytes);
  const Comparison comparison = doc.compareWith(content, name);
  val out = val::object();
  out.set("outcome", OutcomeOf(comparison.outcome));
  out.set("lines", ArrayOf(comparison.lines));
  return out;
}

val OpenedOf(Opened opened) {
  val out = val::object();
  out.set("document", opened.document ? val(std::move(opened.document)) : val::null());
  out.set("outcome", OutcomeOf(opened.outcome));
  return out;
}

// ---- the transfers ------------------------------------------------------------------------------

class PageLine : public WebLine {
 public:
  explicit PageLine(val host) : host_(std::move(host)) {}
  bool open(int stopBits, bool rtsCts) override {
    return host_.call<bool>("open", stopBits, rtsCts);
  }
  void close() override { host_.call<void>("close"); }
  void write(std::span<const std::uint8_t> bytes) override {
    host_.call<void>("write", Uint8ArrayOf(bytes));
  }
  void startTimer(int milliseconds) override { host_.call<void>("startTimer", milliseconds); }
  void stopTimer() override { host_.call<void>("stopTimer"); }
  double now() override { return host_.call<double>("now"); }
  int ask(const std::string& text, const std::vector<std::string>& answers) override {
    return host_.call<int>("ask", text, ArrayOf(answers));
  }
  void progress(int percent) override { host_.call<void>("progress", percent); }
  void readingBack(bool on) override { host_.call<void>("readingBack", on); }
  void finished(bool success) override { host_.call<void>("finished", success); }

 private:
  val host_;
};

// {stopBits, rtsCts} as the page's port settings hold them; what is missing is the default.
LineChoice LineChoiceOf(const val& settings) {
  LineChoice choice;
  if (settings.isUndefined() || settings.isNull()) return choice;
  if (settings["stopBits"].isNumber()) choice.stopBits = settings["stopBits"].as<int>();
  if (settings["rtsCts"].isTrue()) choice.rtsCts = true;
  return choice;
}

std::unique_ptr<WebTransferJob> ReadRadio(val host, int band, val settings) {
  return std::make_unique<WebTransferJob>(std::make_unique<PageLine>(std::move(host)), band,
                                          LineChoiceOf(settings));
}

std::unique_ptr<WebTransferJob> WriteRadio(val host, WebDocument& doc, bool verify, val settings) {
  return std::make_unique<WebTransferJob>(std::make_unique<PageLine>(std::move(host)), doc, verify,
                                          LineChoiceOf(settings));
}

void Received(WebTransferJob& job, const val& bytes) {
  job.received(BytesOf(bytes));
}

val Notices(const WebTransferJob& job) {
  val out = val::array();
  for (const JobNotice& n : job.notices()) {
    val notice = val::object();
    notice.set("severity", n.severity);
    notice.set("text", n.text);
    out.call<void>("push", notice);
  }
  return out;
}

val TakeDocument(WebTransferJob& job) {
  std::unique_ptr<WebDocument> doc = job.takeDocument();
  return doc ? val(std::move(doc)) : val::null();
}

// ---- the module -------------------------------------------------------------------------------

void SetLanguageCode(const std::string& code) {
  SetLanguage(code == "zh" ? kChinese : kEnglish);
}

val Texts() {
  const int language = Language();
  val out = val::object();
  for (const WebText& t : kWebOwnTexts) out.set(t.key, std::string(t.text.in(language)));
  for (const WebShellText& t : kWebShellTexts)
    out.set(t.key, PlainCaption(ShellTextIn(t.id, language)));
  for (const WebMessage& t : kWebMessages) out.set(t.key, std::string(MessageText(t.id, language)));
  for (const auto& [key, text] : kWebTableTexts) out.set(key, PlainCaption(text->in(language)));
  // The bands New offers, as the desktop's model dialog lists them.
  out.set("band0", BandTextOf(0, kDefaultModelCode));
  out.set("band1", BandTextOf(1, kDefaultModelCode));
  return out;
}

std::unique_ptr<WebDocument> NewDocument(int band) {
  return std::make_unique<WebDocument>(band);
}

val OpenDocumentBytes(const val& bytes, const std::string& name) {
  const std::vector<std::uint8_t> content = BytesOf(bytes);
  return OpenedOf(OpenDocument(content, name));
}

val ListBackupsVal() {
  val out = val::array();
  for (const BackupListing& b : ListWebBackups()) {
    val entry = val::object();
    entry.set("name", b.name);
    entry.set("kind", b.kind);
    entry.set("when", b.when);
    entry.set("radio", b.radio);
    out.call<void>("push", entry);
  }
  return out;
}

val OpenBackup(const std::string& name) {
  return OpenedOf(OpenWebBackup(name));
}

val WritePreviewVal(const WebDocument& doc) {
  const auto text = WebWritePreview(doc);
  return text ? val(*text) : val::null();
}

// The virtual radio with a cable that can be pulled after a given number of bytes more. It is
// kr4100-sim's radio whole, test-mode part included: that part gives a fresh radio its alignment
// values, without which its memory would not be a radio's (the page never starts test mode).
class PageVirtualRadio {
 public:
  explicit PageVirtualRadio(int band) : radio_(Identity(band)), testMode_(radio_) {}
  val receive(const val& bytes) {
    if (silent_) return Uint8ArrayOf({});
    std::vector<std::uint8_t> reply = radio_.receive(BytesOf(bytes));
    if (budget_ >= 0) {
      const auto allowed = std::min<std::size_t>(reply.size(), static_cast<std::size_t>(budget_));
      reply.resize(allowed);
      budget_ -= static_cast<long>(allowed);
      silent_ = budget_ == 0;
    }
    return Uint8ArrayOf(reply);
  }
  val memory() const { return Uint8ArrayOf(radio_.memory()); }
  void pullCable(int afterBytes) {
    budget_ = std::max(afterBytes, 0);
    silent_ = budget_ == 0;
  }

 private:
  static sim::IdentitySettings Identity(int band) {
    sim::IdentitySettings identity;
    identity.bandCode = static_cast<std::uint8_t>(band == 1 ? 1 : 0);
    return identity;
  }
  sim::VirtualRadio radio_;
  sim::TestModeResponder testMode_;
  long budget_ = -1;  // bytes still sent before the cable goes; -1: never
  bool silent_ = false;
};

std::unique_ptr<PageVirtualRadio> NewVirtualRadio(int band) {
  return std::make_unique<PageVirtualRadio>(band);
}

}  // namespace
}  // namespace kr4100::web

EMSCRIPTEN_BINDINGS(kr4100_core) {
  using namespace emscripten;
  using namespace kr4100::web;

  class_<WebDocument>("WebDocument")
      .property("fileName", &WebDocument::fileName)
      .property("modified", &WebDocument::modified)
      .property("bandCode", &WebDocument::bandCode)
      .function("save", &Save)
      .function("setFileName", &WebDocument::setFileName)
      .function("caption", &WebDocument::caption)
      .function("groupCount",
                optional_override([](const WebDocument&) { return WebDocument::groupCount(); }))
      .function("groupCaption", &WebDocument::groupCaption)
      .function("columns", &Columns)
      .function("rowCount", &WebDocument::rowCount)
      .function("cell", &WebDocument::cell)
      .function("setCell", &SetCell)
      .function("bulk", &Bulk)
      .function("fill", &Fill)
      .function("emergency", &Emergency)
      .function("setEmergency", &SetEmergency)
      .function("areas", &Areas)
      .function("setField", &SetField)
      .function("canUndo", &WebDocument::canUndo)
      .function("canRedo", &WebDocument::canRedo)
      .function("undo", &WebDocument::undo)
      .function("redo", &WebDocument::redo)
      .function("exportCsv", &WebDocument::exportCsv)
      .function("importCsv", &ImportCsv)
      .function("compareWith", &CompareWith);

  class_<WebTransferJob>("TransferJob")
      .function("received", &Received)
      .function("timer", &WebTransferJob::timer)
      .function("cancel", &WebTransferJob::cancel)
      .function("lineLost", &WebTransferJob::lineLost)
      .function("notices", &Notices)
      .function("takeDocument", &TakeDocument);

  class_<PageVirtualRadio>("VirtualRadio")
      .function("receive", &PageVirtualRadio::receive)
      .function("memory", &PageVirtualRadio::memory)
      .function("pullCable", &PageVirtualRadio::pullCable);

  function("setLanguage", &SetLanguageCode);
  function("texts", &Texts);
  function("newDocument", &NewDocument);
  function("openDocument", &OpenDocumentBytes);
  function("listBackups", &ListBackupsVal);
  function("openBackup", &OpenBackup);
  function("writePreview", &WritePreviewVal);
  function("readRadio", &ReadRadio);
  function("writeRadio", &WriteRadio);
  function("newVirtualRadio", &NewVirtualRadio);
}
