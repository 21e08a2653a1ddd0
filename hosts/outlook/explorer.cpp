#include "hosts/outlook/explorer.h"

#include "hosts/outlook/dispatch_ids.h"
#include "hosts/outlook/object_model.h"

namespace feriant::outlook {

const automation::Members<Explorer>& Explorer::Interface() {
  using automation::Variant;
  using Args = std::span<Variant>;
  static const automation::Members<Explorer> members = [] {
    automation::Members<Explorer> m;
    m.Get("CommandBars", dispid::explorer::kCommandBars,
          [](Explorer& self, Args) -> Result<Variant> { return Variant(self.command_bars()); })
        .Get("Caption", dispid::explorer::kCaption,
             [](Explorer& self, Args) -> Result<Variant> { return Variant(self.caption()); })
        .Get("Class", dispid::kClass, [](Explorer&, Args) -> Result<Variant> {
          return Variant(std::int32_t{kExplorerClass});
        });
    return m;
  }();
  return members;
}

}  // namespace feriant::outlook
