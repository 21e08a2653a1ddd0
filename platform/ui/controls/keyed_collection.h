#pragma once
// The members that the keyed collections of the standard controls share (a tree's Nodes,
// a picture list's ListImages): Item, the default member, by 1-based number or by key;
// Count; Remove; Clear; and enumeration in number order. Collection::Live() gives the
// collection's owner, or an error once the owner is gone; `element_of` finds the element
// an argument names (an error when it names none); the owner counts its elements, gives
// the one with a number, removes one (Remove(Element&)) and clears (Clear()).

#include <span>

#include "platform/automation/dispatch.h"
#include "platform/ui/common/dispatch_ids.h"
#include "platform/ui/common/errors.h"

namespace feriant::ui::members {

template <class Collection, class Owner, class Element>
void AddCollectionMembers(automation::Members<Collection>& m,
                          Result<Element*> (*element_of)(const Owner&, const automation::Variant&),
                          int (Owner::*count)() const, Element* (Owner::*at)(int) const) {
  using automation::Variant;
  using Args = std::span<Variant>;
  using Named = std::span<const automation::NamedArg>;
  m.Get("Item", dispid::kValue,
        [element_of](Collection& c, Args a) -> Result<Variant> {
          auto owner = c.Live();
          if (!owner) return owner.error();
          if (a.empty()) return MakeUiError(ui_error::kElementNotFound);
          auto element = element_of(**owner, a[0]);
          if (!element) return element.error();
          return Variant((*element)->shared_from_this());
        })
      .Get("Count", dispid::kCount,
           [count](Collection& c, Args) -> Result<Variant> {
             auto owner = c.Live();
             if (!owner) return owner.error();
             return Variant(static_cast<std::int32_t>(((*owner)->*count)()));
           })
      .Method("Remove", dispid::kRemove,
              [element_of](Collection& c, Args args, Named named) -> Result<Variant> {
                auto owner = c.Live();
                if (!owner) return owner.error();
                auto element = element_of(**owner, automation::ArgumentOf(args, named, "Index", 0));
                if (!element) return element.error();
                if (Status s = (*owner)->Remove(**element); !s) return s.error();
                return Variant();
              })
      .Method("Clear", dispid::kClear,
              [](Collection& c, Args, Named) -> Result<Variant> {
                auto owner = c.Live();
                if (!owner) return owner.error();
                (*owner)->Clear();
                return Variant();
              })
      .Get("_NewEnum", automation::kDispIdNewEnum,
           [count, at](Collection& c, Args) -> Result<Variant> {
             auto owner = c.Live();
             if (!owner) return owner.error();
             automation::VariantArray all;
             for (int i = 1; i <= ((*owner)->*count)(); ++i)
               all.push_back(Variant(((*owner)->*at)(i)->shared_from_this()));
             return Variant(std::move(all));
           });
}

}  // namespace feriant::ui::members
