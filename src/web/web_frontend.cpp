#include "web/web_frontend.h"

#include <emscripten.h>

// The page's side of each call lives in window.vellarPage (web/src/host.js).
EM_JS(void, js_show_message, (const char* text, const char* caption, int error),
      { window.vellarPage.showMessage(UTF8ToString(text), UTF8ToString(caption), !!error); });
// The page shows the question and answers it later with vellar_answer (web/src/host.js).
EM_JS(void, js_ask,
      (int kind, const char* text, const char* filter, int filterIndex, const char* ext,
       const char* suggestion, int several),
      {
        window.vellarPage.ask(kind, UTF8ToString(text), UTF8ToString(filter), filterIndex,
                              UTF8ToString(ext), UTF8ToString(suggestion), !!several);
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

}  // namespace

void WebFrontend::ShowMessage(std::string_view text, std::string_view caption) {
  // The page shows it modally and blocks every other input until it is confirmed.
  js_show_message(Str(text).c_str(), Str(caption).c_str(), 0);
}

void WebFrontend::ShowError(std::string_view text) {
  js_show_message(Str(text).c_str(), "", 1);
}

std::optional<Reply> WebFrontend::Ask(const Question& question) {
  const FileDialogOptions& o = question.options;
  // A line of text comes with its title as the filter and its first value as the suggestion.
  const bool line = question.kind == Question::Kind::Text;
  js_ask(static_cast<int>(question.kind), question.text.c_str(),
         (line ? question.caption : o.filter).c_str(), o.filterIndex, o.defaultExt.c_str(),
         (line ? question.value : o.fileName).c_str(), o.withStartFiles ? 1 : 0);
  return std::nullopt;
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
