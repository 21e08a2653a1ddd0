// The component library Lumatrel (liblumatrel.so): its server description and the four
// entry points, the only symbols it exports. Containers create its controls by class id
// or program id through the component registry and reach them late-bound.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/BottomLine/bottom_line.h"
#include "controls/PopupMenu/popup_menu.h"
#include "controls/PopupMenu/prp_popup_menu.h"
#include "controls/ProgressViewer/progress_viewer.h"
#include "controls/ProgressViewer/prp_progress_viewer.h"
#include "controls/RadioGroup/prp_radio_group.h"
#include "controls/RadioGroup/radio_group.h"
#include "controls/SizeConstraint/size_constraint.h"
#include "controls/SpinEdit/prp_spin_edit.h"
#include "controls/SpinEdit/spin_edit.h"
#include "controls/Splitters/splitters.h"
#include "controls/TwoBoxes/two_boxes.h"
#include "controls/WhiteTop/prp_white_top.h"
#include "controls/WhiteTop/white_top.h"
#include "controls/support/identities.h"
#include "controls/support/sys_info.h"
#include "platform/components/component_server.h"
#include "platform/components/server_description.h"
#include "platform/ui/pages/standard_pages.h"

namespace feriant::lumatrel {
namespace {

using components::ClassDescription;
using components::ServerDescription;
using Created = Result<std::shared_ptr<automation::Dispatch>>;

template <class T>
Created Create() {
  return std::shared_ptr<automation::Dispatch>(std::make_shared<T>());
}

// A class of the library, its interface named "_" + its class name.
template <class T>
ClassDescription Class(const std::string& name, const automation::Guid& class_id,
                       std::string_view prog_id, const automation::Guid& interface_id) {
  ClassDescription cls;
  cls.class_id = class_id;
  cls.prog_id = std::string(prog_id);
  cls.class_name = name;
  cls.interface_id = interface_id;
  cls.interface_name = "_" + name;
  cls.create = &Create<T>;
  return cls;
}

// A control of the library, its events' interface named "__" + its class name, with its
// property pages in the order a container shows them.
template <class T>
ClassDescription Control(const std::string& name, const automation::Guid& class_id,
                         std::string_view prog_id, const automation::Guid& interface_id,
                         const automation::Guid& event_interface_id,
                         std::vector<automation::Guid> property_pages = {}) {
  ClassDescription cls = Class<T>(name, class_id, prog_id, interface_id);
  cls.event_interface_id = event_interface_id;
  cls.event_interface_name = "__" + name;
  cls.is_control = true;
  cls.property_pages = std::move(property_pages);
  return cls;
}

ServerDescription Describe() {
  ServerDescription server;
  server.library_id = kLibraryId;
  server.version = std::string(kLibraryVersion);
  server.library_name = std::string(kLibraryName);
  server.classes = {
      Control<WhiteTop>("WhiteTop", white_top::kClassId, white_top::kProgId,
                        white_top::kInterfaceId, white_top::kEventInterfaceId,
                        {prp_white_top::kClassId}),
      Control<BottomLine>("BottomLine", bottom_line::kClassId, bottom_line::kProgId,
                          bottom_line::kInterfaceId, bottom_line::kEventInterfaceId),
      Class<prpWhiteTop>("prpWhiteTop", prp_white_top::kClassId, prp_white_top::kProgId,
                         prp_white_top::kInterfaceId),
      Control<TwoBoxes>("TwoBoxes", two_boxes::kClassId, two_boxes::kProgId,
                        two_boxes::kInterfaceId, two_boxes::kEventInterfaceId),
      Control<RadioGroup>("RadioGroup", radio_group::kClassId, radio_group::kProgId,
                          radio_group::kInterfaceId, radio_group::kEventInterfaceId,
                          {prp_radio_group::kClassId}),
      Class<prpRadioGroup>("prpRadioGroup", prp_radio_group::kClassId, prp_radio_group::kProgId,
                           prp_radio_group::kInterfaceId),
      Class<colRadioButtons>("colRadioButtons", col_radio_buttons::kClassId,
                             col_radio_buttons::kProgId, col_radio_buttons::kInterfaceId),
      Class<clsRadioButton>("clsRadioButton", cls_radio_button::kClassId, cls_radio_button::kProgId,
                            cls_radio_button::kInterfaceId),
      Control<ProgressViewer>("ProgressViewer", progress_viewer::kClassId, progress_viewer::kProgId,
                              progress_viewer::kInterfaceId, progress_viewer::kEventInterfaceId,
                              {prp_progress_viewer::kClassId}),
      Class<prpProgressViewer>("prpProgressViewer", prp_progress_viewer::kClassId,
                               prp_progress_viewer::kProgId, prp_progress_viewer::kInterfaceId),
      Class<colProgressTasks>("colProgressTasks", col_progress_tasks::kClassId,
                              col_progress_tasks::kProgId, col_progress_tasks::kInterfaceId),
      Class<clsProgressTask>("clsProgressTask", cls_progress_task::kClassId,
                             cls_progress_task::kProgId, cls_progress_task::kInterfaceId),
      Control<PopupMenu>("PopupMenu", popup_menu::kClassId, popup_menu::kProgId,
                         popup_menu::kInterfaceId, popup_menu::kEventInterfaceId,
                         {prp_popup_menu::kClassId}),
      Class<prpPopupMenu>("prpPopupMenu", prp_popup_menu::kClassId, prp_popup_menu::kProgId,
                          prp_popup_menu::kInterfaceId),
      Class<colPopupMenu>("colPopupMenu", col_popup_menu::kClassId, col_popup_menu::kProgId,
                          col_popup_menu::kInterfaceId),
      Class<clsPopupMenuItem>("clsPopupMenuItem", cls_popup_menu_item::kClassId,
                              cls_popup_menu_item::kProgId, cls_popup_menu_item::kInterfaceId),
      // SpinEdit and its page, the splitters, SizeConstraint, and the system information
      // class.
      Control<SpinEdit>("SpinEdit", spin_edit::kClassId, spin_edit::kProgId,
                        spin_edit::kInterfaceId, spin_edit::kEventInterfaceId,
                        {prp_spin_edit::kClassId, ui::kStandardColorPage}),
      Class<prpSpinEdit>("prpSpinEdit", prp_spin_edit::kClassId, prp_spin_edit::kProgId,
                         prp_spin_edit::kInterfaceId),
      Control<HorzSplitter>("HorzSplitter", horz_splitter::kClassId, horz_splitter::kProgId,
                            horz_splitter::kInterfaceId, horz_splitter::kEventInterfaceId),
      Control<VertSplitter>("VertSplitter", vert_splitter::kClassId, vert_splitter::kProgId,
                            vert_splitter::kInterfaceId, vert_splitter::kEventInterfaceId),
      Control<SizeConstraint>("SizeConstraint", size_constraint::kClassId, size_constraint::kProgId,
                              size_constraint::kInterfaceId, size_constraint::kEventInterfaceId),
      Class<clsSysInfo>("clsSysInfo", cls_sys_info::kClassId, cls_sys_info::kProgId,
                        cls_sys_info::kInterfaceId),
  };
  return server;
}

const components::ComponentServer& Server() {
  // Never destroyed: objects it counts may outlive the library's static destructors.
  static const auto* server = new components::ComponentServer(Describe());
  return *server;
}

}  // namespace
}  // namespace feriant::lumatrel

FERIANT_COMPONENT_ENTRY_POINTS(::feriant::lumatrel::Server())
