#pragma once
// Property pages: a surface with its own controls on which a person edits the settings
// of the controls selected in a container (the control test container).
//
// The container shows the page, hands it the selection (SetSelectedControls, which
// raises OnSelectionChanged), and when the person applies, calls Apply (which raises
// OnApplyChanges and, when that succeeds, clears Changed). The page's code sets
// Changed when the person edits something; the container hears it through
// ChangedEvent to enable its Apply button. The user-interface thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/automation/variant.h"
#include "platform/ui/common/event.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font.h"

namespace feriant::ui {

class PropertyPage : public ControlHost {
 public:
  // `name` is the page's class name ("prpWhiteTop"), `caption` its tab's text.
  PropertyPage(std::string name, std::string caption, int width = 5685, int height = 3600);
  ~PropertyPage() override;

  static const automation::Members<PropertyPage>& Interface();
  std::string TypeName() const override { return name_; }
  std::string HostName() const override { return name_; }
  Result<automation::DispId> GetIdOfName(std::string_view name) const override;
  Result<automation::Variant> Invoke(automation::DispId id, automation::InvokeKind kind,
                                     std::span<automation::Variant> args,
                                     std::span<const automation::NamedArg> named) override;

  const std::string& Caption() const { return caption_; }
  int ScaleWidth() const override { return width_; }
  int ScaleHeight() const override { return height_; }

  // The Dispatch objects of the selected controls (their extenders or the controls).
  const std::vector<automation::ObjectRef>& SelectedControls() const { return selected_; }
  void SetSelectedControls(std::vector<automation::ObjectRef> controls);

  bool Changed() const { return changed_; }
  void SetChanged(bool changed);
  // Raises OnApplyChanges; Changed is cleared only when it succeeds.
  Status Apply();

  // Shown by the container.
  void Show();
  void Hide();
  bool IsShown() const { return shown_; }

  Event<bool>& ChangedEvent() { return changed_event_; }

  bool SurfaceShown() const override { return shown_; }
  bool SurfaceEnabled() const override { return true; }
  Form* OwnerForm() override { return nullptr; }
  bool UserMode() const override { return true; }
  FontDesc SurfaceFont() const override { return font_; }

 protected:
  virtual void OnSelectionChanged() {}
  virtual Status OnApplyChanges() { return Ok(); }
  // The font the page's controls take when they are added (call before adding them).
  void SetPageFont(FontDesc font) { font_ = std::move(font); }

 private:
  std::string name_;
  std::string caption_;
  int width_;
  int height_;
  FontDesc font_;
  std::vector<automation::ObjectRef> selected_;
  bool changed_ = false;
  bool shown_ = false;
  Event<bool> changed_event_;
};

}  // namespace feriant::ui
