#pragma once
// RecordingDialog: the holiday run's dialog for tests and benchmarks. It records what the
// run writes, in order ("min 0", "max 5", "value 1", "label ...", "busy", "idle",
// "wait", "pointer", "box ..."), each entry with the language current at that moment
// when it is given the localisation, and answers every box with OK. A benchmark turns
// the log off and keeps only the boxes. One thread.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "addin/engine/localisation.h"
#include "addin/engine/run_dialog.h"

namespace feriant::testing {

class RecordingDialog final : public engine::RunDialog {
 public:
  explicit RecordingDialog(const engine::Localisation* texts = nullptr) : texts_(texts) {}

  bool recording = true;                   // false: no log, only the boxes
  std::vector<std::string> log;            // writes, in order
  std::vector<std::int16_t> log_language;  // LanguageID at each write; 0 without texts
  std::vector<engine::MessageBoxRequest> boxes;
  std::int32_t value = 0;  // the bar's value

  void Log(std::string entry) {
    if (!recording) return;
    log.push_back(std::move(entry));
    log_language.push_back(texts_ != nullptr ? texts_->GetLanguageID() : std::int16_t{0});
  }
  // The entries that start with `prefix`, in order.
  std::vector<std::string> Entries(std::string_view prefix) const {
    std::vector<std::string> found;
    std::copy_if(log.begin(), log.end(), std::back_inserter(found),
                 [prefix](const std::string& entry) { return entry.starts_with(prefix); });
    return found;
  }
  // The position of `entry` in the log; log.size() when it is not there.
  size_t IndexOf(std::string_view entry) const {
    return static_cast<size_t>(std::find(log.begin(), log.end(), entry) - log.begin());
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const engine::MessageBoxRequest& box : boxes)
      texts.push_back(box.text);
    return texts;
  }
  std::int64_t ErrorCount() const {
    return std::count_if(boxes.begin(), boxes.end(), [](const engine::MessageBoxRequest& box) {
      return box.icon == engine::MessageIcon::kCritical;
    });
  }

  void SetProgressMin(std::int32_t v) override {
    if (recording) Log("min " + std::to_string(v));
  }
  void SetProgressMax(std::int32_t v) override {
    if (recording) Log("max " + std::to_string(v));
  }
  void SetProgressValue(std::int32_t v) override {
    value = v;
    if (recording) Log("value " + std::to_string(v));
  }
  std::int32_t ProgressValue() const override { return value; }
  void SetProgressLabel(std::string_view text) override {
    if (recording) Log("label " + std::string(text));
  }
  void SetBusy(bool busy) override {
    if (recording) Log(busy ? "busy" : "idle");
  }
  void SetMousePointer(engine::MousePointer pointer) override {
    if (recording) Log(pointer == engine::MousePointer::kWait ? "wait" : "pointer");
  }
  engine::MessageAnswer ShowMessage(const engine::MessageBoxRequest& request) override {
    boxes.push_back(request);
    if (recording) Log("box " + request.text);
    return engine::MessageAnswer::kOk;
  }

 private:
  const engine::Localisation* texts_;
};

}  // namespace feriant::testing
