#include "apps/lumatrel-container/container_window.h"

#include <cerrno>
#include <utility>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/form_store.h"
#include "platform/ui/core/input.h"
#include "platform/ui/core/property_page.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/pages/standard_pages.h"

namespace feriant::lumatrel_container {
namespace {

constexpr char kTitle[] = "Lumatrel control container";

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

std::string DisplayName(const RegisteredClass& cls) {
  return cls.prog_id.empty() ? cls.class_name : cls.prog_id;
}

// A control's property pages in a dialog of their own: one tab each, OK, Cancel and
// Apply. Apply is enabled while a page reports changes; it and OK apply every changed
// page, in tab order, and stop at the first that refuses.
class PropertyDialog final : public QDialog {
 public:
  PropertyDialog(ui_qt::QtBackend& backend, std::vector<std::shared_ptr<ui::PropertyPage>> pages,
                 automation::ObjectRef selected, const QString& title, QWidget* parent)
      : QDialog(parent), pages_(std::move(pages)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    for (const auto& page : pages_) {
      auto* holder = new QWidget;
      QWidget* surface = backend.PageWidget(*page, holder);
      holder->setMinimumSize(surface->size());
      tabs->addTab(holder, ToQString(page->Caption()));
    }
    layout->addWidget(tabs);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
      if (ApplyChanges()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { ApplyChanges(); });
    for (const auto& page : pages_) {
      connections_.push_back(page->ChangedEvent().Connect([this](bool) { UpdateApply(); }));
      page->Show();
      page->SetSelectedControls({selected});
    }
  }

  ~PropertyDialog() override {
    for (size_t i = 0; i < pages_.size(); ++i) {
      pages_[i]->ChangedEvent().Disconnect(connections_[i]);
      pages_[i]->Hide();
    }
  }

 private:
  void UpdateApply() {
    bool changed = false;
    for (const auto& page : pages_)
      changed = changed || page->Changed();
    apply_->setEnabled(changed);
  }

  bool ApplyChanges() {
    for (const auto& page : pages_) {
      if (!page->Changed()) continue;
      Status status = page->Apply();
      if (!status) {
        QMessageBox::warning(this, windowTitle(), ToQString(status.error().description));
        return false;
      }
    }
    return true;
  }

