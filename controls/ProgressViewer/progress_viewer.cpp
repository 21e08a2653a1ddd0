#include "controls/ProgressViewer/progress_viewer.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "controls/support/stored_values.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/controls/control_array.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;
namespace ids = progress_viewer::dispid;

// Geometry, twips.
constexpr int kWidth = 3030;
constexpr int kHeight = 1905;
constexpr int kLineGap = 15;  // between one line's bottom and the next one's top
constexpr char kLines[] = "lbl";

// The status pictures, 11 x 11 pixels on the picture list's mask colour (silver, left
// out when drawn): '.' ground, 'g' green, 'r' red, 'b' blue.
constexpr int kMark = 11;
using Art = std::array<std::string_view, kMark>;
constexpr Art kTick = {"...........", "..........g", ".........gg", "........gg.",
                       "g......gg..", "gg....gg...", ".gg..gg....", "..gggg.....",
                       "...gg......", "...........", "..........."};
constexpr Art kCross = {"...........", ".rr.....rr.", "..rr...rr..", "...rr.rr...",
                        "....rrr....", "....rrr....", "...rr.rr...", "..rr...rr..",
                        ".rr.....rr.", "...........", "..........."};
constexpr Art kArrow = {"...........", "....b......", "....bb.....", "....bbb....",
                        "bbbbbbbb...", "bbbbbbbbb..", "bbbbbbbb...", "....bbb....",
                        "....bb.....", "....b......", "..........."};

std::shared_ptr<ui::StdPicture> Mark(const Art& art) {
  std::vector<ui::OleColor> pixels;
  pixels.reserve(kMark * kMark);
  for (std::string_view row : art) {
    for (char c : row) {
      pixels.push_back(c == 'g'   ? ui::Rgb(0, 128, 0)
                       : c == 'r' ? ui::Rgb(192, 0, 0)
                       : c == 'b' ? ui::Rgb(0, 0, 160)
                                  : ui::Rgb(192, 192, 192));
    }
  }
  return *ui::StdPicture::FromPixels(kMark, kMark, std::move(pixels));
}

}  // namespace

ProgressViewer::ProgressViewer()
    : UserControlImpl("ProgressViewer", progress_viewer::kClassId,
                      progress_viewer::kEventInterfaceId),
      tasks_(std::make_shared<colProgressTasks>(anchor_.Ref())) {
  SetInitialSize(kWidth, kHeight);
  ui::Label& first = Add<ui::Label>(kLines, 0);
  (void)first.Move(240, 0, 150, 195);
  first.SetAutoSize(true);
  iml_ = &Add<ui::ImageList>("iml");
  (void)iml_->Add(Mark(kTick), "finished");
  (void)iml_->Add(Mark(kCross), "failed");
  (void)iml_->Add(Mark(kArrow), "active");
}

const automation::Members<ProgressViewer>& ProgressViewer::Interface() {
  static const automation::Members<ProgressViewer> members = [] {
    using ui::members::Getter;
    using ui::members::Setter;
    using T = ProgressViewer;
    automation::Members<T> m;
    m.Put("AutoSize", ids::kAutoSize, Setter<T, bool>(&T::SetAutoSize))
        .Get("AutoSize", ids::kAutoSize, Getter<T>(&T::AutoSize))
        .Get("ProgressTasks", ids::kProgressTasks, Getter<T>(&T::ProgressTasks))
        .PutRef("ProgressTasks", ids::kProgressTasks,
                [](T& self, Args a) -> Status {
                  auto tasks = std::dynamic_pointer_cast<colProgressTasks>(a.back().AsObject());
                  if (!tasks)
                    return ui::MakeUiError(ui::ui_error::kInvalidPropertyValue, "ProgressTasks");
                  self.SetProgressTasks(std::move(tasks));
                  return Ok();
                })
        .Get("ActiveTask", ids::kActiveTask, Getter<T>(&T::ActiveTask))
        .PutRef("ActiveTask", ids::kActiveTask,
                [](T& self, Args a) -> Status {
                  auto object = a.back().ToObject();
                  if (!object) return object.error();
                  auto task = std::dynamic_pointer_cast<clsProgressTask>(*object);
                  if (*object && !task)
                    return ui::MakeUiError(ui::ui_error::kInvalidPropertyValue, "ActiveTask");
                  self.SetActiveTask(std::move(task));
                  return Ok();
                })
        .Method("GotoNext", ids::kGotoNext,
                [](T& self, Args a, Named n) -> Result<Variant> {
                  auto ok = automation::ArgumentOf(a, n, "bWasSuccessful", 0).ToBool();
                  if (!ok) return ok.error();
                  self.GotoNext(*ok);
                  return Variant();
                })
        .Method("ChangedTasks", ids::kChangedTasks,
                [](T& self, Args, Named) -> Result<Variant> {
                  self.ChangedTasks();
                  return Variant();
                })
        .Get("Font", ids::kFont, Getter<T>(&T::LabelFont))
        .PutRef("Font", ids::kFont,
                Setter<T, std::shared_ptr<ui::StdFont>>(
                    [](T& self, std::shared_ptr<ui::StdFont> font) { self.SetLabelFont(*font); }));
    return m;
  }();
  return members;
}

