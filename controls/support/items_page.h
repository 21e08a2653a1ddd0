#pragma once
// ItemsPage: what the property pages of the controls with a keyed item collection share
// (prpRadioGroup, prpProgressViewer, prpPopupMenu). One tab with a list of the items of
// the first selected control (by key, in collection order), "&Add" (cmdAdd) and
// "&Remove" (cmdRemove), a frame "&Properties" with "&Key:" (txtKey) and the item's
// caption field for the item current in the list, and the note that the page cannot be
// cancelled; a page adds the fields of its own below the caption field.
//
// The page edits the collection directly, field by field as the person types, which is
// why Cancel undoes nothing. "&Add" adds an item keyed with the page's prefix and the
// smallest whole number (from 0) that no list entry shows yet. Applying calls the
// control's change notification method. The page reaches the control, its collection and
// the items late-bound. The page owns its controls; the selection belongs to the
// container. The user-interface thread only.

#include <string>

#include "platform/automation/dispatch.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/frame.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/property_page.h"

namespace feriant::lumatrel {

struct ItemsPageInfo {
  const char* page_name;       // "prpRadioGroup"
  const char* tab;             // "Radio Buttons"
  const char* list_name;       // "lstButtons"
  const char* collection;      // the control's member holding it: "RadioButtons"
  const char* notify_method;   // called on apply: "ChangedTasks"
  const char* caption_member;  // the item's caption: "Caption", "Displayname"
  const char* caption_label;   // "&Caption:"
  const char* caption_box;     // "txtCaption"
  const char* key_prefix;      // "Button "
  const char* new_caption;     // nullptr: a new item's caption is its key
};

class ItemsPage : public ui::PropertyPage {
 public:
  explicit ItemsPage(const ItemsPageInfo& info);

  // The collection of the first selected control; null without one.
  automation::ObjectRef Collection() const;
  // The item current in the list; null when none is.
  automation::ObjectRef CurrentItem() const;
  Status AddItem();
  Status RemoveCurrentItem();

 protected:
  // Lengths in twips: where a page's own fields start inside the frame, and its width.
  static constexpr int kFieldsTop = 1560;
  static constexpr int kFieldsLeft = 120;
  ui::Frame& PropertiesFrame() { return *frame_; }
  ui::ListBox& List() { return *list_; }
  // Fills the page's own fields from `item` (null: none is current).
  virtual void ShowItemFields(automation::Dispatch* /*item*/) {}
  // After a new selection, with the first selected control.
  virtual void ShowControlFields(automation::Dispatch& /*control*/) {}
  // True while the page fills its fields: their change events are not the person's.
  bool Loading() const { return loading_; }
  // Puts `value` into `member` of the current item, if there is one.
  void PutOnItem(const char* member, automation::Variant value);

  void OnSelectionChanged() override;
  Status OnApplyChanges() override;

 private:
  void ShowItem();

  ItemsPageInfo info_;
  ui::ListBox* list_ = nullptr;
  ui::Frame* frame_ = nullptr;
  ui::TextBox* key_ = nullptr;
  ui::TextBox* caption_ = nullptr;
  bool loading_ = false;
};

}  // namespace feriant::lumatrel