  std::vector<std::shared_ptr<ui::PropertyPage>> pages_;
  std::vector<ui::Event<bool>::Connection> connections_;
  QPushButton* apply_ = nullptr;
};

}  // namespace

ContainerWindow::ContainerWindow(ui_qt::QtBackend& backend, std::vector<RegisteredClass> classes,
                                 ui::ControlFactory factory)
    : backend_(backend),
      classes_(std::move(classes)),
      factory_(std::move(factory)),
      log_(std::make_shared<EventLog>()) {
  BuildWindow();
  BuildMenus();
  log_->SetListener(
      [this](const std::string& line) { log_view_->appendPlainText(ToQString(line)); });
  auto form = std::make_shared<ui::Form>("frmContainer");
  form->SetCaption(kTitle);
  Adopt(std::move(form));
  Refresh();
}

ContainerWindow::~ContainerWindow() {
  // The controls get their Hide and Terminate while the window is still whole.
  (void)form_->Unload();
  log_->SetListener(nullptr);
}

void ContainerWindow::BuildWindow() {
  setWindowTitle(kTitle);
  auto* split = new QSplitter(Qt::Horizontal, this);

  auto* left = new QWidget(split);
  auto* left_layout = new QVBoxLayout(left);
  left_layout->addWidget(new QLabel("Registered controls:", left));
  class_list_ = new QListWidget(left);
  for (const RegisteredClass& cls : classes_) {
    auto* item = new QListWidgetItem(ToQString(DisplayName(cls)), class_list_);
    item->setData(Qt::UserRole, ToQString(cls.class_id.ToString()));
    item->setToolTip(ToQString(cls.class_id.ToString() + "\n" + cls.library.string()));
  }
  if (classes_.empty()) {
    auto* none = new QListWidgetItem("(none registered)", class_list_);
    none->setFlags(Qt::NoItemFlags);
  }
  left_layout->addWidget(class_list_, 2);
  auto* place = new QPushButton("&Place", left);
  left_layout->addWidget(place);
  left_layout->addWidget(new QLabel("On the form:", left));
  placed_list_ = new QListWidget(left);
  left_layout->addWidget(placed_list_, 1);
  auto* row = new QHBoxLayout;
  auto* properties = new QPushButton("P&roperties...", left);
  auto* remove = new QPushButton("Re&move", left);
  row->addWidget(properties);
  row->addWidget(remove);
  left_layout->addLayout(row);

  auto* right = new QSplitter(Qt::Vertical, split);
  form_area_ = new QWidget(right);
  form_layout_ = new QVBoxLayout(form_area_);
  form_layout_->setContentsMargins(0, 0, 0, 0);
  placeholder_ = new QLabel(form_area_);
  placeholder_->setAlignment(Qt::AlignCenter);
  placeholder_->setWordWrap(true);
  form_layout_->addWidget(placeholder_, 1);

  auto* log_panel = new QWidget(right);
  auto* log_layout = new QVBoxLayout(log_panel);
  auto* header = new QHBoxLayout;
  header->addWidget(new QLabel("Events:", log_panel));
  cancel_box_ = new QCheckBox("Cancel", log_panel);
  cancel_box_->setToolTip("Set the Cancel argument of every event that has one");
  header->addWidget(cancel_box_);
  header->addStretch(1);
  auto* clear = new QPushButton("C&lear", log_panel);
  header->addWidget(clear);
  log_layout->addLayout(header);
  log_view_ = new QPlainTextEdit(log_panel);
  log_view_->setReadOnly(true);
  log_layout->addWidget(log_view_);

  split->setStretchFactor(1, 1);
  right->setStretchFactor(0, 1);
  split->setSizes({270, 690});
  right->setSizes({430, 170});
  setCentralWidget(split);
  resize(960, 640);

  auto place_selected = [this] {
    QListWidgetItem* item = class_list_->currentItem();
    if (item == nullptr) return;
    auto placed = Place(item->data(Qt::UserRole).toString().toStdString());
    if (!placed) Report(placed.error(), "Cannot place " + item->text());
  };
  connect(place, &QPushButton::clicked, this, place_selected);
  connect(class_list_, &QListWidget::itemDoubleClicked, this, place_selected);
  connect(properties, &QPushButton::clicked, this, [this] {
    const std::string name = SelectedControl();
    if (name.empty()) return;
    auto shown = ShowProperties(name, /*modal=*/true);
    if (!shown) Report(shown.error(), ToQString("No properties for " + name));
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    const std::string name = SelectedControl();
    if (!name.empty()) Report(RemoveControl(name), ToQString("Cannot remove " + name));
  });
  connect(cancel_box_, &QCheckBox::toggled, this, [this](bool on) { log_->SetCancel(on); });
  connect(clear, &QPushButton::clicked, this, [this] {
    log_->Clear();
    log_view_->clear();
  });
}

void ContainerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  QAction* open = file->addAction("&Open...");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this] {
    const QString name =
        QFileDialog::getOpenFileName(this, "Open form", {}, "Forms (*.json);;All files (*)");
    if (!name.isEmpty()) Report(OpenForm(name.toStdString()), "Cannot open " + name);
  });
  QAction* save = file->addAction("&Save");
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] {
    if (file_.empty()) {
      SaveAs();
    } else {
      Report(SaveForm(file_), ToQString("Cannot save " + file_.string()));
    }
  });
  QAction* save_as = file->addAction("Save &As...");
  connect(save_as, &QAction::triggered, this, [this] { SaveAs(); });
  file->addSeparator();
  QAction* quit = file->addAction("&Quit");
  quit->setShortcut(QKeySequence::Quit);
  connect(quit, &QAction::triggered, this, &QWidget::close);
}

void ContainerWindow::SaveAs() {
  const QString name =
      QFileDialog::getSaveFileName(this, "Save form", {}, "Forms (*.json);;All files (*)");
  if (!name.isEmpty()) Report(SaveForm(name.toStdString()), "Cannot save " + name);
}

