#include "hosts/outlook/outlook.h"

#include "hosts/outlook/object_model.h"

namespace feriant::outlook {
namespace {

const OutlookApplication* AsApplication(const automation::Dispatch& object) {
  return dynamic_cast<const OutlookApplication*>(&object);
}

Error NotAnApplication() {
  return automation::MakeError(automation::hresult::kInvalidArg,
                               "the object is not an Outlook application of this model");
}

}  // namespace

std::shared_ptr<automation::Dispatch> CreateOutlookApplication(std::filesystem::path calendar_file,
                                                               OutlookOptions options,
                                                               ServerOptions server) {
  return std::make_shared<OutlookApplication>(
      std::make_shared<Session>(std::move(calendar_file), std::move(options), std::move(server)));
}

Status OpenCalendar(automation::Dispatch& application) {
  const OutlookApplication* app = AsApplication(application);
  if (app == nullptr) return NotAnApplication();
  Result<std::shared_ptr<EventStore>> store = app->session()->Store();
  if (!store) return store.error();
  return Ok();
}

bool HasUnsavedChanges(const automation::Dispatch& application) {
  const OutlookApplication* app = AsApplication(application);
  return app != nullptr && app->session()->loaded() != nullptr &&
         app->session()->loaded()->HasUnsavedChanges();
}

Status SaveCalendar(automation::Dispatch& application) {
  const OutlookApplication* app = AsApplication(application);
  if (app == nullptr) return NotAnApplication();
  const std::shared_ptr<EventStore>& store = app->session()->loaded();
  if (store == nullptr) return Ok();
  if (Status saved = store->SaveChanges(); !saved) {
    return automation::MakeObjectError(saved.error().code, saved.error().description, "Outlook");
  }
  return Ok();
}

void AbandonUnsavedChanges(automation::Dispatch& application) {
  const OutlookApplication* app = AsApplication(application);
  if (app == nullptr || app->session()->loaded() == nullptr) return;
  app->session()->loaded()->AbandonChanges();
}

}  // namespace feriant::outlook
