#pragma once
// Saving a form's user controls to a file and restoring them.
//
// One file per form, JSON, readable by people:
//   {"format": "feriant-form", "version": 1, "form": "frmTest",
//    "controls": [{"name": "wto", "class": "{7821D12D-...}", "left": 0, "top": 0,
//                  "width": 9465, "height": 915, "align": 1, "visible": true,
//                  "default": false, "cancel": false, "tab_index": 0, "tag": "",
//                  "properties": [["Title", {"type": "String", "value": "..."}], ...]}]}
// Properties keep the order the control wrote them; every value carries its kind
// (variant_codec.h), so a Boolean stays a Boolean and a currency a currency.
//
// Save writes each user control's bag through its Save (its write-properties handler)
// with its extender's name, class, position, size, Align, Visible, Default, Cancel,
// TabIndex and Tag, then replaces the file atomically under its lock; the saved controls
// are no longer dirty. Load reads and checks the whole file first (a damaged file is
// refused with an error naming it, and the form is left as it was); then for each entry
// it reuses the form's user control of that name and class, or creates one through the
// factory, restores the extender's properties and raises Load (read-properties).
// The user-interface thread only.

#include <filesystem>
#include <string>

#include "platform/base/result.h"
#include "platform/ui/core/control.h"

namespace feriant::ui {

class Form;

class FormStore {
 public:
  static Status Save(Form& form, const std::filesystem::path& path);
  static Status Load(Form& form, const std::filesystem::path& path, const ControlFactory& factory);

 private:
  static Status LoadDocument(Form& form, const std::filesystem::path& path, const std::string& text,
                             const ControlFactory& factory);
};

}  // namespace feriant::ui
