#pragma once
// Explorer: Outlook's main window as its object model shows it, the window whose command
// bars an add-in extends. A shell that plays Outlook creates one over the command bars
// it renders and hands it to the application as its active explorer (OutlookOptions).
// One thread.

#include <memory>
#include <string>

#include "hosts/office/command_bars.h"
#include "platform/automation/dispatch.h"

namespace feriant::outlook {

class Explorer final : public automation::DispatchObject<Explorer> {
 public:
  Explorer(std::shared_ptr<office::CommandBars> command_bars, std::string caption)
      : command_bars_(std::move(command_bars)), caption_(std::move(caption)) {}

  static const automation::Members<Explorer>& Interface();
  std::string TypeName() const override { return "Explorer"; }

  const std::shared_ptr<office::CommandBars>& command_bars() const { return command_bars_; }
  const std::string& caption() const { return caption_; }

 private:
  std::shared_ptr<office::CommandBars> command_bars_;
  std::string caption_;
};

}  // namespace feriant::outlook
