#pragma once
// Command bars as the hosts offer them: a collection of bars (menu bar, toolbars), each
// holding controls (buttons and pop-ups whose menu is a bar of its own). Add-ins reach
// them late-bound (dispatch_ids.h); a host shell owns the collection, fills its built-in
// bars from C++, hands it to its object model, renders it and follows its changes
// through CommandBarsObserver, and discards the temporary bars and controls when it
// closes (DiscardTemporary).
//
// Names: a bar is found by its name; a pop-up's menu bar is named after the pop-up's
// caption without its access-key marker ("&Tools" opens the bar "Tools") and is found by
// name too, after the top-level bars. Captions keep the "&" that marks the access key.
// Controls are numbered from 1 in their bar (Index). A deleted bar or control answers
// its C++ accessors as it was but refuses every late-bound call.
//
// Objects are shared; the collection outlives nothing it does not own: bars and
// controls hold it weakly. One thread: the user-interface thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/office/dispatch_ids.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/events.h"
#include "platform/base/result.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::office {

class CommandBar;
class CommandBarControl;
class CommandBars;

struct CommandBarsChange {
  enum class Kind {
    kBarAdded,
    kBarRemoved,
    kBarChanged,  // name, visibility
    kControlAdded,
    kControlRemoved,
    kControlChanged,  // caption, style, picture, begin-group, ...
  };
  Kind kind;
  const CommandBar* bar;             // the bar, or the bar that holds the control
  const CommandBarControl* control;  // nullptr for the bar kinds
};

// What a shell implements to render the bars. Called after each change, with the
// objects already in their new state (a removed one is already out of its list).
class CommandBarsObserver {
 public:
  virtual ~CommandBarsObserver() = default;
  virtual void OnCommandBarsChanged(const CommandBarsChange& change) = 0;
};

namespace detail {
// What every object of one collection shares: the observers.
class Notifier {
 public:
  void Add(CommandBarsObserver* observer);
  void Remove(CommandBarsObserver* observer);
  void Notify(const CommandBarsChange& change) const;

 private:
  std::vector<CommandBarsObserver*> observers_;
};
}  // namespace detail

// What FindControl matches: every given criterion must hold.
struct ControlQuery {
  std::optional<std::int32_t> type;
  std::optional<std::int32_t> id;
  std::optional<std::string> tag;  // compared exactly
  bool visible_only = false;
};

class CommandBarControl final : public automation::DispatchObject<CommandBarControl>,
                                public automation::ConnectionPointContainer {
 public:
  CommandBarControl(std::shared_ptr<detail::Notifier> notifier, std::int32_t type, std::int32_t id,
                    bool temporary);

  static const automation::Members<CommandBarControl>& Interface();
  std::string TypeName() const override;
  automation::EventSource* FindConnectionPoint(const automation::Guid& event_interface) override;

  std::int32_t type() const { return type_; }
  std::int32_t id() const { return id_; }
  bool temporary() const { return temporary_; }
  bool deleted() const { return deleted_; }
  const std::string& caption() const { return caption_; }
  const std::string& tag() const { return tag_; }
  const std::string& parameter() const { return parameter_; }
  const std::string& on_action() const { return on_action_; }
  std::int32_t style() const { return style_; }
  bool begin_group() const { return begin_group_; }
  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }
  // Empty pictures when none was given.
  const std::shared_ptr<ui::StdPicture>& picture() const { return picture_; }
  const std::shared_ptr<ui::StdPicture>& mask() const { return mask_; }
  // The menu a pop-up opens; nullptr for a button.
  const std::shared_ptr<CommandBar>& popup_bar() const { return popup_bar_; }
  // The bar holding the control; nullptr once deleted.
  std::shared_ptr<CommandBar> parent() const { return parent_.lock(); }
  // 1-based position in the bar; 0 once deleted.
  std::int32_t Index() const;

  void SetCaption(std::string caption);
  void SetTag(std::string tag);
  void SetParameter(std::string parameter);
  void SetOnAction(std::string action);
  Status SetStyle(std::int32_t style);  // 0 to 3
  void SetBeginGroup(bool begin_group);
  void SetVisible(bool visible);
  void SetEnabled(bool enabled);
  // Copies of the pictures are kept; nullptr clears.
  void SetPicture(const std::shared_ptr<ui::StdPicture>& picture);
  void SetMask(const std::shared_ptr<ui::StdPicture>& mask);
  // The clipboard's picture becomes the face (and the mask is cleared); an error when the
  // clipboard holds no picture.
  Status PasteFace();
  // Takes the control out of its bar.
  Status Delete();
  // The user's click: raises Click(Ctrl, CancelDefault) to every connected sink. Answers
  // CancelDefault as the sinks left it. Nothing happens for a deleted or disabled control.
  bool Click();

 private:
  friend class CommandBar;
  void Changed();
  Status CheckAlive() const;

  std::shared_ptr<detail::Notifier> notifier_;
  std::weak_ptr<CommandBar> parent_;
  std::shared_ptr<CommandBar> popup_bar_;
  automation::EventSource events_{kControlEventsId};
  std::int32_t type_;
  std::int32_t id_;
  bool temporary_;
  bool deleted_ = false;
  std::string caption_;
  std::string tag_;
  std::string parameter_;
  std::string on_action_;
  std::int32_t style_ = kStyleAutomatic;
  bool begin_group_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  std::shared_ptr<ui::StdPicture> picture_ = ui::StdPicture::Empty();
  std::shared_ptr<ui::StdPicture> mask_ = ui::StdPicture::Empty();
};

