#pragma once
// The control test container's window: the registered Lumatrel controls on the left, a
// form in the middle on which they are placed as new instances (docked ones stack at the
// edges they ask for), and the event log with its "Cancel" box at the bottom. File › Save
// and Open write and read the form's property bags (ui::FormStore); Control › Properties
// shows a placed control's property pages, those its class lists, one tab each.
//
// The form runs in user mode, so the controls behave as they do at run time: a button
// bar that closes its form unloads this one, which takes its controls with it; placing a
// control loads the form again. The window owns the form and the widget the renderer
// embeds it in. The user-interface thread only.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QMainWindow>

#include "apps/lumatrel-container/class_catalog.h"
#include "apps/lumatrel-container/event_log.h"
#include "platform/base/result.h"
#include "platform/ui/core/control.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui_qt/qt_backend.h"

class QCheckBox;
class QDialog;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QVBoxLayout;

namespace feriant::lumatrel_container {

class ContainerWindow final : public QMainWindow {
 public:
  // `classes` are what the person can place; `factory` creates controls and property
  // pages by class id (the component registry in the program).
  ContainerWindow(ui_qt::QtBackend& backend, std::vector<RegisteredClass> classes,
                  ui::ControlFactory factory);
  ~ContainerWindow() override;

  // Places a new instance of the class named by program id or class id, under its class
  // name and the next free number ("WhiteTop1"), and loads and shows the form if needed.
  Result<ui::Extender*> Place(std::string_view class_name);
  Status RemoveControl(std::string_view name);
  // Opens the property pages of the named control in a dialog; modal: runs it until the
  // person closes it (and returns nullptr then).
  Result<QDialog*> ShowProperties(std::string_view name, bool modal);
  // Writes the form's controls to `file`; reads a form from `file` in place of this one
  // (a damaged file leaves the form as it was).
  Status SaveForm(const std::filesystem::path& file);
  Status OpenForm(const std::filesystem::path& file);
  // The window as it looks now, as a PNG file.
  Status SaveScreenshot(const std::filesystem::path& file);

  ui::Form& form() { return *form_; }
  QWidget* FormWidget() const { return surface_; }
  EventLog& log() { return *log_; }
  QCheckBox* CancelBox() const { return cancel_box_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  void BuildMenus();
  // Makes `form` the container's form: embedded, logged, its controls' events connected.
  void Adopt(std::shared_ptr<ui::Form> form);
  void ConnectSink(ui::Extender& extender);
  // A control that does not dock goes to the first free spot, row by row, so that the
  // controls placed do not cover each other.
  void MoveToFreeSpot(ui::Extender& placed);
  // Brings the lists and the form area up to date with the model.
  void Refresh();
  void RefreshSoon();
  std::string NextName(const std::string& class_name) const;
  const RegisteredClass* ClassOf(const ui::Extender& extender) const;
  std::string SelectedControl() const;
  void Report(const Status& status, const QString& what);
  void SaveAs();

  ui_qt::QtBackend& backend_;
  std::vector<RegisteredClass> classes_;
  ui::ControlFactory factory_;
  std::shared_ptr<EventLog> log_;
  std::shared_ptr<ui::Form> form_;
  std::filesystem::path file_;

  QListWidget* class_list_ = nullptr;
  QListWidget* placed_list_ = nullptr;
  QWidget* form_area_ = nullptr;
  QVBoxLayout* form_layout_ = nullptr;
  QWidget* surface_ = nullptr;
  QLabel* placeholder_ = nullptr;
  QPlainTextEdit* log_view_ = nullptr;
  QCheckBox* cancel_box_ = nullptr;
  bool refresh_pending_ = false;
};

}  // namespace feriant::lumatrel_container
