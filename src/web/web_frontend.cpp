#include "web/web_frontend.h"

#include <emscripten.h>

#include <cstdlib>

// The page's side of each call lives in window.vellarPage (web/src/host.js).
EM_JS(void, js_show_message, (const char* text, const char* caption, int error),
      { window.vellarPage.showMessage(UTF8ToString(text), UTF8ToString(caption), !!error); });
// Every wait ends: an answer the page cannot give (an error in the page) counts as "No" or
// as a cancelled picker, so that the handler finishes and the page stays usable.
EM_JS(int, js_ask_yes_no, (const char* question), {
  return Asyncify.handleSleep(function(wakeUp) {
    const q = UTF8ToString(question);
    Promise.resolve()
        .then(function() { return window.vellarPage.askYesNo(q); })
        .then(
            function(yes) { wakeUp(yes ? 1 : 0); }, function() { wakeUp(0); });
  });
});
// The chosen name, malloc'ed, or 0 when the user cancels.
EM_JS(char*, js_ask_open_file, (const char* filter, const char* ext), {
  return Asyncify.handleSleep(function(wakeUp) {
    const f = UTF8ToString(filter);
    const e = UTF8ToString(ext);
    Promise.resolve()
        .then(function() { return window.vellarPage.askOpenFile(f, e); })
        .then(
            function(name) { wakeUp(name ? allocateUTF8(name) : 0); }, function() { wakeUp(0); });
  });
});
EM_JS(char*, js_ask_save_file,
      (const char* filter, int filterIndex, const char* ext, const char* suggestion), {
        return Asyncify.handleSleep(function(wakeUp) {
          const f = UTF8ToString(filter);
          const e = UTF8ToString(ext);
          const s = UTF8ToString(suggestion);
          Promise.resolve()
              .then(function() { return window.vellarPage.askSaveFile(f, filterIndex, e, s); })
              .then(
                  function(name) { wakeUp(name ? allocateUTF8(name) : 0); },
                  function() { wakeUp(0); });
        });
      });
// The error text, malloc'ed, or 0 when the file reached its place.
EM_JS(char*, js_finish_save, (const char* path), {
  return Asyncify.handleSleep(function(wakeUp) {
    const p = UTF8ToString(path);
    Promise.resolve()
        .then(function() { return window.vellarPage.finishSave(p); })
        .then(
            function(error) { wakeUp(error ? allocateUTF8(error) : 0); },
            function(e) { wakeUp(allocateUTF8(String(e))); });
  });
});
EM_JS(void, js_run_in_slices, (), { window.vellarPage.runInSlices(); });
EM_JS(void, js_set_timer, (int enabled, int intervalMs),
      { window.vellarPage.setTimer(!!enabled, intervalMs); });
EM_JS(void, js_invalidate, (), { window.vellarPage.invalidate(); });
EM_JS(void, js_set_caption, (const char* caption),
      { window.vellarPage.setCaption(UTF8ToString(caption)); });
EM_JS(void, js_set_focus, (int control), { window.vellarPage.setFocus(control); });
EM_JS(void, js_print_listing, (const char* text, const char* title),
      { window.vellarPage.printListing(UTF8ToString(text), UTF8ToString(title)); });

namespace vellar::web {

namespace {

std::string Str(std::string_view text) {
  return std::string(text);
}

std::optional<std::string> TakeName(char* name) {
  if (name == nullptr) return std::nullopt;
  std::string result(name);
  std::free(name);
  return result;
}

}  // namespace

void WebFrontend::ShowMessage(std::string_view text, std::string_view caption) {
  // The page shows it modally and blocks every other input until it is confirmed; the
  // handler need not wait, as nothing it does afterwards depends on the confirmation.
  js_show_message(Str(text).c_str(), Str(caption).c_str(), 0);
}

void WebFrontend::ShowError(std::string_view text) {
  js_show_message(Str(text).c_str(), "", 1);
}

bool WebFrontend::AskYesNo(std::string_view question) {
  if (!MayWait()) return false;
  waiting_ = true;
  const bool yes = js_ask_yes_no(Str(question).c_str()) != 0;
  waiting_ = false;
  return yes;
}

std::optional<std::string> WebFrontend::AskFile(bool save, const FileDialogOptions& options) {
  if (!MayWait()) return std::nullopt;
  waiting_ = true;
  char* name = save ? js_ask_save_file(options.filter.c_str(), options.filterIndex,
                                       options.defaultExt.c_str(), options.fileName.c_str())
                    : js_ask_open_file(options.filter.c_str(), options.defaultExt.c_str());
  waiting_ = false;
  return TakeName(name);
}

std::optional<std::string> WebFrontend::AskOpenFile(const FileDialogOptions& options) {
  return AskFile(false, options);
}

std::optional<std::string> WebFrontend::AskSaveFile(const FileDialogOptions& options) {
  return AskFile(true, options);
}

FileStatus WebFrontend::FinishSave(const std::string& path) {
  // Only a handler that could ask for the save's target has one to carry the file to.
  if (!MayWait()) return {};
  waiting_ = true;
  char* error = js_finish_save(path.c_str());
  waiting_ = false;
  return {TakeName(error).value_or("")};
}

void WebFrontend::SetTimer(bool enabled, int intervalMs) {
  js_set_timer(enabled ? 1 : 0, intervalMs);
}

void WebFrontend::RunInSlices() {
  js_run_in_slices();
}

void WebFrontend::Invalidate(uint32_t what) {
  if (what == 0) return;
  const bool first = redraw_ == 0;
  redraw_ |= what;
  if (first) js_invalidate();
}

uint32_t WebFrontend::TakeRedraw() {
  const uint32_t what = redraw_;
  redraw_ = 0;
  return what;
}

void WebFrontend::SetCaption(std::string_view caption) {
  js_set_caption(Str(caption).c_str());
}

void WebFrontend::SetFocus(Control control) {
  focused_ = control;
  js_set_focus(static_cast<int>(control));
}

void WebFrontend::PrintListing(const std::vector<std::string>& lines, std::string_view title) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  js_print_listing(text.c_str(), Str(title).c_str());
}

}  // namespace vellar::web