class CommandBar final : public automation::DispatchObject<CommandBar> {
 public:
  CommandBar(std::shared_ptr<detail::Notifier> notifier, std::string name, std::int32_t position,
             bool built_in, bool temporary);

  static const automation::Members<CommandBar>& Interface();
  std::string TypeName() const override { return "CommandBar"; }

  const std::string& name() const { return name_; }
  std::int32_t position() const { return position_; }
  bool built_in() const { return built_in_; }
  bool temporary() const { return temporary_; }
  bool visible() const { return visible_; }
  bool deleted() const { return deleted_; }
  const std::vector<std::shared_ptr<CommandBarControl>>& controls() const { return controls_; }

  void SetName(std::string name);
  void SetVisible(bool visible);

  // Adds a control of `type` (kControlButton or kControlPopup) before the control at
  // 1-based `before` (0 or past the end: at the end). `id` is kCustomControlId for an
  // add-in's own control, else the id of the built-in command it stands for.
  Result<std::shared_ptr<CommandBarControl>> AddControl(std::int32_t type,
                                                        std::int32_t id = kCustomControlId,
                                                        std::string parameter = {},
                                                        std::int32_t before = 0,
                                                        bool temporary = false);
  // The first control matching `query`, in bar order; with `recursive`, a pop-up's menu
  // is searched right after the pop-up. nullptr when none matches.
  std::shared_ptr<CommandBarControl> FindControl(const ControlQuery& query,
                                                 bool recursive = false) const;
  // Takes a bar out of the collection; built-in bars and pop-up menus refuse.
  Status Delete();

 private:
  friend class CommandBars;
  friend class CommandBarControl;
  void RemoveControl(const CommandBarControl& control);
  void DiscardTemporaryControls();
  void MarkDeleted();
  Status CheckAlive() const;

  std::shared_ptr<detail::Notifier> notifier_;
  std::weak_ptr<CommandBars> owner_;  // top-level bars only
  std::string name_;
  std::int32_t position_;
  bool built_in_;
  bool temporary_;
  bool visible_ = false;
  bool deleted_ = false;
  std::vector<std::shared_ptr<CommandBarControl>> controls_;
};

class CommandBars final : public automation::DispatchObject<CommandBars> {
 public:
  static std::shared_ptr<CommandBars> Create();

  static const automation::Members<CommandBars>& Interface();
  std::string TypeName() const override { return "CommandBars"; }

  // The top-level bars in order.
  const std::vector<std::shared_ptr<CommandBar>>& bars() const { return bars_; }
  // The first top-level bar named `name` (ignoring ASCII case), else the first pop-up
  // menu of that name, searched bar by bar; nullptr when none.
  std::shared_ptr<CommandBar> Find(std::string_view name) const;
  // Adds a bar at the end; `menu_bar` makes it the menu bar. Shells add their built-in
  // bars with `built_in`. A new bar is visible only when it is the menu bar.
  Result<std::shared_ptr<CommandBar>> Add(std::string name, std::int32_t position = kBarTop,
                                          bool menu_bar = false, bool temporary = false,
                                          bool built_in = false);
  // The menu bar; nullptr when there is none.
  std::shared_ptr<CommandBar> MenuBar() const;
  // The first control matching `query` across all bars, each searched recursively.
  std::shared_ptr<CommandBarControl> FindControl(const ControlQuery& query) const;
  // What a host does when it closes: temporary bars and temporary controls vanish.
  void DiscardTemporary();

  // Observers are not owned; remove one before it is destroyed.
  void AddObserver(CommandBarsObserver* observer) { notifier_->Add(observer); }
  void RemoveObserver(CommandBarsObserver* observer) { notifier_->Remove(observer); }

 private:
  friend class CommandBar;
  CommandBars() = default;
  void RemoveBar(const CommandBar& bar);

  std::shared_ptr<detail::Notifier> notifier_ = std::make_shared<detail::Notifier>();
  std::vector<std::shared_ptr<CommandBar>> bars_;
  std::weak_ptr<CommandBar> menu_bar_;
};

// "&Tools" -> "Tools": a caption without its access-key markers ("&&" stands for "&").
std::string StripAccessKey(std::string_view caption);

}  // namespace feriant::office