void ContainerWindow::Adopt(std::shared_ptr<ui::Form> form) {
  form_ = std::move(form);
  surface_ = backend_.EmbedForm(*form_, form_area_);
  form_layout_->addWidget(surface_, 1);
  std::weak_ptr<EventLog> log = log_;
  form_->QueryUnloadEvent().Connect([log](bool& cancel, ui::UnloadMode mode) {
    if (auto l = log.lock()) {
      l->Add("Form_QueryUnload(Cancel=" + FormatValue(automation::Variant(cancel)) +
             ", UnloadMode=" + std::to_string(static_cast<int>(mode)) + ")");
    }
  });
  form_->UnloadEvent().Connect([this, log](bool& cancel) {
    if (auto l = log.lock())
      l->Add("Form_Unload(Cancel=" + FormatValue(automation::Variant(cancel)) + ")");
    RefreshSoon();
  });
  for (ui::Extender* extender : form_->Extenders())
    ConnectSink(*extender);
}

void ContainerWindow::ConnectSink(ui::Extender& extender) {
  automation::EventSource& events = extender.Object()->Events();
  events.Advise(std::make_shared<LogSink>(log_, extender.Name(), events.EventInterface()));
}

const RegisteredClass* ContainerWindow::ClassOf(const ui::Extender& extender) const {
  for (const RegisteredClass& cls : classes_) {
    if (cls.class_id == extender.Object()->ClassId()) return &cls;
  }
  return nullptr;
}

std::string ContainerWindow::NextName(const std::string& class_name) const {
  for (int number = 1;; ++number) {
    std::string name = class_name + std::to_string(number);
    if (form_->Find(name) == nullptr) return name;
  }
}