void ProgressViewer::SetProgressTasks(std::shared_ptr<colProgressTasks> tasks) {
  tasks_ = std::move(tasks);
}

void ProgressViewer::SetActiveTask(std::shared_ptr<clsProgressTask> task) {
  active_ = std::move(task);
  Refresh();
}

void ProgressViewer::GotoNext(bool was_successful) {
  const auto& items = tasks_->Items();
  if (active_ == nullptr) {
    if (items.Count() > 0) {
      active_ = items.At(1);
      if (active_->Finished() || active_->Failed()) active_ = nullptr;
    }
  } else {
    auto task = active_;
    if (was_successful) {
      task->SetFinished(true);
    } else {
      task->SetFailed(true);
    }
    // A task that is no longer in the collection has no next one.
    const int position = items.PositionOf(*task);
    active_ = position > 0 && position < items.Count() ? items.At(position + 1) : nullptr;
  }
  Refresh();
}

void ProgressViewer::ChangedTasks() {
  PropertyChanged("ProgressTasks");
}

std::shared_ptr<ui::StdFont> ProgressViewer::LabelFont() const {
  return CopyOfFont(*Line(0)->Font());
}

void ProgressViewer::SetLabelFont(const ui::StdFont& font) {
  for (int k = 0; ui::Label* line = Line(k); ++k)
    line->SetFont(CopyOfFont(font));
  PropertyChanged("Font");
  RebuildLabels();  // the lines' heights follow the font
}

ui::Label* ProgressViewer::Line(int index) const {
  return FindAs<ui::Label>(kLines, index);
}

int ProgressViewer::LabelCount() const {
  int count = 0;
  while (Line(count) != nullptr)
    ++count;
  return count;
}

void ProgressViewer::RebuildLabels() {
  const auto& items = tasks_->Items();
  const int count = items.Count();
  ui::Label* first = Line(0);
  for (int k = 0; k < count; ++k) {
    ui::Label* line = Line(k);
    if (line == nullptr) {
      auto loaded = ui::LoadArrayElement<ui::Label>(*this, kLines, k);
      if (!loaded) break;  // the lines so far stay
      line = *loaded;
    }
    line->SetAutoSize(true);
    line->SetCaption(items.At(k + 1)->Displayname());
    (void)line->SetLeft(first->Left());
    if (k > 0) {
      const ui::Label& above = *Line(k - 1);
      (void)line->SetTop(above.Top() + above.Height() + kLineGap);
      line->SetVisible(true);
    }
  }
  for (int k = LabelCount() - 1; k >= std::max(count, 1); --k)
    (void)ui::UnloadArrayElement(*this, kLines, k);
  Refresh();
}

void ProgressViewer::OnPaint() {
  const int row = Line(0)->Height() + kLineGap;
  int y = 0;
  for (const auto& task : tasks_->Items().All()) {
    const char* key = task->Finished()  ? "finished"
                      : task->Failed()  ? "failed"
                      : task == active_ ? "active"
                                        : nullptr;
    if (key != nullptr) {
      if (const ui::ListImage* mark = iml_->Find(key)) iml_->Draw(*mark, Drawing(), 0, y, true);
    }
    y += row;
  }
}

void ProgressViewer::OnReadProperties(ui::PropertyBag& bag) {
  if (auto nested = ReadNestedBag(bag, "ProgressTasks")) {
    tasks_->Load(*nested);
    // As adding them does: the first task is the one in progress.
    const auto& items = tasks_->Items();
    active_ = items.Count() > 0 ? items.At(1) : nullptr;
    RebuildLabels();
  }
  SetLabelFont(*ReadFontKeys(bag));
}

void ProgressViewer::OnWriteProperties(ui::PropertyBag& bag) {
  WriteFontKeys(bag, *LabelFont());
  WriteNestedBag(bag, "ProgressTasks", tasks_->Save());
}

}  // namespace feriant::lumatrel