std::string ContainerWindow::SelectedControl() const {
  QListWidgetItem* item = placed_list_->currentItem();
  return item != nullptr ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

Result<ui::Extender*> ContainerWindow::Place(std::string_view class_name) {
  const RegisteredClass* cls = FindClass(classes_, class_name);
  if (cls == nullptr) {
    return ui::MakeUiError(ui::ui_error::kCantCreateObject,
                           std::string(class_name) + " is not a registered Lumatrel control");
  }
  if (Status loaded = form_->Load(); !loaded) return loaded.error();
  const std::string name = NextName(cls->class_name.empty() ? "Control" : cls->class_name);
  auto placed = form_->CreateUserControl(cls->class_id, name, factory_);
  if (!placed) {
    log_->Add("Cannot place " + DisplayName(*cls) + ": " + placed.error().description);
    return placed.error();
  }
  ConnectSink(**placed);
  log_->Add("Placed " + name + " (" + DisplayName(*cls) + ")");
  if (!form_->Visible()) {
    if (Status shown = form_->Show(); !shown) return shown.error();
  }
  // The form takes the size of its area from the event loop; it needs it to find a spot.
  QCoreApplication::processEvents();
  MoveToFreeSpot(**placed);
  Refresh();
  return placed;
}

void ContainerWindow::MoveToFreeSpot(ui::Extender& placed) {
  if (placed.Align() != 0) return;  // the form docks it
  constexpr int kGap = 120;         // twips between controls, and the step of the search
  const ui::Rect size = placed.Bounds();
  auto overlaps = [&](int left, int top) {
    for (ui::Extender* other : form_->Extenders()) {
      if (other == &placed || !other->Visible()) continue;
      const ui::Rect& r = other->Bounds();
      if (left < r.left + r.width + kGap && r.left < left + size.width + kGap &&
          top < r.top + r.height + kGap && r.top < top + size.height + kGap)
        return true;
    }
    return false;
  };
  // Row by row, the first spot that is free and leaves the control inside the form's
  // width; none: it stays where the form put it.
  const int width = form_->ScaleWidth();
  for (int top = 0; top + size.height <= form_->ScaleHeight(); top += kGap) {
    for (int left = 0; left + size.width <= width; left += kGap) {
      if (!overlaps(left, top)) {
        (void)placed.Move(left, top, size.width, size.height);
        return;
      }
    }
  }
}

Status ContainerWindow::RemoveControl(std::string_view name) {
  auto* extender = form_->FindAs<ui::Extender>(name);
  if (extender == nullptr)
    return ui::MakeUiError(ui::ui_error::kInvalidProcedureCall, "no control " + std::string(name));
  if (Status removed = form_->Remove(*extender); !removed) return removed;
  log_->Add("Removed " + std::string(name));
  Refresh();
  return Ok();
}

Result<QDialog*> ContainerWindow::ShowProperties(std::string_view name, bool modal) {
  auto* extender = form_->FindAs<ui::Extender>(name);
  if (extender == nullptr)
    return ui::MakeUiError(ui::ui_error::kInvalidProcedureCall, "no control " + std::string(name));
  const RegisteredClass* cls = ClassOf(*extender);
  if (cls == nullptr || cls->property_pages.empty()) {
    return ui::MakeUiError(ui::ui_error::kNotSupported,
                           std::string(name) + " has no property page");
  }
  std::vector<std::shared_ptr<ui::PropertyPage>> pages;
  for (const automation::Guid& page_id : cls->property_pages) {
    // The platform's standard pages are not in the component registry.
    std::shared_ptr<ui::PropertyPage> page = ui::CreateStandardPage(page_id);
    if (!page) {
      auto created = factory_(page_id);
      if (!created) return created.error();
      page = std::dynamic_pointer_cast<ui::PropertyPage>(*created);
    }
    if (!page) {
      return ui::MakeUiError(ui::ui_error::kCantCreateObject,
                             page_id.ToString() + " is not a property page");
    }
    pages.push_back(std::move(page));
  }
  auto* dialog = new PropertyDialog(backend_, std::move(pages), extender->weak_from_this().lock(),
                                    ToQString(std::string(name) + " Properties"), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  if (modal) {
    dialog->exec();
    return static_cast<QDialog*>(nullptr);
  }
  dialog->show();
  return static_cast<QDialog*>(dialog);
}

Status ContainerWindow::SaveForm(const std::filesystem::path& file) {
  if (Status saved = ui::FormStore::Save(*form_, file); !saved) return saved;
  file_ = file;
  setWindowTitle(ToQString(std::string(kTitle) + " - " + file.filename().string()));
  log_->Add("Saved " + file.string());
  return Ok();
}

Status ContainerWindow::OpenForm(const std::filesystem::path& file) {
  // Read into a new form first, so that a damaged file changes nothing.
  auto fresh = std::make_shared<ui::Form>(form_->Name());
  fresh->SetCaption(form_->Caption());
  QWidget* fresh_surface = backend_.EmbedForm(*fresh, form_area_);
  fresh_surface->hide();
  Status loaded = fresh->Load();
  if (loaded) loaded = ui::FormStore::Load(*fresh, file, factory_);
  if (!loaded) {
    (void)fresh->Unload();
    delete fresh_surface;
    return loaded;
  }
  (void)form_->Unload();
  form_layout_->removeWidget(surface_);
  delete surface_;
  Adopt(std::move(fresh));
  file_ = file;
  setWindowTitle(ToQString(std::string(kTitle) + " - " + file.filename().string()));
  log_->Add("Opened " + file.string());
  if (Status shown = form_->Show(); !shown) return shown;
  Refresh();
  return Ok();
}

Status ContainerWindow::SaveScreenshot(const std::filesystem::path& file) {
  const QImage image = grab().toImage();
  if (image.isNull() || !image.save(ToQString(file.string()), "PNG"))
    return Error{EIO, "cannot write the screenshot " + file.string(), {}};
  return Ok();
}

void ContainerWindow::Report(const Status& status, const QString& what) {
  if (status) return;
  const QString text = what + ": " + ToQString(status.error().description);
  log_->Add(text.toStdString());
  QMessageBox::warning(this, kTitle, text);
}

void ContainerWindow::RefreshSoon() {
  if (refresh_pending_) return;
  refresh_pending_ = true;
  QTimer::singleShot(0, this, [this] { Refresh(); });
}

void ContainerWindow::Refresh() {
  refresh_pending_ = false;
  placed_list_->clear();
  if (form_->IsLoaded()) {
    for (ui::Extender* extender : form_->Extenders()) {
      const RegisteredClass* cls = ClassOf(*extender);
      const std::string text =
          extender->Name() + (cls != nullptr ? " (" + DisplayName(*cls) + ")" : std::string());
      auto* item = new QListWidgetItem(ToQString(text), placed_list_);
      item->setData(Qt::UserRole, ToQString(extender->Name()));
    }
  }
  placeholder_->setText(form_->IsLoaded() || log_->Lines().empty()
                            ? "Choose a control on the left and press Place."
                            : "The form was unloaded with its controls. Place a control to "
                              "load it again.");
  placeholder_->setVisible(!form_->Visible());
}

void ContainerWindow::closeEvent(QCloseEvent* event) {
  if (form_->IsLoaded()) {
    auto unloaded = ui::input::CloseBox(*form_);
    if (unloaded && !*unloaded) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

}  // namespace feriant::lumatrel_container
